#pragma once

#include "core/model/PipeSeries.h"
#include "core/model/Sizing.h"

#include <QWidget>

#include <functional>
#include <vector>

class ProposalModel;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

// The sizing of one network in the verification window: "Dimensiona"
// (water: with the series chosen beside it, and "Serie..." for the user's
// own series), then the proposal beside today's sizes (segment, now,
// proposed, loss now, loss proposed) with the verdict it would give, or
// why there is none; "Applica" writes it into the data window.
class SizingPanel : public QWidget {
    Q_OBJECT
public:
    SizingPanel(NetworkKind kind, QWidget* parent = nullptr);

    // Water: the series offered, and the one shown as chosen (a name that
    // is not among them is offered as unavailable).
    void showSeries(const std::vector<PipeSeries>& catalogue, const QString& chosen);
    // The series shown as chosen.
    QString chosenSeries() const;

    void showProposal(const SizingProposal& proposal);
    void hideProposal();

    QComboBox* serie = nullptr;       // water only
    QPushButton* serieEdit = nullptr; // water only
    QPushButton* dimensiona = nullptr;
    QGroupBox* proposta = nullptr;
    QTableView* propostaTable = nullptr;
    QLabel* propostaEsito = nullptr;
    QPushButton* applica = nullptr;
    QPushButton* scarta = nullptr;
    ProposalModel* model = nullptr;

    std::function<void()> sizeRequested;
    std::function<void()> applyRequested;
    std::function<void()> seriesEditRequested;
    std::function<void(const QString&)> seriesChosen;

private:
    // The layouts up to the window, brought up to date with this panel.
    void settleLayouts();

    NetworkKind m_kind;
    // What the window grew to show the proposal.
    int m_grown = 0;
};
