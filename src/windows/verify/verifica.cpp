#include "windows/verify/verifica.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/Forms.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/NetworkView.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/verify/NetworkPanel.h"
#include "windows/verify/NetworkSteps.h"
#include "windows/verify/SeriesEditor.h"
#include "windows/verify/SizingPanel.h"
#include "windows/verify/VerificationModels.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <type_traits>

namespace {

// What rows 1..count of a network hold of the cells typed in the window.
template <typename Network> std::vector<TypedRow> typedRows(const Network& network) {
    constexpr bool water = std::is_same_v<Network, WaterNetwork>;
    const auto value = [&](int r, int column) -> std::optional<double> {
        const Cell& cell = network.at(r, column);
        if (cell.isEmpty())
            return std::nullopt;
        return cell.value();
    };
    std::vector<TypedRow> typed(static_cast<size_t>(network.rows()));
    for (int r = 1; r <= network.rows(); ++r) {
        TypedRow& t = typed[static_cast<size_t>(r - 1)];
        t.namedUpstream = !network.at(r, Network::Table::UpstreamColumn).isEmpty();
        t.rise = value(r, Network::ElevationColumns[0]);
        t.concentrated = value(r, Network::ElevationColumns[1]);
        if constexpr (water)
            t.minimum = value(r, WaterColumn::pmin);
    }
    return typed;
}

QString limitRefusal(NetworkKind kind, int box) {
    if (kind == NetworkKind::Water) {
        switch (box) {
        case NetworkPanel::Velocity:
            return QStringLiteral("La velocità massima deve essere un numero maggiore di zero, "
                                  "in metri al secondo (per esempio 2,0).");
        case NetworkPanel::Head:
            return QStringLiteral("Il carico disponibile deve essere un numero maggiore di zero, "
                                  "in metri, oppure nulla se non è indicato.");
        case NetworkPanel::Source:
            return QStringLiteral("La pressione all'origine deve essere un numero maggiore di "
                                  "zero, in kPa, oppure nulla se non è indicata.");
        case NetworkPanel::Minimum:
            return QStringLiteral("La pressione minima ai terminali deve essere un numero "
                                  "maggiore di zero, in kPa, oppure nulla per %1 kPa.")
                .arg(PressureText(WaterLimits().minimumKPa));
        case NetworkPanel::Static:
            return QStringLiteral("La pressione statica all'origine deve essere un numero "
                                  "maggiore di zero, in kPa, oppure nulla se non è indicata.");
        default:
            return QStringLiteral("Il limite della pressione statica deve essere un numero "
                                  "maggiore di zero, in kPa, oppure nulla per %1 kPa.")
                .arg(PressureText(WaterLimits().staticLimitKPa));
        }
    }
    return QStringLiteral("Il limite del %1 deve essere un numero maggiore di zero, in millibar "
                          "(per esempio %2).")
        .arg(box == 0 ? QStringLiteral("metano") : QStringLiteral("GPL"),
             box == 0 ? QStringLiteral("1,0") : QStringLiteral("2,0"));
}

} // namespace

verifica::verifica(AppContext& context, QWidget* parent)
    : Form(context, parent)
    , m_steps(context) {
    setWindowTitle(QStringLiteral("Verifica della rete"));

    reti = new QTabWidget(this);
    reti->setObjectName(QStringLiteral("reti"));
    acqua = new NetworkPanel(NetworkKind::Water, reti);
    gas = new NetworkPanel(NetworkKind::Gas, reti);
    reti->addTab(acqua, QStringLiteral("Rete &acqua"));
    reti->addTab(gas, QStringLiteral("Rete &gas"));
    connect(reti, &QTabWidget::currentChanged, this, &verifica::refresh);
    for (NetworkPanel* p : {acqua, gas}) {
        const NetworkKind kind = p->kind();
        p->segments->editUpstream = [this, kind](int row, const QString& text) {
            return upstreamTyped(kind, row, text);
        };
        p->segments->editElevation = [this, kind](int row, int column, const QString& text) {
            return elevationTyped(kind, row, column, text);
        };
        p->paths->editElevation = [this, kind](int row, int column, const QString& text) {
            return elevationTyped(kind, row, column, text);
        };
        p->limitEdited = [this, kind](int box, const QString& text) {
            limitTyped(kind, box, text);
        };
        p->sizing->sizeRequested = [this, kind] { dimensiona_Click(kind); };
        p->sizing->applyRequested = [this, kind] { applica_Click(kind); };
    }
    gas->gasOptionsEdited = [this](HeightEffect effect, bool regulator) {
        gasOptionsChosen(effect, regulator);
    };
    acqua->sizing->seriesChosen = [this](const QString& name) { serie_Choose(name); };
    acqua->sizing->seriesEditRequested = [this] { serieEdit_Click(); };

    nota = new QLabel(QStringLiteral("Nella colonna 'a monte' si digita il tronco da cui ogni "
                                     "tronco è alimentato: 0 è l'origine della rete (contatore, "
                                     "riduttore, allacciamento); senza un numero è il tronco "
                                     "precedente. Un tronco che non ne alimenta altri è "
                                     "terminale: un'utenza o un apparecchio."),
                      this);
    nota->setObjectName(QStringLiteral("nota"));
    nota->setWordWrap(true);

    includi = new QCheckBox(QStringLiteral("&includi la verifica nella relazione"), this);
    includi->setObjectName(QStringLiteral("includi"));
    includi->setToolTip(QStringLiteral("la relazione tecnica termina con la sezione VERIFICA "
                                       "DELLA RETE"));
    connect(includi, &QCheckBox::toggled, this,
            [this](bool on) { SetReportVerification(m_ctx.state, on); });

    chiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("chiudi"));
    chiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    connect(chiudi, &QPushButton::clicked, this, &verifica::chiudi_Click);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(includi);
    bottom->addStretch(1);
    bottom->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reti, 1);
    layout->addWidget(nota);
    layout->addLayout(bottom);

    // The data windows' keys for undo and redo, for the network of the tab.
    m_steps.addKeys(*this, [this] {
        return reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water;
    });

    // F1: the page of the verification, or of the sizing while the tab
    // shown holds a proposal.
    AddHelpKey(*this, context.forms, [this] {
        const NetworkPanel* shown = reti->currentWidget() == gas ? gas : acqua;
        return QString(shown->sizing->proposta->isHidden() ? WindowName::guidaverifica
                                                           : WindowName::guidadimensiona);
    });
}

verifica::~verifica() {
    stopObserving();
}

void verifica::Form_Load() {
    // The note takes more lines as the window narrows, and a window's
    // smallest size does not follow a text's lines: it is kept as tall as
    // the note is at the smallest width.
    layout()->activate();
    const QMargins margins = layout()->contentsMargins();
    nota->setMinimumHeight(
        nota->heightForWidth(minimumSizeHint().width() - margins.left() - margins.right()));
    m_machineSeries = WaterSeriesCatalogue(seriesFile);
    observe();
    refresh();
    // A little larger than the main windows, or as wide as the tables of
    // the network shown want where the screen has the room; centred on it.
    const NetworkPanel* shown =
        m_ctx.state.project.water.rows() == 0 && m_ctx.state.project.gas.rows() > 0 ? gas : acqua;
    int width =
        std::max(twipsX(12600), shown->wholeWidth() + margins.left() + margins.right() +
                                    2 * reti->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    if (const QScreen* screen = this->screen())
        width = std::min(width, screen->availableGeometry().width() * 19 / 20);
    resize(std::max(width, minimumSizeHint().width()), twipsY(7600));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // A window without water rows opens on the gas network.
    if (m_ctx.state.project.water.rows() == 0 && m_ctx.state.project.gas.rows() > 0)
        reti->setCurrentWidget(gas);
}

void verifica::Form_Unload() {
    stopObserving();
}

void verifica::observe() {
    stopObserving();
    m_listener = m_ctx.state.session.listeners.add([this](ProjectEvent) {
        // A proposal made for the project as it was is no longer one.
        dropProposals();
        refresh();
    });
}

void verifica::stopObserving() {
    if (m_listener != 0)
        m_ctx.state.session.listeners.remove(m_listener);
    m_listener = 0;
}

void verifica::refresh() {
    ApplicationState& s = m_ctx.state;
    // The network of the tab shown; the other when its tab is chosen.
    if (reti->currentWidget() == acqua)
        acqua->showVerification(s.project.waterVerification(), typedRows(s.project.water),
                                OtherFlowsText(s.project.rowsWithOtherFlows(NetworkKind::Water)));
    else
        gas->showVerification(s.project.gasVerification(), typedRows(s.project.gas),
                              OtherFlowsText(s.project.rowsWithOtherFlows(NetworkKind::Gas)));
    acqua->showLimits(s.project.extension());
    gas->showLimits(s.project.extension());
    m_catalogue = WithProjectSeries(m_machineSeries, s.project.extension());
    showSeries();
    if (includi->isChecked() != s.project.extension().reportVerification) {
        const QSignalBlocker block(includi);
        includi->setChecked(s.project.extension().reportVerification);
    }
}

NetworkPanel* verifica::panel(NetworkKind kind) const {
    return kind == NetworkKind::Water ? acqua : gas;
}

bool verifica::upstreamTyped(NetworkKind kind, int row, const QString& text) {
    const Notice refusal = m_steps.editing(kind).typeUpstream(row, text);
    if (!refusal.isEmpty()) {
        m_ctx.services.messages.MsgBox(refusal.text, MsgButtons::Ok, refusal.icon,
                                       m_ctx.state.program.CheckTitle, this);
        return false;
    }
    return true;
}

bool verifica::elevationTyped(NetworkKind kind, int row, int column, const QString& text) {
    TableEditing& editing = m_steps.editing(kind);
    const Notice refusal = editing.typeElevation(row, column, text);
    if (!refusal.isEmpty()) {
        m_ctx.services.messages.MsgBox(refusal.text, MsgButtons::Ok, refusal.icon,
                                       m_ctx.state.program.CheckTitle, this);
        return false;
    }
    // A value typed in a cell of the tables is a step of its own, however
    // often the same cell is typed again.
    editing.seal();
    m_steps.showInDataWindow(kind);
    return true;
}

void verifica::limitTyped(NetworkKind kind, int box, const QString& text) {
    ApplicationState& s = m_ctx.state;
    const std::optional<double> value = ReadLimitText(text);
    // The boxes that may be left empty: none, or the default.
    const bool mayBeEmpty = kind == NetworkKind::Water && box != NetworkPanel::Velocity;
    const bool empty = text.trimmed().isEmpty();
    if (!value && !(mayBeEmpty && empty)) {
        m_ctx.services.messages.MsgBox(limitRefusal(kind, box), MsgButtons::Ok,
                                       NoticeIcon::Critical, s.program.CheckTitle, this);
        panel(kind)->showLimits(s.project.extension());
        return;
    }
    if (kind == NetworkKind::Water) {
        WaterLimits limits = s.project.extension().waterLimits;
        const WaterLimits defaults;
        switch (box) {
        case NetworkPanel::Velocity:
            limits.velocity = *value;
            break;
        case NetworkPanel::Head:
            limits.head = value;
            break;
        case NetworkPanel::Source:
            limits.sourceKPa = value;
            break;
        case NetworkPanel::Minimum:
            limits.minimumKPa = value.value_or(defaults.minimumKPa);
            break;
        case NetworkPanel::Static:
            limits.staticKPa = value;
            break;
        default:
            limits.staticLimitKPa = value.value_or(defaults.staticLimitKPa);
            break;
        }
        SetWaterLimits(s, limits);
    } else {
        GasLimits limits = s.project.extension().gasLimits;
        (box == NetworkPanel::Metano ? limits.metano : limits.gpl) = *value;
        SetGasLimits(s, limits);
    }
    // The text as the window writes it (1.5 becomes 1,5).
    panel(kind)->showLimits(s.project.extension());
}

void verifica::gasOptionsChosen(HeightEffect effect, bool regulator) {
    ApplicationState& s = m_ctx.state;
    GasLimits limits = s.project.extension().gasLimits;
    limits.heightEffect = effect;
    limits.regulator = regulator;
    SetGasLimits(s, limits);
}

void verifica::undo() {
    m_steps.undo(reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water);
}

void verifica::redo() {
    m_steps.redo(reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water);
}

QString verifica::projectSeries() const {
    const QString& chosen = m_ctx.state.project.extension().waterSeries;
    return chosen.isEmpty() ? DefaultWaterSeriesName() : chosen;
}

void verifica::showSeries() {
    // The list is filled again only when the series shown has to change.
    const QString chosen = projectSeries();
    if (chosen != m_seriesShown || acqua->sizing->chosenSeries() != chosen) {
        m_seriesShown = chosen;
        acqua->sizing->showSeries(m_catalogue, chosen);
    }
}

void verifica::dropProposals() {
    acqua->sizing->hideProposal();
    gas->sizing->hideProposal();
    m_waterProposal = SizingProposal();
    m_gasProposal = SizingProposal();
}

void verifica::dimensiona_Click(NetworkKind kind) {
    ApplicationState& s = m_ctx.state;
    SizingProposal& proposal = kind == NetworkKind::Water ? m_waterProposal : m_gasProposal;
    if (kind == NetworkKind::Gas) {
        proposal = SizeGasNetwork(s.project);
    } else if (const PipeSeries* series = FindSeries(m_catalogue, acqua->sizing->chosenSeries())) {
        proposal = SizeWaterNetwork(s.project, *series);
    } else {
        proposal = SizingProposal();
        proposal.message = QStringLiteral("La serie «%1» non è tra quelle disponibili: sceglierne "
                                          "un'altra, o aggiungerla con \"Serie...\".")
                               .arg(acqua->sizing->chosenSeries());
    }
    panel(kind)->sizing->showProposal(proposal);
    if (!proposal.passed)
        m_ctx.services.messages.MsgBox(proposal.message, MsgButtons::Ok, NoticeIcon::Exclamation,
                                       s.program.CheckTitle, this);
}

void verifica::applica_Click(NetworkKind kind) {
    const SizingProposal proposal = kind == NetworkKind::Water ? m_waterProposal : m_gasProposal;
    if (!proposal.passed)
        return;
    ApplySizing(m_ctx.state, m_steps.editing(kind), proposal);
    m_steps.showInDataWindow(kind);
}

void verifica::serie_Choose(const QString& name) {
    if (const PipeSeries* series = FindSeries(m_catalogue, name))
        SetWaterSeries(m_ctx.state, *series);
}

void verifica::serieEdit_Click() {
    SeriesEditor editor(m_ctx, seriesFile, this);
    editor.exec();
    m_machineSeries = WaterSeriesCatalogue(seriesFile);
    m_catalogue = WithProjectSeries(m_machineSeries, m_ctx.state.project.extension());
    m_seriesShown.clear();
    showSeries();
}

void verifica::chiudi_Click() {
    closeFromButton(Closing::Unloads);
}
