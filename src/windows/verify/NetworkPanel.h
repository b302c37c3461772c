#pragma once

#include "core/model/ProjectExtension.h"
#include "core/model/Verification.h"

#include <QWidget>

#include <array>
#include <functional>

class PathModel;
class QLabel;
class QLineEdit;
class QTableView;
class SegmentModel;
class SizingPanel;

// One network in the verification window: its limits (editable), the table
// of its segments with their upstream segment (editable), velocity (water),
// loss and the loss from the source, the table of paths with their loss,
// limit and verdict, the critical path highlighted in both, and the verdict
// line under them.
class NetworkPanel : public QWidget {
    Q_OBJECT
public:
    NetworkPanel(NetworkKind kind, QWidget* parent = nullptr);

    // Shows a verification; `explicitUpstream[r - 1]` tells whether row r
    // names its upstream segment itself.
    // `otherFlows`: the flows typed that the utenze do not give, or empty.
    void showVerification(const NetworkVerification& v, const std::vector<char>& explicitUpstream,
                          const QString& otherFlows = {});
    // Shows the limits of the project in the boxes.
    void showLimits(const ProjectExtension& extension);

    NetworkKind kind() const { return m_kind; }

    // Water: velocity and available head; gas: methane and LPG.
    std::array<QLineEdit*, 2> limiti{};
    QTableView* tronchi = nullptr;
    QTableView* percorsi = nullptr;
    QLabel* esito = nullptr;
    SegmentModel* segments = nullptr;
    PathModel* paths = nullptr;
    SizingPanel* sizing = nullptr;

    // A limit box edited and left: its box and text. The window checks the
    // text and applies it, or refuses it and calls showLimits.
    std::function<void(int box, const QString& text)> limitEdited;

private:
    NetworkKind m_kind;
    QString m_verdict;
    int m_verdictState = -1;
};
