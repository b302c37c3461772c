#include "windows/verify/FlowCatalogueEditor.h"

#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "windows/frame/Form.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString italian(double value) {
    return WithDecimalSeparator(NumberToText(value), ProgramLocale());
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* box(QWidget* parent, const char* name, const QString& tip = {}) {
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

} // namespace

FlowCatalogueEditor::FlowCatalogueEditor(AppContext& context, QString file, QWidget* parent)
    : QDialog(parent)
    , m_ctx(context)
    , m_file(std::move(file))
    , m_user(LoadUserFlowCatalogue(m_file)) {
    setObjectName(QStringLiteral("FlowCatalogueEditor"));
    setWindowTitle(QStringLiteral("Tipi di utenza e curve"));
    auto* parts = new QTabWidget(this);

    auto* typesPage = new QWidget(parts);
    tipi = new QListWidget(typesPage);
    tipi->setObjectName(QStringLiteral("tipi"));
    nome = box(typesPage, "nome");
    portata = box(typesPage, "portata", QStringLiteral("la portata di progetto in l/s"));
    unita = box(typesPage, "unita", QStringLiteral("le unità di carico (facoltative)"));
    pressione = box(typesPage, "pressione",
                    QStringLiteral("la pressione minima di flusso in kPa (facoltativa)"));
    auto* typeFields = new QFormLayout;
    typeFields->addRow(QStringLiteral("&nome"), nome);
    typeFields->addRow(QStringLiteral("&portata (l/s)"), portata);
    typeFields->addRow(QStringLiteral("&unità di carico"), unita);
    typeFields->addRow(QStringLiteral("pressione &minima (kPa)"), pressione);
    auto* typeButtons = new QHBoxLayout;
    QPushButton* nuovo = button(typesPage, "nuovoTipo", QStringLiteral("N&uovo"),
                                QStringLiteral("cliccare per scrivere un tipo nuovo"));
    QPushButton* salva = button(typesPage, "salvaTipo", QStringLiteral("&Salva"),
                                QStringLiteral("cliccare per salvare il tipo"));
    QPushButton* elimina = button(typesPage, "eliminaTipo", QStringLiteral("&Elimina"),
                                  QStringLiteral("cliccare per togliere il tipo scelto"));
    for (QPushButton* b : {nuovo, salva, elimina})
        typeButtons->addWidget(b);
    typeButtons->addStretch(1);
    connect(nuovo, &QPushButton::clicked, this, &FlowCatalogueEditor::nuovoTipo_Click);
    connect(salva, &QPushButton::clicked, this, &FlowCatalogueEditor::salvaTipo_Click);
    connect(elimina, &QPushButton::clicked, this, &FlowCatalogueEditor::eliminaTipo_Click);
    connect(tipi, &QListWidget::currentRowChanged, this, &FlowCatalogueEditor::tipi_Select);
    auto* typesLayout = new QVBoxLayout(typesPage);
    typesLayout->addWidget(tipi, 1);
    typesLayout->addLayout(typeFields);
    typesLayout->addLayout(typeButtons);
    parts->addTab(typesPage, QStringLiteral("&Tipi di utenza"));

    auto* curvesPage = new QWidget(parts);
    curve = new QListWidget(curvesPage);
    curve->setObjectName(QStringLiteral("curve"));
    nomeCurva = box(curvesPage, "nomeCurva");
    punti = box(curvesPage, "punti",
                QStringLiteral("unità di carico e portata in l/s, separati da punto e virgola "
                               "(per esempio 1 0,1; 10 0,6; 100 2,5)"));
    auto* curveFields = new QFormLayout;
    curveFields->addRow(QStringLiteral("n&ome"), nomeCurva);
    curveFields->addRow(QStringLiteral("p&unti (UC, l/s)"), punti);
    auto* curveButtons = new QHBoxLayout;
    QPushButton* nuova = button(curvesPage, "nuovaCurva", QStringLiteral("Nuo&va"),
                                QStringLiteral("cliccare per scrivere una curva nuova"));
    QPushButton* salvaC = button(curvesPage, "salvaCurva", QStringLiteral("Sal&va curva"),
                                 QStringLiteral("cliccare per salvare la curva"));
    QPushButton* eliminaC = button(curvesPage, "eliminaCurva", QStringLiteral("Eli&mina"),
                                   QStringLiteral("cliccare per togliere la curva scelta"));
    usa = button(curvesPage, "usa", QStringLiteral("Usa nel &progetto"),
                 QStringLiteral("cliccare perché il progetto calcoli le portate con la curva "
                                "scelta"));
    for (QPushButton* b : {nuova, salvaC, eliminaC, usa})
        curveButtons->addWidget(b);
    curveButtons->addStretch(1);
    connect(nuova, &QPushButton::clicked, this, &FlowCatalogueEditor::nuovaCurva_Click);
    connect(salvaC, &QPushButton::clicked, this, &FlowCatalogueEditor::salvaCurva_Click);
    connect(eliminaC, &QPushButton::clicked, this, &FlowCatalogueEditor::eliminaCurva_Click);
    connect(usa, &QPushButton::clicked, this, [this] {
        const int row = curve->currentRow();
        if (row >= 0 && row < static_cast<int>(m_user.curves.size()) && curveUsed)
            curveUsed(m_user.curves[static_cast<size_t>(row)]);
    });
    connect(curve, &QListWidget::currentRowChanged, this, &FlowCatalogueEditor::curve_Select);
    auto* curvesLayout = new QVBoxLayout(curvesPage);
    curvesLayout->addWidget(curve, 1);
    curvesLayout->addLayout(curveFields);
    curvesLayout->addLayout(curveButtons);
    parts->addTab(curvesPage, QStringLiteral("&Curve di contemporaneità"));

    QPushButton* chiudi = button(this, "chiudi", QStringLiteral("&Chiudi"),
                                 QStringLiteral("cliccare per chiudere la finestra"));
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("I tipi e le curve propri valgono per ogni "
                                                "progetto; un progetto porta con sé quelli che "
                                                "usa."),
                                 this),
                      1);
    bottom->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parts, 1);
    layout->addLayout(bottom);
    fill();
    nuovoTipo_Click();
    nuovaCurva_Click();
    AddHelpKey(*this, context.forms, WindowName::guidaportate);
}

void FlowCatalogueEditor::refuse(const QString& why) {
    m_ctx.services.messages.MsgBox(why, MsgButtons::Ok, NoticeIcon::Critical,
                                   m_ctx.state.program.CheckTitle, this);
}

void FlowCatalogueEditor::fill() {
    const QSignalBlocker blockTypes(tipi);
    const QSignalBlocker blockCurves(curve);
    tipi->clear();
    for (const FixtureType& t : m_user.types)
        tipi->addItem(t.name);
    curve->clear();
    for (const FlowCurve& c : m_user.curves)
        curve->addItem(c.name);
    usa->setEnabled(false);
}

void FlowCatalogueEditor::tipi_Select(int row) {
    if (row < 0 || row >= static_cast<int>(m_user.types.size()))
        return;
    const FixtureType& t = m_user.types[static_cast<size_t>(row)];
    nome->setText(t.name);
    portata->setText(italian(t.flowLs));
    unita->setText(italian(t.loadingUnits));
    pressione->setText(t.minPressureKPa ? italian(*t.minPressureKPa) : QString());
}

void FlowCatalogueEditor::curve_Select(int row) {
    if (row < 0 || row >= static_cast<int>(m_user.curves.size()))
        return;
    const FlowCurve& c = m_user.curves[static_cast<size_t>(row)];
    nomeCurva->setText(c.name);
    punti->setText(WithDecimalSeparator(CurvePointsText(c), ProgramLocale()));
    usa->setEnabled(true);
}

void FlowCatalogueEditor::nuovoTipo_Click() {
    const QSignalBlocker block(tipi);
    tipi->setCurrentRow(-1);
    for (QLineEdit* b : {nome, portata, unita, pressione})
        b->clear();
}

void FlowCatalogueEditor::nuovaCurva_Click() {
    const QSignalBlocker block(curve);
    curve->setCurrentRow(-1);
    nomeCurva->clear();
    punti->clear();
    usa->setEnabled(false);
}

bool FlowCatalogueEditor::write(const UserFlowCatalogue& catalogue) {
    const Result<> saved = SaveUserFlowCatalogue(m_file, catalogue);
    if (!saved) {
        refuse(saved.error());
        return false;
    }
    m_user = catalogue;
    fill();
    return true;
}

namespace {

// The entries of a list but the one at `skip` (none for -1).
template <typename T> std::vector<T> allBut(const std::vector<T>& items, int skip) {
    std::vector<T> others;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (i != skip)
            others.push_back(items[static_cast<size_t>(i)]);
    }
    return others;
}

} // namespace

template <typename T>
bool FlowCatalogueEditor::store(std::vector<T> UserFlowCatalogue::*list, QListWidget* shown,
                                const Result<T>& read) {
    if (!read) {
        refuse(read.error());
        return false;
    }
    const int editing = shown->currentRow();
    UserFlowCatalogue next = m_user;
    if (editing >= 0)
        (next.*list)[static_cast<size_t>(editing)] = read.value();
    else
        (next.*list).push_back(read.value());
    if (!write(next))
        return false;
    shown->setCurrentRow(editing >= 0 ? editing : shown->count() - 1);
    return true;
}

template <typename T>
bool FlowCatalogueEditor::drop(std::vector<T> UserFlowCatalogue::*list, QListWidget* shown) {
    const int row = shown->currentRow();
    if (row < 0)
        return false;
    UserFlowCatalogue next = m_user;
    (next.*list).erase((next.*list).begin() + row);
    return write(next);
}

bool FlowCatalogueEditor::salvaTipo_Click() {
    return store(&UserFlowCatalogue::types, tipi,
                 ReadFixtureType(nome->text(), portata->text(), unita->text(), pressione->text(),
                                 allBut(m_user.types, tipi->currentRow())));
}

bool FlowCatalogueEditor::salvaCurva_Click() {
    return store(&UserFlowCatalogue::curves, curve,
                 ReadFlowCurve(nomeCurva->text(), punti->text(),
                               allBut(m_user.curves, curve->currentRow())));
}

bool FlowCatalogueEditor::eliminaTipo_Click() {
    if (!drop(&UserFlowCatalogue::types, tipi))
        return false;
    nuovoTipo_Click();
    return true;
}

bool FlowCatalogueEditor::eliminaCurva_Click() {
    if (!drop(&UserFlowCatalogue::curves, curve))
        return false;
    nuovaCurva_Click();
    return true;
}
