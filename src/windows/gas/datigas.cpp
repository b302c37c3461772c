// The gas data window: its controls at their designed places (twips, the
// toolbar's top edge being 0) and the menus and toolbar of the frame.
#include "windows/gas/datigas.h"

#include "core/model/NumberText.h"
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

#include <QList>

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
constexpr int LineHeight = 255;
// Tops of the fitting headings and boxes, of the column headings and units.
constexpr int FittingHeadTop = 960;
constexpr int FittingBoxTop = 1200;
constexpr int GroupHeadTop = 1560;
constexpr int HeadTop = 1800;
constexpr int UnitTop = 2040;

struct ColumnPlace {
    int left;
    int width;
};

// Left edge and width of the band columns, by gas column 1..13: the combos
// are wider, their lists hold names such as "1 1/4''".
constexpr std::array<ColumnPlace, 14> Places = {{{0, 0},
                                                 {960, 585},
                                                 {1560, 825},
                                                 {2400, 585},
                                                 {3000, 825},
                                                 {3840, 585},
                                                 {4440, 585},
                                                 {5040, 585},
                                                 {5640, 585},
                                                 {6240, 585},
                                                 {6840, 585},
                                                 {7440, 585},
                                                 {8040, 585},
                                                 {8640, 795}}};
constexpr ColumnPlace NumPlace{360, 345};
constexpr ColumnPlace DelPlace{720, 225};

// Where a column's head labels stand: over its boxes, the row number's
// also over the delete buttons; the fittings' over the computed columns
// diam .. pci, whose boxes their fitting row stands above.
ColumnPlace headPlace(int column) {
    if (column == 0)
        return {NumPlace.left, 585};
    if (column >= GasColumn::cu45)
        return Places.at(static_cast<size_t>(column - GasColumn::cu45 + GasColumn::diam));
    return Places.at(static_cast<size_t>(column));
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(i);
}

// A box that shows a computed value: never typed, and no tab stop, so that
// the tab runs through the inputs only.
void makeComputed(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    DescribeAsComputed(edit);
}

} // namespace

datigas::datigas(AppContext& context, QWidget* parent)
    : Form(context, parent)
    , m_files(context, this, CancelledOpen::ForgetsCurrentFile) {
    m_status = new ProjectStatus(*this, context.state,
                                 QStringLiteral("Perdite di carico gas: dati per il calcolo"));
    FrameHandlers h;
    h.open = [this] { m_files.Open(); };
    h.openRecent = [this](const QString& path) { m_files.OpenRecent(path); };
    SetSaveHandlers(
        h, m_files, [this] { return precheck(); }, [this] { m_status->showSaved(passo); });
    h.deleteFile = [this] { m_files.Delete(); };
    h.colour = [this] { ChooseGasBackground(); };
    h.check = [this] { CheckData(); };
    h.clear = [this] { m_editing->command(1, MaxRows, [this] { Clear(); }); };
    h.printWindow = [this] { stampa_Click(); };
    h.printInputForm = [this] { acquisizionedati_Click(); };
    m_frame = new WindowFrame(*this, context, FrameKind::Gas, std::move(h));
    AddMenuEntry(m_frame->menu(QStringLiteral("stam")), "anteprima",
                 QStringLiteral("&Anteprima di stampa..."), this, [this] { anteprima_Click(); });
    m_frame->clientArea()->setFont(InterfaceFont());
    buildHeads();
    buildFittings();
    buildBand();
    buildOthers();
    buildEditing();
    setBackgroundColour(QColor(128, 128, 128));
    ShowRefusalsInHint(*this, passo);
    paintBand();
}

QLineEdit* datigas::box(int column, int i) const {
    return m_boxes.at(static_cast<size_t>(column)).at(at(i));
}

QLineEdit* datigas::lungh(int i) const {
    return box(GasColumn::lungh, i);
}

QLineEdit* datigas::portgas(int i) const {
    return box(GasColumn::portgas, i);
}

QLineEdit* datigas::diam(int i) const {
    return box(GasColumn::diam, i);
}

QWidget* datigas::control(int column, int i) const {
    if (column == GasColumn::tipofi)
        return tipofi(i);
    if (column == GasColumn::tipoc)
        return tipoc(i);
    return box(column, i);
}

QLineEdit* datigas::fitting(int column) const {
    return m_fittings.at(static_cast<size_t>(column));
}

void datigas::buildHeads() {
    QWidget* area = m_frame->clientArea();
    auto label = [this, area](const QString& name, const QString& text, const QString& tip,
                              int left, int top, int width) {
        auto* l = new QLabel(text, area);
        l->setObjectName(name);
        l->setToolTip(tip);
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(LineHeight));
        return l;
    };
    const int inputsEnd = Places[GasColumn::tipoc].left + Places[GasColumn::tipoc].width;
    const int resultsEnd = Places[GasColumn::perd].left + Places[GasColumn::perd].width;
    label(QStringLiteral("gruppodati"), QStringLiteral("dati da digitare"),
          QStringLiteral("dati necessari alla elaborazione"), Places[1].left, GroupHeadTop,
          inputsEnd - Places[1].left);
    label(QStringLiteral("grupporisultati"), QStringLiteral("dati automatici e risultati"),
          QStringLiteral("risultati di ogni singolo tronco"), Places[GasColumn::diam].left,
          GroupHeadTop, resultsEnd - Places[GasColumn::diam].left);
    for (int c = 0; c <= GasColumn::luvirt; ++c) {
        const ColumnFacts& facts = FactsOf(GasColumns(), c);
        const ColumnPlace place = headPlace(c);
        const bool fitting = c >= GasColumn::cu45;
        label(QStringLiteral("testa_") + facts.keyText(), facts.headText(), facts.headHintText(),
              place.left, fitting ? FittingHeadTop : HeadTop, place.width);
        // The fitting row has no unit line.
        if (!fitting)
            label(QStringLiteral("unita_") + facts.keyText(), facts.windowUnitText(),
                  facts.unitHintText(), place.left, UnitTop, place.width);
    }
}

void datigas::buildFittings() {
    QWidget* area = m_frame->clientArea();
    eventuale = new QLabel(QStringLiteral("eventuali dati tronco n."), area);
    eventuale->setObjectName(QStringLiteral("eventuale"));
    eventuale->setToolTip(QStringLiteral("dati necessari alla elaborazione"));
    eventuale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    eventuale->setGeometry(twipsX(960), twipsY(FittingBoxTop), twipsX(2800), twipsY(285));
    for (int c = GasColumn::cu45; c <= GasColumn::luvirt; ++c) {
        const ColumnPlace place =
            Places.at(static_cast<size_t>(c - GasColumn::cu45 + GasColumn::diam));
        auto* edit = new QLineEdit(area);
        edit->setObjectName(GasColumnName(c));
        edit->setValidator(new NumberTextValidator(edit));
        edit->setGeometry(twipsX(place.left), twipsY(FittingBoxTop), twipsX(place.width),
                          twipsY(285));
        if (c == GasColumn::luvirt) {
            SetBoxColour(edit, QColor(128, 255, 255));
            // Overwritten by the computed virtual length: no tab stop.
            edit->setFocusPolicy(Qt::ClickFocus);
        }
        // The fitting row edits the row last pointed at or edited.
        connect(edit, &QLineEdit::textChanged, this, [this, c] {
            typed(CurrentRow < 1 ? m_ctx.state.view.GasBandTop : CurrentRow, c,
                  [this, c] { fitting_Change(c); });
        });
        m_fittings.at(static_cast<size_t>(c)) = edit;
    }
}

void datigas::buildBand() {
    QWidget* area = m_frame->clientArea();
    auto combo = [this, area](const char* name, int i, int column, int top) {
        const ColumnPlace place = Places.at(static_cast<size_t>(column));
        auto* c = new QComboBox(area);
        c->setObjectName(indexed(name, i));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setValidator(new DataTextValidator(c));
        c->setGeometry(twipsX(place.left), twipsY(top), twipsX(place.width), twipsY(315));
        return c;
    };
    for (int i = 1; i <= BandLines; ++i) {
        const int top = BandTopTwips + LineStep * (i - 1);
        auto* n = new QLabel(area);
        n->setObjectName(indexed("num", i));
        n->setGeometry(twipsX(NumPlace.left), twipsY(top), twipsX(NumPlace.width),
                       twipsY(LineHeight));
        n->setAutoFillBackground(true);
        n->setMouseTracking(true);
        n->installEventFilter(this);
        m_num.at(at(i)) = n;

        auto* d = MakeDeleteRowButton(*this, area, i,
                                      QRect(DelPlace.left, top, DelPlace.width, LineHeight));
        connect(d, &QPushButton::clicked, this, [this, i] {
            m_editing->command(rowOf(i), MaxRows, [this, i] { delriga_Click(i); });
        });
        m_delriga.at(at(i)) = d;

        QComboBox* fi = combo("tipofi", i, GasColumn::tipofi, top);
        connect(fi, &QComboBox::editTextChanged, this,
                [this, i] { typed(rowOf(i), GasColumn::tipofi, [this, i] { tipofi_Change(i); }); });
        connect(fi, &QComboBox::activated, this, [this, i](int index) {
            typed(rowOf(i), GasColumn::tipofi, [this, i, index] { tipofi_Click(i, index); });
        });
        m_tipofi.at(at(i)) = fi;
        QComboBox* gas = combo("tipoc", i, GasColumn::tipoc, top);
        connect(gas, &QComboBox::editTextChanged, this,
                [this, i] { typed(rowOf(i), GasColumn::tipoc, [this, i] { tipoc_Change(i); }); });
        connect(gas, &QComboBox::activated, this, [this, i](int index) {
            typed(rowOf(i), GasColumn::tipoc, [this, i, index] { tipoc_Click(i, index); });
        });
        m_tipoc.at(at(i)) = gas;

        for (int c = GasColumn::lungh; c <= GasColumn::pci; ++c) {
            if (c == GasColumn::tipofi || c == GasColumn::tipoc)
                continue;
            const ColumnPlace place = Places.at(static_cast<size_t>(c));
            auto* edit = new QLineEdit(area);
            edit->setObjectName(indexed(qPrintable(GasColumnName(c)), i));
            edit->setValidator(new NumberTextValidator(edit));
            edit->setGeometry(twipsX(place.left), twipsY(top), twipsX(place.width), twipsY(285));
            if (c == GasColumn::lungh)
                connect(edit, &QLineEdit::textChanged, this,
                        [this, c, i] { typed(rowOf(i), c, [this, i] { lungh_Change(i); }); });
            else if (c == GasColumn::portgas)
                connect(edit, &QLineEdit::textChanged, this,
                        [this, c, i] { typed(rowOf(i), c, [this, i] { portgas_Change(i); }); });
            else if (c == GasColumn::diam)
                connect(edit, &QLineEdit::textChanged, this,
                        [this, c, i] { typed(rowOf(i), c, [this, i] { diam_Change(i); }); });
            else
                makeComputed(edit);
            m_boxes.at(static_cast<size_t>(c)).at(at(i)) = edit;
        }

        auto* p = new QLabel(area);
        p->setObjectName(indexed("perd", i));
        const ColumnPlace perdPlace = Places[GasColumn::perd];
        p->setGeometry(twipsX(perdPlace.left), twipsY(top), twipsX(perdPlace.width),
                       twipsY(LineHeight));
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
    connect(VScroll1, &QScrollBar::valueChanged, this, &datigas::RefreshGasBand);
}

void datigas::buildOthers() {
    QWidget* area = m_frame->clientArea();
    auto label = [this, area](const char* name, const QString& text, int left, int top, int width,
                              int height) {
        auto* l = new QLabel(text, area);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
        return l;
    };
    QLabel* rows = label("Label2", QStringLiteral("Tronchi digitati"), 960, 600, 1395, 255);
    rows->setToolTip(QStringLiteral("numero totale dei tronchi digitati"));
    Label1 = label("Label1", QString(), 2400, 600, 585, 255);
    label("nota", QStringLiteral("N.B. Immettere i dati usando il punto per i decimali."), 2400,
          5280, 4695, 255);
    QLabel* total = label("Label3", QStringLiteral("totale perdite"), 7200, 4920, 1395, 255);
    total->setToolTip(QStringLiteral("totale prohgressivo delle perdite"));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const ColumnPlace perdPlace = Places[GasColumn::perd];
    totperd = label("totperd", QString(), perdPlace.left, 4920, perdPlace.width, 255);
    totperd->setToolTip(QStringLiteral("totale prohgressivo delle perdite"));
    totperd->setAutoFillBackground(true);
    SetWindowColour(totperd, QColor(0, 255, 255));
    DescribeAsComputed(totperd, QStringLiteral("totale perdite"));
    Label1->setAccessibleDescription(QStringLiteral("tronchi digitati"));
    passo = MakeHintBox(*this, area, QRect(2400, 5640, 4695, 450));
    passo->setWordWrap(true);
    MakePrintOptions(*this, area, {QRect(360, 4920, 1935, 780), 210, 465, 1755}, comestampo);

    const DataWindowButtons buttons = MakeDataWindowButtons(*this, m_ctx, area, 8340);
    aiuto = buttons.aiuto;
    guidainlinea = buttons.guidainlinea;
    stamp = buttons.stamp;
    esco = buttons.esco;
    connect(aiuto, &QPushButton::clicked, this, &datigas::aiuto_Click);
    connect(stamp, &QPushButton::clicked, this, &datigas::stampa_Click);
    setTabChain();
}

void datigas::setTabChain() {
    // Row by row through the inputs, as in the water window; then the
    // fittings of the chosen row, the print options and the buttons.
    QList<QWidget*> chain;
    for (int i = 1; i <= BandLines; ++i) {
        for (const int c : {GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas,
                            GasColumn::tipoc, GasColumn::diam})
            chain.append(control(c, i));
    }
    for (int c = GasColumn::cu45; c <= GasColumn::rv; ++c)
        chain.append(fitting(c));
    chain << comestampo[0] << comestampo[1] << aiuto << guidainlinea << stamp << esco;
    for (qsizetype k = 1; k < chain.size(); ++k)
        setTabOrder(chain.at(k - 1), chain.at(k));
}

void datigas::Form_Load() {
    startResizer(WindowFrame::OuterWidth, WindowFrame::OuterHeight);
    keepHalfDesignedSize();
    // A larger window shows larger texts, so that a long value shows whole.
    resizer()->setScalesFonts(true);
    InitMessageTitles(m_ctx.state);
    showHint();
    m_ctx.state.view.GasBandTop = 1;
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(1);
    }
    for (int i = 1; i <= BandLines; ++i) {
        // The lines keep their row numbers 1..10 and stay empty until the
        // next refresh.
        showRowNumber(i);
        const QSignalBlocker blockFi(tipofi(i));
        tipofi(i)->addItems(QStringList(NominalDiameters().begin(), NominalDiameters().end()));
        tipofi(i)->setCurrentIndex(-1);
        tipofi(i)->setEditText(QString());
        const QSignalBlocker blockGas(tipoc(i));
        tipoc(i)->addItems({GasTypes()[1].name, GasTypes()[2].name});
        tipoc(i)->setCurrentIndex(-1);
        tipoc(i)->setEditText(QString());
    }
    nameFittings();
    // A window opened again shows the count of the table it finds.
    showCount();
    guidainlinea->setEnabled(m_ctx.forms.canShow(WindowName::sommario));
}
