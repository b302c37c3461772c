// The water data window: its controls at their designed places (twips, the
// toolbar's top edge being 0) and the menus and toolbar of the frame.
#include "windows/water/dati.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/DataTextValidator.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/ProjectStatus.h"
#include "windows/frame/SpokenNames.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/WindowNames.h"
#include "windows/frame/WindowParts.h"
#include "windows/frame/clsResize.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// Top of band line 1 and the step between lines (twips).
constexpr int BandTopTwips = 2400;
constexpr int LineStep = 240;

struct ColumnPlace {
    int left;
    int width;
};

// Left edge and width of the input columns, by water column 1..12.
constexpr std::array<ColumnPlace, 13> InputPlaces = {{{0, 0},
                                                      {960, 615},
                                                      {1560, 615},
                                                      {2160, 615},
                                                      {2760, 855},
                                                      {3600, 615},
                                                      {4200, 615},
                                                      {4800, 615},
                                                      {5400, 615},
                                                      {6000, 615},
                                                      {6600, 615},
                                                      {7200, 615},
                                                      {7800, 615}}};
constexpr ColumnPlace NumPlace{360, 375};
constexpr ColumnPlace DelPlace{720, 255};
constexpr ColumnPlace PerdPlace{8400, 975};

// The row-number head also covers the delete buttons' column, which has none.
constexpr ColumnPlace NumHeadPlace{360, 615};

// Where a column's head labels stand: over its boxes.
ColumnPlace headPlace(int column) {
    if (column == 0)
        return NumHeadPlace;
    if (column == WaterColumn::perd)
        return PerdPlace;
    return InputPlaces.at(static_cast<size_t>(column));
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(i);
}

} // namespace

dati::dati(AppContext& context, QWidget* parent)
    : Form(context, parent)
    , m_files(context, this) {
    m_status = new ProjectStatus(*this, context.state,
                                 QStringLiteral("Perdite di carico acqua: dati per il calcolo"));
    FrameHandlers h;
    h.open = [this] { m_files.Open(); };
    h.openRecent = [this](const QString& path) { m_files.OpenRecent(path); };
    SetSaveHandlers(
        h, m_files, [this] { return precheck(); }, [this] { m_status->showSaved(passo); });
    h.deleteFile = [this] { m_files.Delete(); };
    h.colour = [this] { ChangeBackground(); };
    h.check = [this] { CheckData(); };
    h.clear = [this] { m_editing->command(1, MaxRows, [this] { Clear(); }); };
    h.printWindow = [this] { stampa_Click(); };
    h.printInputForm = [this] { acquisizionedati_Click(); };
    m_frame = new WindowFrame(*this, context, FrameKind::Water, std::move(h));
    AddMenuEntry(m_frame->menu(QStringLiteral("stam")), "anteprima",
                 QStringLiteral("&Anteprima di stampa..."), this, [this] { anteprima_Click(); });
    m_frame->clientArea()->setFont(InterfaceFont());
    buildHeads();
    buildBand();
    buildOthers();
    buildEditing();
    setBackgroundColour(QColor(128, 128, 128));
    ShowRefusalsInHint(*this, passo);
    paintBand();
}

QLineEdit* dati::box(int column, int i) const {
    return m_boxes.at(static_cast<size_t>(column)).at(at(i));
}

QWidget* dati::control(int column, int i) const {
    if (column == WaterColumn::tipoc)
        return tipoc(i);
    return box(column, i);
}

void dati::buildHeads() {
    QWidget* area = m_frame->clientArea();
    auto label = [this, area](const QString& name, const QString& text, const QString& tip,
                              int left, int top, int width) {
        auto* l = new QLabel(text, area);
        l->setObjectName(name);
        l->setToolTip(tip);
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(255));
        return l;
    };
    label(QStringLiteral("gruppodati"), QStringLiteral("dati"),
          QStringLiteral("dati necessari alla elaborazione"), 360, 1560, 8055);
    label(QStringLiteral("grupporisultati"), QStringLiteral("risultati"),
          QStringLiteral("risultati di ogni singolo tronco"), PerdPlace.left, 1560,
          PerdPlace.width);
    for (int c = 0; c <= WaterColumn::perd; ++c) {
        const ColumnFacts& facts = FactsOf(WaterColumns(), c);
        const ColumnPlace place = headPlace(c);
        label(QStringLiteral("testa_") + facts.keyText(), facts.headText(), facts.headHintText(),
              place.left, 1800, place.width);
        QLabel* unit = label(QStringLiteral("unita_") + facts.keyText(), facts.windowUnitText(),
                             facts.unitHintText(), place.left, 2040, place.width);
        // "litri al secondo" takes two lines in its column, down to the band.
        if (c == WaterColumn::port) {
            unit->setWordWrap(true);
            unit->resize(unit->width(), twipsY(BandTopTwips - 2040));
        }
    }
}

void dati::buildBand() {
    QWidget* area = m_frame->clientArea();
    for (int i = 1; i <= BandLines; ++i) {
        const int top = BandTopTwips + LineStep * (i - 1);
        auto* n = new QLabel(area);
        n->setObjectName(indexed("num", i));
        n->setGeometry(twipsX(NumPlace.left), twipsY(top), twipsX(NumPlace.width), twipsY(255));
        n->setAutoFillBackground(true);
        n->setMouseTracking(true);
        n->installEventFilter(this);
        m_num.at(at(i)) = n;

        auto* d =
            MakeDeleteRowButton(*this, area, i, QRect(DelPlace.left, top, DelPlace.width, 255));
        connect(d, &QPushButton::clicked, this, [this, i] {
            m_editing->command(m_ctx.state.view.WaterBandTop + i - 1, MaxRows,
                               [this, i] { delriga_Click(i); });
        });
        m_delriga.at(at(i)) = d;

        for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c) {
            const ColumnPlace place = InputPlaces.at(static_cast<size_t>(c));
            if (c == WaterColumn::tipoc) {
                auto* combo = new QComboBox(area);
                combo->setObjectName(indexed("tipoc", i));
                combo->setEditable(true);
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->setValidator(new DataTextValidator(combo));
                combo->setGeometry(twipsX(place.left), twipsY(top), twipsX(place.width),
                                   twipsY(315));
                connect(combo, &QComboBox::editTextChanged, this,
                        [this, c, i] { typed(c, i, [this, i] { tipoc_Change(i); }); });
                connect(combo, &QComboBox::activated, this, [this, c, i](int index) {
                    typed(c, i, [this, i, index] { tipoc_Click(i, index); });
                });
                m_tipoc.at(at(i)) = combo;
                continue;
            }
            auto* edit = new QLineEdit(area);
            edit->setObjectName(indexed(qPrintable(WaterColumnName(c)), i));
            edit->setValidator(new NumberTextValidator(edit));
            edit->setGeometry(twipsX(place.left), twipsY(top), twipsX(place.width), twipsY(285));
            if (c == WaterColumn::lungh)
                connect(edit, &QLineEdit::textChanged, this,
                        [this, c, i] { typed(c, i, [this, i] { lungh_Change(i); }); });
            else
                connect(edit, &QLineEdit::textChanged, this,
                        [this, c, i] { typed(c, i, [this, c, i] { cell_Change(c, i); }); });
            m_boxes.at(static_cast<size_t>(c)).at(at(i)) = edit;
        }

        auto* p = new QLabel(area);
        p->setObjectName(indexed("perd", i));
        p->setGeometry(twipsX(PerdPlace.left), twipsY(top), twipsX(PerdPlace.width), twipsY(255));
        p->setAutoFillBackground(true);
        m_perd.at(at(i)) = p;
    }
    VScroll1 = new QScrollBar(Qt::Vertical, area);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(1, MaxBandTop);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(10);
    VScroll1->setGeometry(twipsX(120), twipsY(BandTopTwips), twipsX(225),
                          twipsY(LineStep * (BandLines - 1) + 285));
    connect(VScroll1, &QScrollBar::valueChanged, this, &dati::RefreshBand);
}

void dati::buildOthers() {
    QWidget* area = m_frame->clientArea();
    auto label = [this, area](const char* name, const QString& text, int left, int top, int width,
                              int height) {
        auto* l = new QLabel(text, area);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
        return l;
    };
    label("Label2", QStringLiteral("Tronchi digitati"), 480, 840, 2175, 495);
    Label1 = label("Label1", QString(), 2640, 840, 855, 495);
    label("Label3", QStringLiteral("totale perdite"), 7200, 4920, 1215, 255);
    totperd = label("totperd", QString(), 8400, 4920, 975, 255);
    totperd->setToolTip(QStringLiteral("totale prohgressivo delle perdite"));
    DescribeAsComputed(totperd, QStringLiteral("totale perdite"));
    Label1->setAccessibleDescription(QStringLiteral("tronchi digitati"));
    label("nota", QStringLiteral("N.B. Immettere i dati usando il punto per i decimali"), 360, 5220,
          6735, 255);
    passo = MakeHintBox(*this, area, QRect(2400, 5640, 4695, 450));
    passo->setWordWrap(true);
    MakePrintOptions(*this, area, {QRect(4200, 600, 3255, 855), 240, 510, 3000}, comestampo);

    const DataWindowButtons buttons = MakeDataWindowButtons(*this, m_ctx, area, 8280);
    aiuto = buttons.aiuto;
    guidainlinea = buttons.guidainlinea;
    stamp = buttons.stamp;
    esco = buttons.esco;
    connect(stamp, &QPushButton::clicked, this, &dati::stampa_Click);
    connect(aiuto, &QPushButton::clicked, this, &dati::aiuto_Click);
}

void dati::Form_Load() {
    startResizer(WindowFrame::OuterWidth, WindowFrame::OuterHeight);
    keepHalfDesignedSize();
    // A larger window shows larger texts, so that a long value shows whole.
    resizer()->setScalesFonts(true);
    InitMessageTitles(m_ctx.state);
    UpdateStepHint();
    m_ctx.state.view.WaterBandTop = 1;
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(1);
    }
    for (int i = 1; i <= BandLines; ++i) {
        // The band stands at row 1; its boxes show the table from the next
        // refresh on.
        showRowNumber(i);
        const QSignalBlocker block(tipoc(i));
        for (int k = 1; k <= WallTypeCount; ++k)
            tipoc(i)->addItem(WallTypeNames().at(static_cast<size_t>(k)));
        tipoc(i)->setCurrentIndex(-1);
        tipoc(i)->setEditText(QString());
    }
    // A window opened again shows the count of the table it finds.
    showCount();
    guidainlinea->setEnabled(m_ctx.forms.canShow(WindowName::sommario));
}
