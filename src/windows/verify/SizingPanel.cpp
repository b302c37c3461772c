#include "windows/verify/SizingPanel.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

// The proposal as a table: segment, now, proposed, loss now, loss proposed;
// the rows that change size in bold.
class ProposalModel : public QAbstractTableModel {
public:
    explicit ProposalModel(QObject* parent)
        : QAbstractTableModel(parent) {}

    void show(const SizingProposal& proposal) {
        beginResetModel();
        m_p = proposal;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_p.rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 5;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const int r = index.row() + 1;
        const SizedRow& row = m_p.rows[static_cast<size_t>(index.row())];
        if (role == Qt::FontRole && m_p.changes(r)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        const int decimals = m_p.kind == NetworkKind::Water ? 2 : 4;
        switch (index.column()) {
        case 0:
            return QString::number(r);
        case 1:
            return sizeText(row.nowDiameter, row.nowLabel);
        case 2: {
            const CatalogueSize& size = m_p.proposedSize(r);
            return sizeText(size.diameter, size.label);
        }
        case 3:
            return VerdictNumber(row.lossNow, decimals, decimals);
        default:
            return VerdictNumber(row.lossProposed, decimals, decimals);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        const QString unit = LossUnit(m_p.kind);
        const QStringList heads{QStringLiteral("tronco"), QStringLiteral("ora"),
                                QStringLiteral("proposto"),
                                QStringLiteral("perdita ora (%1)").arg(unit),
                                QStringLiteral("perdita proposta (%1)").arg(unit)};
        return heads.value(section);
    }

private:
    // A size as the user knows it: the gas pipe by its name, a water pipe
    // by its internal diameter and, where the series names it, its size.
    QString sizeText(double diameter, const QString& label) const {
        if (m_p.kind == NetworkKind::Gas)
            return label;
        const QString mm = VerdictNumber(diameter, 1) + QStringLiteral(" mm");
        return label.isEmpty() ? mm : mm + QStringLiteral(" (") + label + u')';
    }

    SizingProposal m_p;
};

SizingPanel::SizingPanel(NetworkKind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind) {
    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(0, 0, 0, 0);
    if (kind == NetworkKind::Water) {
        auto* caption = new QLabel(QStringLiteral("&serie dei tubi"), this);
        serie = new QComboBox(this);
        serie->setObjectName(QStringLiteral("serie"));
        serie->setToolTip(QStringLiteral("la serie di tubi tra cui scegliere i diametri"));
        serie->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        caption->setBuddy(serie);
        serieEdit = new QPushButton(QStringLiteral("S&erie..."), this);
        serieEdit->setObjectName(QStringLiteral("serieEdit"));
        serieEdit->setToolTip(QStringLiteral("cliccare per aggiungere, correggere o togliere le "
                                             "proprie serie di tubi"));
        commands->addWidget(caption);
        commands->addWidget(serie, 1);
        commands->addWidget(serieEdit);
        connect(serie, &QComboBox::activated, this, [this] {
            if (seriesChosen)
                seriesChosen(chosenSeries());
        });
        connect(serieEdit, &QPushButton::clicked, this, [this] {
            if (seriesEditRequested)
                seriesEditRequested();
        });
    } else {
        commands->addWidget(new QLabel(QStringLiteral("diametri della serie commerciale"), this),
                            1);
    }
    dimensiona = new QPushButton(QStringLiteral("&Dimensiona"), this);
    dimensiona->setObjectName(QStringLiteral("dimensiona"));
    dimensiona->setToolTip(QStringLiteral("cliccare per proporre i diametri che rispettano i "
                                          "limiti con il minimo di tubo"));
    commands->addWidget(dimensiona);
    connect(dimensiona, &QPushButton::clicked, this, [this] {
        if (sizeRequested)
            sizeRequested();
    });

    proposta = new QGroupBox(QStringLiteral("Proposta di dimensionamento"), this);
    proposta->setObjectName(QStringLiteral("proposta"));
    model = new ProposalModel(this);
    propostaTable = new QTableView(proposta);
    propostaTable->setObjectName(QStringLiteral("propostaTable"));
    propostaTable->setModel(model);
    propostaTable->verticalHeader()->setVisible(false);
    propostaTable->verticalHeader()->setDefaultSectionSize(propostaTable->fontMetrics().height() +
                                                           6);
    // Room for four rows at least, whatever the window's height.
    propostaTable->setMinimumHeight(propostaTable->horizontalHeader()->sizeHint().height() +
                                    4 * propostaTable->verticalHeader()->defaultSectionSize());
    propostaTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    propostaTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    propostaEsito = new QLabel(proposta);
    propostaEsito->setObjectName(QStringLiteral("propostaEsito"));
    propostaEsito->setWordWrap(true);
    applica = new QPushButton(QStringLiteral("A&pplica"), proposta);
    applica->setObjectName(QStringLiteral("applica"));
    applica->setToolTip(QStringLiteral("cliccare per scrivere i diametri proposti nella "
                                       "finestra dei dati (Ctrl+Z li toglie)"));
    scarta = new QPushButton(QStringLiteral("Scar&ta"), proposta);
    scarta->setObjectName(QStringLiteral("scarta"));
    scarta->setToolTip(QStringLiteral("cliccare per lasciare i diametri come sono"));
    connect(applica, &QPushButton::clicked, this, [this] {
        if (applyRequested)
            applyRequested();
    });
    connect(scarta, &QPushButton::clicked, this, &SizingPanel::hideProposal);
    // The verdict as proposed takes up to three lines of the box's width;
    // its height is kept even in the smallest window, so that it never
    // runs over the table.
    propostaEsito->setMinimumHeight(3 * propostaEsito->fontMetrics().lineSpacing());
    propostaEsito->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applica);
    buttons->addWidget(scarta);
    auto* inside = new QVBoxLayout(proposta);
    inside->addWidget(propostaTable, 1);
    inside->addWidget(propostaEsito);
    inside->addLayout(buttons);
    proposta->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(commands);
    layout->addWidget(proposta, 1);
}

void SizingPanel::showSeries(const std::vector<PipeSeries>& catalogue, const QString& chosen) {
    if (!serie)
        return;
    const QSignalBlocker block(serie);
    serie->clear();
    for (const PipeSeries& s : catalogue)
        serie->addItem(s.name, s.name);
    int index = serie->findData(chosen);
    if (index < 0) {
        serie->addItem(chosen + QStringLiteral(" (non disponibile)"), chosen);
        index = serie->count() - 1;
    }
    serie->setCurrentIndex(index);
    // The longest name reads whole, however narrow the window.
    serie->setMinimumWidth(serie->sizeHint().width());
}

QString SizingPanel::chosenSeries() const {
    return serie ? serie->currentData().toString() : QString();
}

void SizingPanel::showProposal(const SizingProposal& proposal) {
    model->show(proposal);
    propostaTable->setVisible(!proposal.rows.empty());
    applica->setEnabled(proposal.passed && proposal.changedRows() > 0);
    if (!proposal.passed)
        propostaEsito->setText(proposal.message);
    else if (proposal.changedRows() == 0)
        propostaEsito->setText(QStringLiteral("I diametri attuali sono già quelli proposti. ") +
                               proposal.verdict);
    else if (proposal.changedRows() == 1)
        propostaEsito->setText(QStringLiteral("Cambia il diametro di un tronco. ") +
                               proposal.verdict);
    else
        propostaEsito->setText(QStringLiteral("Cambia il diametro di %1 tronchi. %2")
                                   .arg(proposal.changedRows())
                                   .arg(proposal.verdict));
    if (proposal.passed && proposal.costProposed) {
        QString cost = CostText(proposal);
        cost[0] = cost[0].toUpper();
        propostaEsito->setText(propostaEsito->text() + u' ' + cost + u'.');
    }
    // The proposal takes its room from the window, not from the tables
    // above it: the window grows by the proposal's height, as far as the
    // screen allows, and the tables keep theirs.
    auto* split = qobject_cast<QSplitter*>(parentWidget());
    const bool shown = !proposta->isHidden();
    QWidget* top = window();
    const int tables = split ? split->sizes().value(0) : 0;
    const int before = height();
    const int windowBefore = top->height();
    proposta->show();
    // (The window may grow here already, to its new smallest size.)
    settleLayouts();
    if (!split || shown || top == this || top->isMaximized() || top->isFullScreen())
        return;
    const int wanted =
        std::max(sizeHint().height(), minimumSizeHint().height()) - before + windowBefore;
    int height = std::max(top->height(), wanted);
    if (const QScreen* screen = top->screen())
        height = std::min(height, screen->availableGeometry().height() -
                                      (top->frameGeometry().height() - top->height()));
    if (height > top->height()) {
        top->resize(top->width(), height);
        if (const QScreen* screen = top->screen()) {
            // Up the screen as far as its bottom edge would go past it.
            const int past = top->frameGeometry().bottom() - screen->availableGeometry().bottom();
            if (past > 0)
                top->move(top->x(), top->y() - past);
        }
    }
    m_grown = std::max(0, top->height() - windowBefore);
    settleLayouts();
    const QList<int> sizes = split->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int own = std::max(minimumSizeHint().height(), total - tables);
    split->setSizes({total - own, own});
}

void SizingPanel::settleLayouts() {
    // Not every widget up to the window (the splitter, the tabs) tells its
    // own layout that its sizes changed: each is told here, and the layouts
    // take the change in at once.
    for (QWidget* w = this; w && !w->isWindow(); w = w->parentWidget())
        w->updateGeometry();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void SizingPanel::hideProposal() {
    const bool shown = !proposta->isHidden();
    proposta->hide();
    model->show(SizingProposal());
    // The window gives back what it grew for the proposal.
    QWidget* top = window();
    settleLayouts();
    if (shown && m_grown > 0 && top != this && !top->isMaximized() && !top->isFullScreen())
        top->resize(top->width(),
                    std::max(top->minimumSizeHint().height(), top->height() - m_grown));
    m_grown = 0;
    // The room of the proposal back to the tables above.
    if (auto* split = qobject_cast<QSplitter*>(parentWidget())) {
        const QList<int> sizes = split->sizes();
        const int own = minimumSizeHint().height();
        if (sizes.size() == 2 && sizes[1] > own)
            split->setSizes({sizes[0] + sizes[1] - own, own});
    }
}
