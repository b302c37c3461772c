#pragma once

#include "core/model/DesignFlows.h"
#include "core/session/UserFlowCatalogue.h"
#include "windows/frame/Form.h"
#include "windows/verify/NetworkSteps.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QTabWidget;

// One network in "Utenze e portate": how its utenze become flows (water:
// the method, its building type or curve, the catalogue the types come
// from; gas: the simultaneity), the table of its utenze (editable) with the
// line that adds one, and per segment what it serves, its design flow and
// the flow of the data window, the differences marked.
class FlowsPanel : public QWidget {
public:
    FlowsPanel(NetworkKind kind, QWidget* parent = nullptr);
    NetworkKind kind() const { return m_kind; }

    // Water.
    QComboBox* metodo = nullptr;
    QComboBox* edificio = nullptr;
    QLineEdit* curva = nullptr; // the curve's name
    QLineEdit* punti = nullptr; // its points, "u Q; u Q"
    QComboBox* catalogo = nullptr;
    QPushButton* propri = nullptr; // the user's types and curves
    QComboBox* tipo = nullptr;     // the type of the utenza to add
    // Gas.
    QLineEdit* contemporaneita = nullptr;
    QLineEdit* apparecchio = nullptr;
    QLineEdit* potenza = nullptr; // kW

    QSpinBox* tronco = nullptr; // the segment of the utenza to add
    QSpinBox* numero = nullptr;
    QPushButton* aggiungi = nullptr;
    QPushButton* togli = nullptr;
    QTableWidget* utenze = nullptr;
    QTableWidget* portate = nullptr;
    QLabel* esito = nullptr;
    QPushButton* applica = nullptr;
    QSplitter* split = nullptr;

    // Utenze table: the segment and the utenza's place among its own, per row.
    std::vector<std::pair<int, int>> listed;

private:
    NetworkKind m_kind;
};

// "Utenze e portate": the fixtures and appliances each segment serves and
// the design flows they give every segment, beside the data windows; every
// change of the utenze is a step of the data window's undo, and "Applica le
// portate" writes the design flows into the flow column as one step. The
// window follows every change of the project as it is made.
class portate : public Form {
    Q_OBJECT
public:
    explicit portate(AppContext& context, QWidget* parent = nullptr);
    ~portate() override;

    void Form_Load() override;
    void Form_Unload() override;

    void refresh();
    // The water method, building type or curve, or the gas simultaneity,
    // as the boxes now hold them; refused with a message (and the boxes
    // put back) when they do not read.
    void metodo_Change();
    void contemporaneita_Change();
    // Adds the utenza of the entry line to its segment.
    bool aggiungi_Click(NetworkKind kind);
    // Takes the utenza of the selected row away.
    bool togli_Click(NetworkKind kind);
    // An utenza edited in its table's row.
    bool utenza_Edit(NetworkKind kind, int row);
    // Writes the design flows into the network's flow column.
    bool applica_Click(NetworkKind kind);
    // The user's types and curves, edited in a dialog of their own.
    void propri_Click();
    void undo();
    void redo();
    void chiudi_Click();

    // The user's catalogue file (tests point it elsewhere before the load).
    QString catalogueFile = UserFlowCatalogueFile();

    QTabWidget* reti = nullptr;
    FlowsPanel* acqua = nullptr;
    FlowsPanel* gas = nullptr;
    QCheckBox* includi = nullptr;
    QPushButton* chiudi = nullptr;

private:
    FlowsPanel* panel(NetworkKind kind) const;
    void showSettings();
    void showCatalogues();
    void showUtenze(FlowsPanel& p);
    void showFlows(FlowsPanel& p, const DesignFlows& flows);
    void fillTypes();
    // The types the entry line offers: the project's, then the catalogue's.
    std::vector<FixtureType> offeredTypes() const;
    // Changes the utenze of rows first..last as one step.
    bool changeUtenze(NetworkKind kind, int first, int last, const std::function<void()>& change);
    void refuse(const QString& why);

    NetworkSteps m_steps;
    UserFlowCatalogue m_user;
    int m_listener = 0;
    bool m_showing = false;
};
