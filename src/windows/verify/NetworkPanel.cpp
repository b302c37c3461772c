#include "windows/verify/NetworkPanel.h"

#include "windows/verify/SizingPanel.h"
#include "windows/verify/VerificationModels.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct LimitBox {
    const char* name;
    const char* caption;
    const char* tip;
};

// The two limits of each network, as the boxes name them.
const LimitBox WaterBoxes[2] = {
    {"velocita", "velocità massima (m/s)", "velocità dell'acqua che nessun tronco deve superare"},
    {"carico", "carico disponibile (m)",
     "carico disponibile all'origine della rete: la perdita di ogni percorso non deve superarlo "
     "(vuoto: non indicato)"},
};
const LimitBox GasBoxes[2] = {
    {"metano", "limite metano (mbar)",
     "perdita massima di un percorso con metano, dal contatore all'apparecchio"},
    {"gpl", "limite GPL (mbar)", "perdita massima di un percorso di solo GPL"},
};

// Background of the verdict: passed, limit exceeded, not verifiable.
const QColor Passed(198, 239, 206);
const QColor Failed(255, 199, 206);
const QColor Unknown(230, 230, 230);

// A table whose columns are as wide as their heads, or as their sample
// text where that is wider: measured once, not over the rows.
QTableView* makeTable(QWidget* parent, const char* name, QAbstractItemModel* model,
                      const QStringList& samples) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics = view->fontMetrics();
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString head = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        view->setColumnWidth(c, std::max(metrics.horizontalAdvance(head),
                                         metrics.horizontalAdvance(samples.value(c))) +
                                    metrics.averageCharWidth() * 3);
    }
    // However small the window, five rows show under the head.
    view->setMinimumHeight(view->horizontalHeader()->sizeHint().height() +
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

    auto* limits = new QGridLayout;
    const LimitBox* boxes = water ? WaterBoxes : GasBoxes;
    for (int i = 0; i < 2; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(boxes[i].caption), this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(boxes[i].name));
        box->setToolTip(QString::fromUtf8(boxes[i].tip));
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000,000")) + 16);
        caption->setBuddy(box);
        limits->addWidget(caption, 0, 2 * i);
        limits->addWidget(box, 0, 2 * i + 1);
        limiti.at(static_cast<size_t>(i)) = box;
        connect(box, &QLineEdit::editingFinished, this, [this, i, box] {
            if (limitEdited && box->isModified()) {
                box->setModified(false);
                limitEdited(i, box->text());
            }
        });
    }
    limits->setColumnStretch(4, 1);

    segments = new SegmentModel(kind, this);
    paths = new PathModel(kind, this);
    tronchi = makeTable(this, "tronchi", segments,
                        {QStringLiteral("000"), QStringLiteral("000"), QStringLiteral("00,00"),
                         QStringLiteral("00,0000"), QStringLiteral("00,0000")});
    tronchi->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    tronchi->setToolTip(QStringLiteral("digitare nella colonna 'a monte' il tronco da cui ogni "
                                       "tronco è alimentato: 0 per l'origine della rete "
                                       "(contatore, riduttore, allacciamento)"));
    percorsi =
        makeTable(this, "percorsi", paths,
                  {QStringLiteral("000"), QStringLiteral("00,0000"), QStringLiteral("nessuno"),
                   QStringLiteral("rispettato"), QStringLiteral("1-2-3-4-5-6-7")});
    percorsi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    percorsi->horizontalHeader()->setStretchLastSection(true);
    percorsi->setTextElideMode(Qt::ElideMiddle);
    percorsi->setWordWrap(false);

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

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(stack, 1);
    layout->addWidget(verdictFrame);
}

void NetworkPanel::showVerification(const NetworkVerification& v,
                                    const std::vector<char>& explicitUpstream,
                                    const QString& otherFlows) {
    // A network that fails its data check is not verified: its paths,
    // critical path and distances from the source would be results of the
    // data the check refuses, so none shows, only the verdict saying why.
    if (v.dataPassed) {
        segments->update(v, explicitUpstream);
        paths->update(v);
    } else {
        NetworkVerification refused = v;
        refused.paths.clear();
        refused.critical = 0;
        segments->update(refused, explicitUpstream);
        paths->update(refused);
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

void NetworkPanel::showLimits(const ProjectExtension& extension) {
    QString texts[2];
    if (m_kind == NetworkKind::Water) {
        texts[0] = VerdictNumber(extension.waterLimits.velocity, 1);
        texts[1] =
            extension.waterLimits.head ? VerdictNumber(*extension.waterLimits.head, 1) : QString();
    } else {
        texts[0] = VerdictNumber(extension.gasLimits.metano, 1);
        texts[1] = VerdictNumber(extension.gasLimits.gpl, 1);
    }
    for (size_t i = 0; i < 2; ++i) {
        if (limiti[i]->text() != texts[i]) {
            const QSignalBlocker block(limiti[i]);
            limiti[i]->setText(texts[i]);
        }
        limiti[i]->setModified(false);
    }
}
