#pragma once

#include "core/model/PipeSeries.h"
#include "core/model/Sizing.h"
#include "core/model/Verification.h"
#include "core/session/UserSeries.h"
#include "windows/frame/Form.h"
#include "windows/verify/NetworkSteps.h"

#include <memory>

class NetworkPanel;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

// "Verifica della rete": does each network comply with its limits? A tab
// per network shows its segments with their upstream segment, rise and
// concentrated loss (typed here, each one a step of the data window's
// undo), the paths from the source to every terminal segment with losses,
// pressures (water: the least one of a terminal typed here too), margin and
// verdict, the critical path and the verdict line; the limits, the
// pressures of the water network and the options of the gas one are edited
// here too. The window follows
// every change of the project as it is made, whichever window makes it.
class verifica : public Form {
    Q_OBJECT
public:
    explicit verifica(AppContext& context, QWidget* parent = nullptr);
    ~verifica() override;

    void Form_Load() override;
    void Form_Unload() override;

    // Verifies both networks again and shows them.
    void refresh();
    // The upstream segment of a row typed in a network's table; false when
    // refused (the message is shown).
    bool upstreamTyped(NetworkKind kind, int row, const QString& text);
    // A rise, a concentrated loss or a least pressure typed in a network's
    // tables (`column` of the network's ElevationColumns), a step of the
    // data window's undo; false when refused (the message is shown).
    bool elevationTyped(NetworkKind kind, int row, int column, const QString& text);
    // A limit box of a network (NetworkPanel::Box) left with a new text.
    void limitTyped(NetworkKind kind, int box, const QString& text);
    // The gas network's height effect and regulator, as chosen.
    void gasOptionsChosen(HeightEffect effect, bool regulator);
    // Undo and redo of the network of the tab shown, as in its data window.
    void undo();
    void redo();
    void chiudi_Click();
    // Proposes the sizes of a network, or says why there are none.
    void dimensiona_Click(NetworkKind kind);
    // Writes the proposal shown into the network's table.
    void applica_Click(NetworkKind kind);
    // The water series chosen in the list becomes the project's.
    void serie_Choose(const QString& name);
    // The user's series, edited in a dialog of their own.
    void serieEdit_Click();

    // The user's series file (tests point it elsewhere before the load).
    QString seriesFile = UserSeriesFile();

    QTabWidget* reti = nullptr;
    NetworkPanel* acqua = nullptr;
    NetworkPanel* gas = nullptr;
    QCheckBox* includi = nullptr;
    QLabel* nota = nullptr;
    QPushButton* chiudi = nullptr;

private:
    NetworkPanel* panel(NetworkKind kind) const;
    void observe();
    void stopObserving();

    // The series of the project, or the default one.
    QString projectSeries() const;
    void showSeries();
    void dropProposals();

    NetworkSteps m_steps;
    // The series of this machine, and those with the project's own.
    std::vector<PipeSeries> m_machineSeries;
    std::vector<PipeSeries> m_catalogue;
    QString m_seriesShown;
    SizingProposal m_waterProposal;
    SizingProposal m_gasProposal;
    int m_listener = 0; // among the project's listeners while loaded
};
