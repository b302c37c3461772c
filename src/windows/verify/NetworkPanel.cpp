#include "windows/verify/NetworkPanel.h"

#include "windows/verify/SizingPanel.h"
#include "windows/verify/VerificationModels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {

struct LimitBox {
    const char* name;
    const char* caption;
    const char* tip;
    int row;    // of the grid
    int column; // of the pair, 0..2
};

// The limits of each network, as the boxes name them, by NetworkPanel::Box.
const LimitBox WaterBoxes[] = {
    {"velocita", "velocità massima (m/s)", "velocità dell'acqua che nessun tronco deve superare", 0,
     0},
    {"carico", "carico disponibile (m)",
     "carico disponibile all'origine della rete: la perdita di ogni percorso non deve superarlo "
     "(vuoto: non indicato; con la pressione all'origine conta la pressione)",
     0, 1},
    {"origine", "pressione all'origine (kPa)",
     "pressione disponibile all'origine della rete (contatore, allacciamento): ogni terminale "
     "deve averne almeno la sua pressione minima (vuoto: non indicata)",
     0, 2},
    {"minima", "pressione minima ai terminali (kPa)",
     "pressione minima di ogni terminale che non ne ha una propria (vuoto: 100 kPa)", 1, 0},
    {"statica", "pressione statica all'origine (kPa)",
     "pressione all'origine a rete ferma (vuoto: non indicata)", 1, 1},
    {"limitestatica", "limite pressione statica (kPa)",
     "pressione statica oltre la quale un terminale è segnalato (vuoto: 500 kPa)", 1, 2},
};
const LimitBox GasBoxes[] = {
    {"metano", "limite metano (mbar)",
     "perdita massima di un percorso con metano, dal contatore all'apparecchio", 0, 0},
    {"gpl", "limite GPL (mbar)", "perdita massima di un percorso di solo GPL", 0, 1},
};

// A sample of the widest text of each column, beside its head.
QString segmentSample(SegmentModel::Field field) {
    switch (field) {
    case SegmentModel::Number:
    case SegmentModel::Upstream:
        return QStringLiteral("000");
    case SegmentModel::Velocity:
    case SegmentModel::Height:
        return QStringLiteral("00,00");
    case SegmentModel::Rise:
        return QStringLiteral("-00,00");
    case SegmentModel::Pressure:
        return QStringLiteral("-000,0");
    case SegmentModel::HeightLoss:
        return QStringLiteral("-0,0000");
    default:
        return QStringLiteral("00,0000");
    }
}

QString pathSample(PathModel::Field field, NetworkKind kind) {
    switch (field) {
    case PathModel::Terminal:
        return QStringLiteral("000");
    case PathModel::Limit:
        return QStringLiteral("nessuno");
    case PathModel::Minimum:
    case PathModel::Residual:
    case PathModel::Margin:
        return QStringLiteral("-000,0");
    case PathModel::Verdict:
        // A failure shows its reason.
        return kind == NetworkKind::Water
                   ? QStringLiteral("superato: pressione residua 000 kPa < 000 kPa")
                   : QStringLiteral("superato: perdita 0,00 mbar > 0,0 mbar");
    case PathModel::Path:
        return QStringLiteral("1-2-3-4-5-6-7");
    default:
        return QStringLiteral("00,0000");
    }
}

// The columns as wide as their heads (the widest line of each), or as
// their sample text where that is wider: measured once, not over the rows.
template <typename Model, typename Sample>
void fitColumns(QTableView* view, const Model& model, Sample sample) {
    const QFontMetrics metrics = view->fontMetrics();
    const auto& fields = model.fields();
    for (int c = 0; c < static_cast<int>(fields.size()); ++c) {
        int width = metrics.horizontalAdvance(sample(fields[static_cast<size_t>(c)]));
        const QString head = model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (const QString& line : head.split(u'\n'))
            width = std::max(width, metrics.horizontalAdvance(line));
        view->setColumnWidth(c, width + metrics.averageCharWidth() * 3);
    }
}

// Background of the verdict: passed, limit exceeded, not verifiable.
const QColor Passed(198, 239, 206);
const QColor Failed(255, 199, 206);
const QColor Unknown(230, 230, 230);
// Background of a warning: what is not a failure but asks for a look.
const QColor Warning(255, 224, 178);

// A table of the window; its columns are fitted by fitColumns.
QTableView* makeTable(QWidget* parent, const char* name, QAbstractItemModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    // However small the window, five rows show under the head, of two
    // lines.
    view->setMinimumHeight(2 * view->fontMetrics().lineSpacing() + 8 +
                           5 * view->verticalHeader()->defaultSectionSize() +
                           view->horizontalScrollBar()->sizeHint().height() +
                           2 * view->frameWidth());
    return view;
}

// A label of fixed height whose text may change without a new layout.
class VerdictFrame : public QWidget {
public:
    explicit VerdictFrame(QWidget* parent)
        : QWidget(parent)
        , label(new QLabel(this)) {
        label->setObjectName(QStringLiteral("esito"));
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        label->setMargin(6);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        setFixedHeight(label->fontMetrics().lineSpacing() * 3 + 12);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QLabel* label;

protected:
    void resizeEvent(QResizeEvent*) override { label->setGeometry(rect()); }
};

} // namespace

NetworkPanel::NetworkPanel(NetworkKind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind) {
    const bool water = kind == NetworkKind::Water;
    setObjectName(water ? QStringLiteral("acqua") : QStringLiteral("gas"));

    // Pairs of caption and box, three to a row; water's pressure at the
    // source has its metres of water beside it.
    auto* limits = new QGridLayout;
    const std::span<const LimitBox> boxes =
        water ? std::span<const LimitBox>(WaterBoxes) : std::span<const LimitBox>(GasBoxes);
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000,000")) + 16;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const LimitBox& b = boxes[static_cast<size_t>(i)];
        auto* caption = new QLabel(QString::fromUtf8(b.caption), this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setToolTip(QString::fromUtf8(b.tip));
        box->setFixedWidth(boxWidth);
        caption->setBuddy(box);
        limits->addWidget(caption, b.row, 3 * b.column);
        limits->addWidget(box, b.row, 3 * b.column + 1);
        limiti.push_back(box);
        connect(box, &QLineEdit::editingFinished, this, [this, i, box] {
            if (limitEdited && box->isModified()) {
                box->setModified(false);
                limitEdited(i, box->text());
            }
        });
    }
    if (water) {
        colonna = new QLabel(this);
        colonna->setObjectName(QStringLiteral("colonna"));
        colonna->setToolTip(QStringLiteral("la pressione all'origine in metri di colonna d'acqua"));
        // As wide as its longest text, so that a new one moves nothing.
        colonna->setMinimumWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("= 0000,0 m c.a.")));
        limits->addWidget(colonna, WaterBoxes[Source].row, 3 * WaterBoxes[Source].column + 2);
    } else {
        auto* caption = new QLabel(QStringLiteral("effetto dei &dislivelli"), this);
        dislivelli = new QComboBox(this);
        dislivelli->setObjectName(QStringLiteral("dislivelli"));
        for (const HeightEffect e : {HeightEffect::Safe, HeightEffect::Full, HeightEffect::None})
            dislivelli->addItem(HeightEffectName(e), static_cast<int>(e));
        dislivelli->setToolTip(QStringLiteral(
            "come contano i dislivelli sulla pressione del gas: a favore di sicurezza solo le "
            "perdite, tronco per tronco, senza guadagni; completo perdite e guadagni; non "
            "considerato nessuno dei due"));
        caption->setBuddy(dislivelli);
        regolatore = new QCheckBox(QStringLiteral("&regolatore a monte del contatore"), this);
        regolatore->setObjectName(QStringLiteral("regolatore"));
        regolatore->setToolTip(QStringLiteral("con un regolatore di pressione a monte del "
                                              "contatore i due limiti sono raddoppiati"));
        limits->addWidget(caption, 1, 0);
        limits->addWidget(dislivelli, 1, 1, 1, 2);
        limits->addWidget(regolatore, 1, 3, 1, 3);
        const auto edited = [this] {
            if (gasOptionsEdited)
                gasOptionsEdited(static_cast<HeightEffect>(dislivelli->currentData().toInt()),
                                 regolatore->isChecked());
        };
        connect(dislivelli, &QComboBox::activated, this, edited);
        connect(regolatore, &QCheckBox::clicked, this, edited);
    }
    limits->setColumnStretch(9, 1);

    segments = new SegmentModel(kind, this);
    paths = new PathModel(kind, this);
    tronchi = makeTable(this, "tronchi", segments);
    fitColumns(tronchi, *segments, segmentSample);
    tronchi->setToolTip(QStringLiteral("digitare nella colonna 'a monte' il tronco da cui ogni "
                                       "tronco è alimentato (0 per l'origine della rete: "
                                       "contatore, riduttore, allacciamento), nelle colonne del "
                                       "dislivello e della perdita concentrata i loro valori"));
    percorsi = makeTable(this, "percorsi", paths);
    const auto pathSampleOf = [kind](PathModel::Field field) { return pathSample(field, kind); };
    fitColumns(percorsi, *paths, pathSampleOf);
    percorsi->horizontalHeader()->setStretchLastSection(true);
    percorsi->setTextElideMode(Qt::ElideMiddle);
    percorsi->setWordWrap(false);
    // The columns change with the pressure at the source: fitted again.
    connect(segments, &QAbstractItemModel::modelReset, this,
            [this] { fitColumns(tronchi, *segments, segmentSample); });
    connect(paths, &QAbstractItemModel::modelReset, this,
            [this, pathSampleOf] { fitColumns(percorsi, *paths, pathSampleOf); });

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("Tronchi"), left));
    leftLayout->addWidget(tronchi);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(new QLabel(QStringLiteral("Percorsi dall'origine ai tronchi "
                                                     "terminali"),
                                      right));
    rightLayout->addWidget(percorsi);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    // The segments' columns whole, the paths the rest.
    int segmentsWidth =
        tronchi->verticalScrollBar()->sizeHint().width() + 2 * tronchi->frameWidth();
    for (int c = 0; c < segments->columnCount(); ++c)
        segmentsWidth += tronchi->columnWidth(c);
    split->setSizes({segmentsWidth, segmentsWidth * 3 / 2});
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);

    // The verdict changes with every key typed: it stands in a frame of
    // three lines' height, so that a new text repaints the line and does
    // not lay the window out again.
    auto* verdictFrame = new VerdictFrame(this);
    esito = verdictFrame->label;

    // The proposal of sizes, when there is one, below the tables.
    sizing = new SizingPanel(kind, this);
    auto* stack = new QSplitter(Qt::Vertical, this);
    stack->addWidget(split);
    stack->addWidget(sizing);
    stack->setStretchFactor(0, 3);
    stack->setStretchFactor(1, 2);
    stack->setChildrenCollapsible(false);

    // Water: the static pressures above their limit, under the verdict.
    if (water) {
        avviso = new QLabel(this);
        avviso->setObjectName(QStringLiteral("avviso"));
        avviso->setWordWrap(true);
        avviso->setAutoFillBackground(true);
        avviso->setMargin(6);
        avviso->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QPalette palette = avviso->palette();
        palette.setColor(QPalette::Window, Warning);
        palette.setColor(QPalette::WindowText, Qt::black);
        avviso->setPalette(palette);
        avviso->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(stack, 1);
    layout->addWidget(verdictFrame);
    if (avviso)
        layout->addWidget(avviso);
}

void NetworkPanel::showVerification(const NetworkVerification& v,
                                    const std::vector<TypedRow>& typed, const QString& otherFlows) {
    // A network that fails its data check is not verified: its paths,
    // critical path and distances from the source would be results of the
    // data the check refuses, so none shows, only the verdict saying why.
    if (v.dataPassed) {
        segments->update(v, typed);
        paths->update(v, typed);
    } else {
        NetworkVerification refused = v;
        refused.paths.clear();
        refused.critical = 0;
        segments->update(refused, typed);
        paths->update(refused, typed);
    }
    if (avviso) {
        const QString warning = v.dataPassed ? StaticWarningText(v) : QString();
        if (warning != m_warning) {
            m_warning = warning;
            avviso->setText(warning);
            avviso->setVisible(!warning.isEmpty());
        }
    }
    QString verdict = VerdictText(v);
    // Flows typed that the utenze do not give, on a line of their own.
    if (!otherFlows.isEmpty())
        verdict += u'\n' + otherFlows.left(1).toUpper() + otherFlows.mid(1) + u'.';
    if (verdict != m_verdict) {
        m_verdict = verdict;
        esito->setText(verdict);
    }
    const int state = v.passed ? 0 : (v.dataPassed ? 1 : 2);
    if (state != m_verdictState) {
        m_verdictState = state;
        QPalette palette = esito->palette();
        palette.setColor(QPalette::Window, state == 0 ? Passed : (state == 1 ? Failed : Unknown));
        esito->setPalette(palette);
    }
}

int NetworkPanel::wholeWidth() const {
    int width = 0;
    for (const QTableView* view : {tronchi, percorsi}) {
        width += view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth();
        for (int c = 0; c < view->model()->columnCount(); ++c)
            width += view->columnWidth(c);
    }
    const QMargins margins = layout()->contentsMargins();
    return width + margins.left() + margins.right() +
           style()->pixelMetric(QStyle::PM_SplitterWidth);
}

void NetworkPanel::showLimits(const ProjectExtension& extension) {
    const auto pressure = [](const std::optional<double>& kPa) {
        return kPa ? PressureText(*kPa) : QString();
    };
    std::vector<QString> texts;
    if (m_kind == NetworkKind::Water) {
        const WaterLimits& l = extension.waterLimits;
        texts = {VerdictNumber(l.velocity, 1), l.head ? VerdictNumber(*l.head, 1) : QString(),
                 pressure(l.sourceKPa),        PressureText(l.minimumKPa),
                 pressure(l.staticKPa),        PressureText(l.staticLimitKPa)};
        const QString metres = l.sourceKPa
                                   ? QStringLiteral("= %1 m c.a.")
                                         .arg(VerdictNumber(*l.sourceKPa / WaterKPaPerMetre, 1, 1))
                                   : QString();
        if (colonna->text() != metres)
            colonna->setText(metres);
    } else {
        const GasLimits& l = extension.gasLimits;
        texts = {VerdictNumber(l.metano, 1), VerdictNumber(l.gpl, 1)};
        const int effect = dislivelli->findData(static_cast<int>(l.heightEffect));
        if (dislivelli->currentIndex() != effect) {
            const QSignalBlocker block(dislivelli);
            dislivelli->setCurrentIndex(effect);
        }
        if (regolatore->isChecked() != l.regulator) {
            const QSignalBlocker block(regolatore);
            regolatore->setChecked(l.regulator);
        }
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        if (limiti[i]->text() != texts[i]) {
            const QSignalBlocker block(limiti[i]);
            limiti[i]->setText(texts[i]);
        }
        limiti[i]->setModified(false);
    }
}
