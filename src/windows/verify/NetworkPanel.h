#pragma once

#include "core/model/ProjectExtension.h"
#include "core/model/Verification.h"

#include <QWidget>

#include <functional>
#include <vector>

class PathModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class SegmentModel;
class SizingPanel;
struct TypedRow;

// One network in the verification window: its limits and pressures
// (editable), the table of its segments with their upstream segment, rise
// and concentrated loss (editable), velocity (water), loss, the loss from
// the source, the height and pressure (water), the table of paths with
// their losses, limit, pressures (water), margin and verdict, the critical
// path highlighted in both, and the verdict line under them (water: with
// the warning of the static pressures).
class NetworkPanel : public QWidget {
    Q_OBJECT
public:
    NetworkPanel(NetworkKind kind, QWidget* parent = nullptr);

    // Shows a verification; `typed[r - 1]` is what row r holds of the
    // cells typed in the window. `otherFlows`: the flows typed that the
    // utenze do not give, or empty.
    void showVerification(const NetworkVerification& v, const std::vector<TypedRow>& typed,
                          const QString& otherFlows = {});
    // Shows the limits of the project in the boxes.
    void showLimits(const ProjectExtension& extension);

    NetworkKind kind() const { return m_kind; }
    // The width that shows both tables' columns whole, side by side.
    int wholeWidth() const;

    // The boxes of the limits, by Box.
    enum Box {
        Velocity = 0, // water, m/s
        Head,         // water, m; empty: none
        Source,       // water: the pressure at the source, kPa; empty: none
        Minimum,      // water: the least pressure at the outlets, kPa; empty: the default
        Static,       // water: the static pressure at the source, kPa; empty: none
        StaticLimit,  // water: its limit, kPa; empty: the default
        Metano = 0,   // gas, mbar
        Gpl = 1,      // gas, mbar
    };
    std::vector<QLineEdit*> limiti;
    // Water: the pressure at the source in metres of water ("= 30,6 m c.a.").
    QLabel* colonna = nullptr;
    // Gas: how the rises count, and the regulator upstream of the meter.
    QComboBox* dislivelli = nullptr;
    QCheckBox* regolatore = nullptr;
    QTableView* tronchi = nullptr;
    QTableView* percorsi = nullptr;
    QLabel* esito = nullptr;
    // Water: the static pressures above their limit; hidden when none is.
    QLabel* avviso = nullptr;
    SegmentModel* segments = nullptr;
    PathModel* paths = nullptr;
    SizingPanel* sizing = nullptr;

    // A limit box edited and left: its box and text. The window checks the
    // text and applies it, or refuses it and calls showLimits.
    std::function<void(int box, const QString& text)> limitEdited;
    // Gas: the height effect or the regulator chosen.
    std::function<void(HeightEffect effect, bool regulator)> gasOptionsEdited;

private:
    NetworkKind m_kind;
    QString m_verdict;
    QString m_warning;
    int m_verdictState = -1;
};
