#include "windows/verify/portate.h"

#include "core/model/NumberText.h"
#include "core/model/Verification.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "windows/frame/Forms.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/NetworkView.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/verify/FlowCatalogueEditor.h"
#include "windows/verify/NetworkSteps.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString italian(double value, int decimals) {
    return FormatFixed(value, decimals, ProgramLocale());
}

QString flowUnit(NetworkKind kind) {
    return kind == NetworkKind::Water ? QStringLiteral("l/s") : QStringLiteral("m³/h");
}

std::optional<int> wholeCount(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 9999 ? std::optional<int>(n) : std::nullopt;
}

QTableWidgetItem* item(const QString& text, bool editable) {
    auto* i = new QTableWidgetItem(text);
    if (!editable)
        i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    return i;
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& heads) {
    auto* t = new QTableWidget(0, static_cast<int>(heads.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

// The utenze of a row of either network, read and written whole.
std::vector<WaterOutlet> utenzeOf(const WaterNetwork& net, int row) {
    return WaterOutletsOf(net.at(row, WaterColumn::utenze));
}
std::vector<GasAppliance> utenzeOf(const GasNetwork& net, int row) {
    return GasAppliancesOf(net.at(row, GasColumn::utenze));
}
void setUtenze(WaterNetwork& net, int row, const std::vector<WaterOutlet>& outlets) {
    net.SetWaterOutlets(row, outlets);
}
void setUtenze(GasNetwork& net, int row, const std::vector<GasAppliance>& appliances) {
    net.SetGasAppliances(row, appliances);
}

// Takes the utenza at `index` of row `from` away (none for index -1) and
// puts `edited`, when given, in its place, or after the utenze of row `to`
// when it moves or is new.
template <typename Net, typename Utenza>
void replaceUtenza(Net& net, int from, int index, int to, const std::optional<Utenza>& edited) {
    std::vector<Utenza> own = utenzeOf(net, from);
    const bool inPlace = edited && index >= 0 && to == from;
    if (index >= 0) {
        own.erase(own.begin() + index);
        if (inPlace)
            own.insert(own.begin() + index, *edited);
        setUtenze(net, from, own);
    }
    if (edited && !inPlace) {
        std::vector<Utenza> target = utenzeOf(net, to);
        target.push_back(*edited);
        setUtenze(net, to, target);
    }
}

QString typeCaption(const FixtureType& t) {
    return QStringLiteral("%1 (%2 l/s, %3 UC)")
        .arg(t.name, italian(t.flowLs, 2), NumberToText(t.loadingUnits));
}

} // namespace

FlowsPanel::FlowsPanel(NetworkKind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind) {
    const bool water = kind == NetworkKind::Water;
    auto* settings = new QFormLayout;
    if (water) {
        metodo = new QComboBox(this);
        metodo->setObjectName(QStringLiteral("metodo"));
        for (const WaterFlowMethod m :
             {WaterFlowMethod::Sum, WaterFlowMethod::Din, WaterFlowMethod::Curve})
            metodo->addItem(WaterFlowMethodName(m), static_cast<int>(m));
        edificio = new QComboBox(this);
        edificio->setObjectName(QStringLiteral("edificio"));
        for (const DinBuilding& b : DinBuildings())
            edificio->addItem(QString::fromUtf8(b.title), QString::fromUtf8(b.name));
        curva = new QLineEdit(this);
        curva->setObjectName(QStringLiteral("curva"));
        curva->setToolTip(QStringLiteral("il nome della curva, per esempio quella della norma da "
                                         "cui si sono presi i punti"));
        punti = new QLineEdit(this);
        punti->setObjectName(QStringLiteral("punti"));
        punti->setToolTip(QStringLiteral("i punti della curva: unità di carico e portata in l/s, "
                                         "separati da punto e virgola (per esempio 1 0,1; 10 "
                                         "0,6; 100 2,5)"));
        catalogo = new QComboBox(this);
        catalogo->setObjectName(QStringLiteral("catalogo"));
        settings->addRow(QStringLiteral("&metodo"), metodo);
        settings->addRow(QStringLiteral("&tipo di edificio"), edificio);
        settings->addRow(QStringLiteral("&curva"), curva);
        settings->addRow(QStringLiteral("&punti della curva"), punti);
        propri = new QPushButton(QStringLiteral("Tipi e c&urve..."), this);
        propri->setObjectName(QStringLiteral("propri"));
        propri->setToolTip(QStringLiteral("cliccare per scrivere i propri tipi di utenza e le "
                                          "proprie curve di contemporaneità"));
        auto* catalogueLine = new QHBoxLayout;
        catalogueLine->addWidget(catalogo, 1);
        catalogueLine->addWidget(propri);
        // A label over a row of two controls names its first itself.
        auto* catalogueLabel = new QLabel(QStringLiteral("ti&pi di utenza da"), this);
        catalogueLabel->setBuddy(catalogo);
        settings->addRow(catalogueLabel, catalogueLine);
    } else {
        contemporaneita = new QLineEdit(this);
        contemporaneita->setObjectName(QStringLiteral("contemporaneita"));
        contemporaneita->setToolTip(
            QStringLiteral("facoltativa: apparecchi serviti e coefficiente, separati da punto e "
                           "virgola (per esempio 2 0,8; 5 0,6); vuota, tutti gli apparecchi "
                           "funzionano insieme"));
        settings->addRow(QStringLiteral("&contemporaneità"), contemporaneita);
    }

    tronco = new QSpinBox(this);
    tronco->setObjectName(QStringLiteral("tronco"));
    tronco->setRange(1, 500);
    numero = new QSpinBox(this);
    numero->setObjectName(QStringLiteral("numero"));
    numero->setRange(1, 9999);
    aggiungi = new QPushButton(QStringLiteral("A&ggiungi"), this);
    aggiungi->setObjectName(QStringLiteral("aggiungi"));
    aggiungi->setToolTip(QStringLiteral("cliccare per aggiungere l'utenza al tronco"));
    togli = new QPushButton(QStringLiteral("T&ogli"), this);
    togli->setObjectName(QStringLiteral("togli"));
    togli->setToolTip(QStringLiteral("cliccare per togliere l'utenza scelta nella tabella"));
    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("tronco"), this));
    entry->addWidget(tronco);
    if (water) {
        tipo = new QComboBox(this);
        tipo->setObjectName(QStringLiteral("tipo"));
        tipo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        tipo->setMinimumContentsLength(28);
        entry->addWidget(tipo);
    } else {
        apparecchio = new QLineEdit(this);
        apparecchio->setObjectName(QStringLiteral("apparecchio"));
        apparecchio->setPlaceholderText(QStringLiteral("apparecchio"));
        apparecchio->setMinimumWidth(apparecchio->fontMetrics().horizontalAdvance(
            QStringLiteral("piano cottura a 4 fuochi")));
        potenza = new QLineEdit(this);
        potenza->setObjectName(QStringLiteral("potenza"));
        potenza->setPlaceholderText(QStringLiteral("kW"));
        potenza->setMaximumWidth(80);
        entry->addWidget(apparecchio, 1);
        entry->addWidget(potenza);
    }
    entry->addWidget(new QLabel(QStringLiteral("n."), this));
    entry->addWidget(numero);
    entry->addWidget(aggiungi);
    entry->addWidget(togli);
    entry->addStretch(1);

    utenze = table(this, "utenze",
                   water ? QStringList{QStringLiteral("tronco"), QStringLiteral("tipo"),
                                       QStringLiteral("numero")}
                         : QStringList{QStringLiteral("tronco"), QStringLiteral("apparecchio"),
                                       QStringLiteral("P (kW)"), QStringLiteral("numero")});
    portate = table(this, "portate", {});
    portate->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // At the window's smallest size both tables still show their heads
    // whole and a few rows.
    const QFontMetrics metrics = fontMetrics();
    for (QTableWidget* t : {utenze, portate})
        t->setMinimumHeight(metrics.height() * 9);
    portate->setMinimumWidth(metrics.horizontalAdvance(
                                 QStringLiteral("tronco  ΣVR (l/s)  di progetto  nei dati  nota")) +
                             metrics.height() * 3);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("Utenze dei tronchi"), left));
    leftLayout->addWidget(utenze, 1);
    leftLayout->addLayout(entry);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(
        new QLabel(QStringLiteral("Portate di progetto (%1)").arg(flowUnit(kind)), right));
    rightLayout->addWidget(portate, 1);
    split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    // Halves of the width, whatever it is.
    split->setSizes({10000, 10000});

    esito = new QLabel(this);
    esito->setObjectName(QStringLiteral("esito"));
    esito->setWordWrap(true);
    applica = new QPushButton(QStringLiteral("Applica le &portate"), this);
    applica->setObjectName(QStringLiteral("applica"));
    applica->setToolTip(QStringLiteral("cliccare per scrivere le portate di progetto nella "
                                       "colonna delle portate (Ctrl+Z le toglie)"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(esito, 1);
    bottom->addWidget(applica);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
}

portate::portate(AppContext& context, QWidget* parent)
    : Form(context, parent)
    , m_steps(context) {
    setWindowTitle(QStringLiteral("Utenze e portate"));
    reti = new QTabWidget(this);
    reti->setObjectName(QStringLiteral("reti"));
    acqua = new FlowsPanel(NetworkKind::Water, reti);
    gas = new FlowsPanel(NetworkKind::Gas, reti);
    reti->addTab(acqua, QStringLiteral("Rete &acqua"));
    reti->addTab(gas, QStringLiteral("Rete &gas"));
    connect(reti, &QTabWidget::currentChanged, this, &portate::refresh);

    connect(acqua->metodo, &QComboBox::activated, this, &portate::metodo_Change);
    connect(acqua->edificio, &QComboBox::activated, this, &portate::metodo_Change);
    connect(acqua->curva, &QLineEdit::editingFinished, this, &portate::metodo_Change);
    connect(acqua->punti, &QLineEdit::editingFinished, this, &portate::metodo_Change);
    connect(acqua->catalogo, &QComboBox::activated, this, &portate::fillTypes);
    connect(acqua->propri, &QPushButton::clicked, this, &portate::propri_Click);
    connect(gas->contemporaneita, &QLineEdit::editingFinished, this,
            &portate::contemporaneita_Change);
    for (FlowsPanel* p : {acqua, gas}) {
        const NetworkKind kind = p->kind();
        connect(p->aggiungi, &QPushButton::clicked, this, [this, kind] { aggiungi_Click(kind); });
        connect(p->togli, &QPushButton::clicked, this, [this, kind] { togli_Click(kind); });
        connect(p->applica, &QPushButton::clicked, this, [this, kind] { applica_Click(kind); });
        connect(p->utenze, &QTableWidget::cellChanged, this, [this, kind](int row, int) {
            if (!m_showing)
                utenza_Edit(kind, row);
        });
    }

    chiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("chiudi"));
    chiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    connect(chiudi, &QPushButton::clicked, this, &portate::chiudi_Click);
    auto* note = new QLabel(QStringLiteral("La portata di un tronco viene da tutte le utenze "
                                           "che alimenta: le sue e quelle dei tronchi a valle, "
                                           "secondo i tronchi a monte della verifica."),
                            this);
    note->setWordWrap(true);
    includi = new QCheckBox(QStringLiteral("&includi le portate nella relazione"), this);
    includi->setObjectName(QStringLiteral("includi"));
    includi->setToolTip(QStringLiteral("la relazione tecnica riporta la sezione PORTATE DI "
                                       "PROGETTO"));
    connect(includi, &QCheckBox::toggled, this,
            [this](bool on) { SetReportFlows(m_ctx.state, on); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(includi);
    bottom->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reti, 1);
    layout->addLayout(bottom);

    m_steps.addKeys(*this, [this] {
        return reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water;
    });
    AddHelpKey(*this, context.forms, WindowName::guidaportate);
}

portate::~portate() {
    if (m_listener != 0)
        m_ctx.state.session.listeners.remove(m_listener);
}

void portate::Form_Load() {
    resize(twipsX(15000), twipsY(7600));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    showCatalogues();
    if (m_listener == 0)
        m_listener = m_ctx.state.session.listeners.add([this](ProjectEvent) { refresh(); });
    fillTypes();
    refresh();
    if (m_ctx.state.project.water.rows() == 0 && m_ctx.state.project.gas.rows() > 0)
        reti->setCurrentWidget(gas);
}

void portate::showCatalogues() {
    m_user = LoadUserFlowCatalogue(catalogueFile);
    const QString chosen = acqua->catalogo->currentText();
    acqua->catalogo->clear();
    for (const FixtureCatalogue& c : ShippedFixtureCatalogues())
        acqua->catalogo->addItem(c.name);
    if (!m_user.types.empty())
        acqua->catalogo->addItem(QStringLiteral("tipi propri"));
    const int again = acqua->catalogo->findText(chosen);
    acqua->catalogo->setCurrentIndex(again < 0 ? 0 : again);
}

void portate::propri_Click() {
    FlowCatalogueEditor editor(m_ctx, catalogueFile, this);
    editor.curveUsed = [this, &editor](const FlowCurve& curve) {
        WaterFlowSettings f = m_ctx.state.project.extension().waterFlows;
        f.method = WaterFlowMethod::Curve;
        f.building.clear();
        f.curve = curve;
        SetWaterFlows(m_ctx.state, f);
        refresh();
        editor.accept();
    };
    editor.exec();
    showCatalogues();
    fillTypes();
}

void portate::Form_Unload() {
    if (m_listener != 0)
        m_ctx.state.session.listeners.remove(m_listener);
    m_listener = 0;
}

FlowsPanel* portate::panel(NetworkKind kind) const {
    return kind == NetworkKind::Water ? acqua : gas;
}

void portate::refuse(const QString& why) {
    m_ctx.services.messages.MsgBox(why, MsgButtons::Ok, NoticeIcon::Critical,
                                   m_ctx.state.program.CheckTitle, this);
}

void portate::refresh() {
    const Project& project = m_ctx.state.project;
    m_showing = true;
    showSettings();
    // The network of the tab shown; the other when its tab is chosen.
    FlowsPanel& p = reti->currentWidget() == gas ? *gas : *acqua;
    showUtenze(p);
    showFlows(p, p.kind() == NetworkKind::Water ? project.waterDesignFlows()
                                                : project.gasDesignFlows());
    m_showing = false;
}

void portate::showSettings() {
    const ProjectExtension& x = m_ctx.state.project.extension();
    const WaterFlowSettings& f = x.waterFlows;
    acqua->metodo->setCurrentIndex(acqua->metodo->findData(static_cast<int>(f.method)));
    const int building = acqua->edificio->findData(f.building);
    acqua->edificio->setCurrentIndex(building < 0 ? 0 : building);
    acqua->edificio->setEnabled(f.method == WaterFlowMethod::Din);
    for (QLineEdit* box : {acqua->curva, acqua->punti})
        box->setEnabled(f.method == WaterFlowMethod::Curve);
    if (!acqua->curva->hasFocus())
        acqua->curva->setText(f.curve.name);
    if (!acqua->punti->hasFocus())
        acqua->punti->setText(WithDecimalSeparator(CurvePointsText(f.curve), ProgramLocale()));
    if (includi->isChecked() != x.reportFlows) {
        const QSignalBlocker block(includi);
        includi->setChecked(x.reportFlows);
    }
    if (!gas->contemporaneita->hasFocus())
        gas->contemporaneita->setText(
            WithDecimalSeparator(SimultaneityText(x.gasFlows.simultaneity), ProgramLocale()));
}

std::vector<FixtureType> portate::offeredTypes() const {
    std::vector<FixtureType> types = m_ctx.state.project.extension().waterFlows.types;
    const QString chosen = acqua->catalogo->currentText();
    const std::vector<FixtureType>* from = &m_user.types;
    for (const FixtureCatalogue& c : ShippedFixtureCatalogues()) {
        if (c.name == chosen)
            from = &c.types;
    }
    for (const FixtureType& t : *from) {
        if (!FindFixtureType(types, t.name))
            types.push_back(t);
    }
    return types;
}

void portate::fillTypes() {
    const QString current = acqua->tipo->currentData().toString();
    acqua->tipo->clear();
    for (const FixtureType& t : offeredTypes())
        acqua->tipo->addItem(typeCaption(t), t.name);
    const int again = acqua->tipo->findData(current);
    if (again >= 0)
        acqua->tipo->setCurrentIndex(again);
}

void portate::showUtenze(FlowsPanel& p) {
    const Project& project = m_ctx.state.project;
    const bool water = p.kind() == NetworkKind::Water;
    const int rows = water ? project.water.rows() : project.gas.rows();
    p.tronco->setMaximum(std::max(rows, 1));
    p.listed.clear();
    std::vector<QStringList> lines;
    for (int r = 1; r <= rows; ++r) {
        if (water) {
            const std::vector<WaterOutlet> outlets =
                WaterOutletsOf(project.water.at(r, WaterColumn::utenze));
            for (size_t i = 0; i < outlets.size(); ++i) {
                p.listed.emplace_back(r, static_cast<int>(i));
                lines.push_back(
                    {QString::number(r), outlets[i].type, QString::number(outlets[i].count)});
            }
        } else {
            const std::vector<GasAppliance> appliances =
                GasAppliancesOf(project.gas.at(r, GasColumn::utenze));
            for (size_t i = 0; i < appliances.size(); ++i) {
                p.listed.emplace_back(r, static_cast<int>(i));
                lines.push_back({QString::number(r), appliances[i].name,
                                 NumberToText(appliances[i].kW).replace(u'.', u','),
                                 QString::number(appliances[i].count)});
            }
        }
    }
    const int selected = p.utenze->currentRow();
    p.utenze->setRowCount(static_cast<int>(lines.size()));
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        for (int c = 0; c < static_cast<int>(lines[static_cast<size_t>(i)].size()); ++c)
            p.utenze->setItem(i, c, item(lines[static_cast<size_t>(i)][c], true));
    }
    if (selected >= 0 && selected < p.utenze->rowCount())
        p.utenze->selectRow(selected);
    p.togli->setEnabled(!lines.empty());
}

void portate::showFlows(FlowsPanel& p, const DesignFlows& flows) {
    const Project& project = m_ctx.state.project;
    const bool water = p.kind() == NetworkKind::Water;
    const ServedMeasure measure = ServedMeasureOf(
        p.kind(), water ? project.extension().waterFlows.method : WaterFlowMethod::Sum);
    const QString served =
        measure.unit.isEmpty() ? measure.caption : measure.caption + " (" + measure.unit + ")";
    p.portate->setColumnCount(5);
    p.portate->setHorizontalHeaderLabels({QStringLiteral("tronco"), served,
                                          QStringLiteral("di progetto"), QStringLiteral("nei dati"),
                                          QStringLiteral("nota")});
    std::vector<int> shown;
    for (int r = 1; r <= flows.count(); ++r) {
        if (flows.row(r).serves || !flows.row(r).problem.isEmpty())
            shown.push_back(r);
    }
    p.portate->setRowCount(static_cast<int>(shown.size()));
    QString problem;
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        const int r = shown[static_cast<size_t>(i)];
        const SegmentDesignFlow& f = flows.row(r);
        const Cell& typed =
            water ? project.water.at(r, WaterColumn::port) : project.gas.at(r, GasColumn::portgas);
        const bool differs = f.flow && FlowDiffers(typed, *f.flow);
        p.portate->setItem(i, 0, item(QString::number(r), false));
        p.portate->setItem(i, 1, item(italian(f.served, measure.unit.isEmpty() ? 1 : 2), false));
        p.portate->setItem(
            i, 2, item(f.flow ? DesignFlowText(*f.flow).replace(u'.', u',') : QString(), false));
        QTableWidgetItem* data =
            item(typed.isEmpty() ? QString()
                                 : WithDecimalSeparator(typed.displayText(), ProgramLocale()),
                 false);
        if (differs) {
            QFont bold = data->font();
            bold.setBold(true);
            data->setFont(bold);
            data->setForeground(Qt::red);
        }
        p.portate->setItem(i, 3, data);
        p.portate->setItem(i, 4,
                           item(!f.problem.isEmpty()
                                    ? f.problem
                                    : (differs ? QStringLiteral("diversa") : QString()),
                                false));
        if (problem.isEmpty() && !f.problem.isEmpty())
            problem = QStringLiteral("Non tutte le portate si calcolano: %1.").arg(f.problem);
    }
    const std::vector<int> other = project.rowsWithOtherFlows(p.kind());
    QString verdict;
    if (!flows.any)
        verdict = QStringLiteral("La rete non ha utenze: si aggiungono tronco per tronco con la "
                                 "riga sotto la tabella delle utenze.");
    else if (!other.empty())
        verdict = OtherFlowsText(other);
    else
        verdict = QStringLiteral("Le portate dei dati corrispondono alle utenze");
    if (flows.any) {
        verdict = verdict.left(1).toUpper() + verdict.mid(1) + u'.';
        if (water)
            verdict = QStringLiteral("Metodo: %1. ")
                          .arg(WaterFlowMethodText(project.extension().waterFlows)) +
                      verdict;
    }
    if (!problem.isEmpty())
        verdict += u' ' + problem;
    p.esito->setText(verdict);
    p.applica->setEnabled(!other.empty());
}

void portate::metodo_Change() {
    ApplicationState& s = m_ctx.state;
    WaterFlowSettings f = s.project.extension().waterFlows;
    f.method = static_cast<WaterFlowMethod>(acqua->metodo->currentData().toInt());
    f.building =
        f.method == WaterFlowMethod::Din ? acqua->edificio->currentData().toString() : QString();
    if (f.method == WaterFlowMethod::Curve) {
        const QString name = acqua->curva->text().trimmed().isEmpty()
                                 ? QStringLiteral("curva del progetto")
                                 : acqua->curva->text();
        // An empty curve is not refused while it is being written: the
        // method waits for its points.
        if (!acqua->punti->text().trimmed().isEmpty()) {
            const Result<FlowCurve> curve = ReadFlowCurve(name, acqua->punti->text(), {});
            if (!curve) {
                refuse(curve.error());
                showSettings();
                return;
            }
            f.curve = curve.value();
        } else {
            f.curve = FlowCurve{name, {}};
        }
    }
    if (!(f == s.project.extension().waterFlows))
        SetWaterFlows(s, f);
    refresh();
}

void portate::contemporaneita_Change() {
    ApplicationState& s = m_ctx.state;
    const Result<std::vector<SimultaneityStep>> steps =
        ReadSimultaneity(gas->contemporaneita->text());
    if (!steps) {
        refuse(steps.error());
        showSettings();
        return;
    }
    GasFlowSettings f = s.project.extension().gasFlows;
    f.simultaneity = steps.value();
    if (!(f == s.project.extension().gasFlows))
        SetGasFlows(s, f);
}

bool portate::changeUtenze(NetworkKind kind, int first, int last,
                           const std::function<void()>& change) {
    const bool recorded = m_steps.editing(kind).record(first, last, std::nullopt, change);
    m_steps.editing(kind).seal();
    if (recorded)
        m_steps.showInDataWindow(kind);
    refresh();
    return recorded;
}

bool portate::aggiungi_Click(NetworkKind kind) {
    ApplicationState& s = m_ctx.state;
    FlowsPanel& p = *panel(kind);
    const int rows = kind == NetworkKind::Water ? s.project.water.rows() : s.project.gas.rows();
    const int r = p.tronco->value();
    if (r < 1 || r > rows) {
        refuse(QStringLiteral("La rete non ha il tronco n. %1: le utenze si aggiungono ai "
                              "tronchi della tabella dei dati.")
                   .arg(r));
        return false;
    }
    if (kind == NetworkKind::Water) {
        const QString name = p.tipo->currentData().toString();
        const std::vector<FixtureType> offered = offeredTypes();
        const FixtureType* type = FindFixtureType(offered, name);
        if (!type) {
            refuse(QStringLiteral("Scegliere il tipo dell'utenza nell'elenco."));
            return false;
        }
        // The project carries every type it uses.
        WaterFlowSettings f = s.project.extension().waterFlows;
        if (!FindFixtureType(f.types, name)) {
            f.types.push_back(*type);
            SetWaterFlows(s, f);
        }
        const WaterOutlet added{name, p.numero->value()};
        return changeUtenze(
            kind, r, r, [&] { replaceUtenza(s.project.water, r, -1, r, std::optional(added)); });
    }
    const QString name = p.apparecchio->text().trimmed();
    if (const QString why = RefuseUtenzaName(name); !why.isEmpty()) {
        refuse(QStringLiteral("Apparecchio: ") + why);
        return false;
    }
    const std::optional<double> kW = ReadLimitText(p.potenza->text());
    if (!kW) {
        refuse(QStringLiteral("La portata termica nominale dell'apparecchio è un numero maggiore "
                              "di zero, in kW (per esempio 24 o 7,5)."));
        return false;
    }
    const GasAppliance added{name, *kW, p.numero->value()};
    return changeUtenze(kind, r, r,
                        [&] { replaceUtenza(s.project.gas, r, -1, r, std::optional(added)); });
}

bool portate::togli_Click(NetworkKind kind) {
    ApplicationState& s = m_ctx.state;
    FlowsPanel& p = *panel(kind);
    const int row = p.utenze->currentRow();
    if (row < 0 || row >= static_cast<int>(p.listed.size()))
        return false;
    const auto [r, index] = p.listed[static_cast<size_t>(row)];
    return changeUtenze(kind, r, r, [&] {
        if (kind == NetworkKind::Water)
            replaceUtenza(s.project.water, r, index, r, std::optional<WaterOutlet>());
        else
            replaceUtenza(s.project.gas, r, index, r, std::optional<GasAppliance>());
    });
}

bool portate::utenza_Edit(NetworkKind kind, int row) {
    ApplicationState& s = m_ctx.state;
    FlowsPanel& p = *panel(kind);
    if (row < 0 || row >= static_cast<int>(p.listed.size()))
        return false;
    const auto [from, index] = p.listed[static_cast<size_t>(row)];
    const auto text = [&](int column) {
        const QTableWidgetItem* i = p.utenze->item(row, column);
        return i ? i->text() : QString();
    };
    const bool water = kind == NetworkKind::Water;
    const int rows = water ? s.project.water.rows() : s.project.gas.rows();
    const std::optional<int> to = wholeCount(text(0));
    const std::optional<int> count = wholeCount(text(water ? 2 : 3));
    QString why;
    if (!to || *to > rows)
        why = QStringLiteral("«%1» non è un tronco della rete: un numero da 1 a %2.")
                  .arg(text(0).trimmed())
                  .arg(rows);
    else if (!count)
        why = QStringLiteral("«%1» non è un numero di utenze: un numero intero da 1 a 9999 (per "
                             "toglierla, Togli).")
                  .arg(text(water ? 2 : 3).trimmed());
    const QString name = text(1).trimmed();
    std::optional<double> kW;
    if (why.isEmpty() && water && !FindFixtureType(offeredTypes(), name))
        why = QStringLiteral("Il tipo «%1» non è tra quelli del progetto né del catalogo scelto.")
                  .arg(name);
    if (why.isEmpty() && !water) {
        if (const QString bad = RefuseUtenzaName(name); !bad.isEmpty())
            why = QStringLiteral("Apparecchio: ") + bad;
        kW = ReadLimitText(text(2));
        if (why.isEmpty() && !kW)
            why = QStringLiteral("La portata termica nominale dell'apparecchio è un numero "
                                 "maggiore di zero, in kW (per esempio 24 o 7,5).");
    }
    if (!why.isEmpty()) {
        refuse(why);
        refresh();
        return false;
    }
    if (water) {
        WaterFlowSettings f = s.project.extension().waterFlows;
        if (!FindFixtureType(f.types, name)) {
            f.types.push_back(*FindFixtureType(offeredTypes(), name));
            SetWaterFlows(s, f);
        }
    }
    return changeUtenze(kind, std::min(from, *to), std::max(from, *to), [&] {
        if (water)
            replaceUtenza(s.project.water, from, index, *to,
                          std::optional(WaterOutlet{name, *count}));
        else
            replaceUtenza(s.project.gas, from, index, *to,
                          std::optional(GasAppliance{name, *kW, *count}));
    });
}

bool portate::applica_Click(NetworkKind kind) {
    ApplicationState& s = m_ctx.state;
    const NetworkVerification& v =
        kind == NetworkKind::Water ? s.project.waterVerification() : s.project.gasVerification();
    if (!v.dataPassed) {
        refuse(v.dataMessage);
        return false;
    }
    const int rows = kind == NetworkKind::Water ? s.project.water.rows() : s.project.gas.rows();
    if (s.project.rowsWithOtherFlows(kind).empty())
        return false;
    return changeUtenze(kind, 1, rows, [&] { s.project.applyDesignFlows(kind); });
}

void portate::undo() {
    m_steps.undo(reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water);
}

void portate::redo() {
    m_steps.redo(reti->currentWidget() == gas ? NetworkKind::Gas : NetworkKind::Water);
}

void portate::chiudi_Click() {
    closeFromButton(Closing::Unloads);
}
