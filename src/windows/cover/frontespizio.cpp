// The cover page window: its controls at their designed places (twips, the
// toolbar's top edge being 0), the menus and toolbar of the frame, and its
// commands.
#include "windows/cover/frontespizio.h"

#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "documents/CoverSheet.h"
#include "documents/WordDocument.h"
#include "windows/frame/DataTextValidator.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Line.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/ProjectStatus.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/WindowNames.h"
#include "windows/frame/WindowParts.h"

#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The rows of the record: captions on the left, boxes from 3000 on.
constexpr int CaptionLeft = 360;
constexpr int CaptionWidth = 2535;
constexpr int BoxLeft = 3000;
constexpr int BoxWidth = 5295;
constexpr int BoxHeight = 285;
constexpr int FirstRowTop = 1560;
constexpr int RowStep = 240;
// The owner rows, below the line that closes the editable rows.
constexpr int LineTop = 3405;
constexpr int StudioTop = 3525;
constexpr int AddressTop = 3765;

struct FieldRow {
    const char* caption;
    const char* hint;
    const char* spoken; // what a screen reader calls the box
};

// Caption and hint of each field, in the order of the record.
const FieldRow FieldRows[ProjectIdentification::FieldCount] = {
    {" progetto....................:", "il tipo di progetto che si sta elaborando", "progetto"},
    {" località......................:", "denominazione dei luoghi", "località"},
    {" tipologia di studio......:",
     "ad esempio: 'analisi situazione attuale'; 'ipotesi situazione di progetto'; ecc.",
     "tipologia di studio"},
    {" committente..............:", "chi ha commissionato lo studio", "committente"},
    {" luogo elaborazione...:", "località in cui viene effettuata la elaborazione dei dati",
     "luogo elaborazione"},
    {" data elaborazione.....:", "impostata in automatico e modificabile", "data elaborazione"},
    {" allegati alla relazione :", "grafici, disegni, planimetrie, foto, ecc.",
     "allegati alla relazione"},
};

const QString StartHint =
    QStringLiteral("Digitare i dati per ogni campo o prelevare un file dall'archivio.");
const QString NoOwnerHint =
    QStringLiteral("Inserire nome e indirizzo dello studio con File > Dati dello studio...");

const QString OwnerHint =
    QStringLiteral("dato del proprietario del programma: non si può modificare in questa finestra");

} // namespace

frontespizio::frontespizio(AppContext& context, QWidget* parent)
    : Form(context, parent)
    , m_files(context, this) {
    m_status = new ProjectStatus(*this, context.state,
                                 QStringLiteral("Tubarex: frontespizio per la relazione"));
    FrameHandlers h;
    // Apri and Elimina are the water window's own commands.
    if (context.forms.canShow(WindowName::dati)) {
        h.open = [this] {
            if (ProjectFileCommands* files = waterFiles())
                files->Open();
        };
        h.deleteFile = [this] {
            if (ProjectFileCommands* files = waterFiles())
                files->Delete();
        };
        h.openRecent = [this](const QString& path) {
            if (ProjectFileCommands* files = waterFiles())
                files->OpenRecent(path);
        };
    }
    SetSaveHandlers(
        h, m_files, [this] { return HasNetworkRows(); }, [this] { m_status->showSaved(passo); });
    h.colour = [this] { colorare_Click(); };
    h.check = [this] { controllodat_Click(); };
    h.clear = [this] { cancella_Click(); };
    h.printInputForm = [this] { solodati_Click(); };
    h.printWindow = [this] { stampa_Click(); };
    m_frame = new WindowFrame(*this, context, FrameKind::Cover, std::move(h));
    AddMenuEntry(m_frame->menu(QStringLiteral("stamp")), "anteprima",
                 QStringLiteral("&Anteprima di stampa..."), this, [this] { anteprima_Click(); });
    m_frame->menu(QStringLiteral("file"))->addSeparator();
    AddMenuEntry(m_frame->menu(QStringLiteral("file")), "datistudio",
                 QStringLiteral("&Dati dello studio..."), this,
                 [this] { ShowStudioDialog(m_ctx, this); });
    m_frame->clientArea()->setFont(InterfaceFont());
    buildFields();
    buildOthers();
    setTabOrder();
    m_background = palette().color(QPalette::Window);
    ShowRefusalsInHint(*this, passo);
}

void frontespizio::buildFields() {
    QWidget* area = m_frame->clientArea();
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
        const int top = FirstRowTop + RowStep * i;
        const QString name = ProjectIdentification::fieldName(i);
        auto* caption = new QLabel(QString::fromUtf8(FieldRows[i].caption), area);
        caption->setObjectName(QStringLiteral("caption_") + name);
        caption->setToolTip(QString::fromUtf8(FieldRows[i].hint));
        caption->setGeometry(twipsX(CaptionLeft), twipsY(top), twipsX(CaptionWidth),
                             twipsY(BoxHeight));
        auto* box = new QLineEdit(area);
        box->setObjectName(name);
        box->setAccessibleName(QString::fromUtf8(FieldRows[i].spoken));
        box->setValidator(new DataTextValidator(box));
        box->setGeometry(twipsX(BoxLeft), twipsY(top), twipsX(BoxWidth), twipsY(BoxHeight));
        // Each box is 285 twips high on a 240 twips step, so the next box
        // covers its lower edge: the text keeps to the top, where it shows.
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Every edit, typed or set by a command, is the record at once. The
        // date the first load puts in is no work of the user's to keep.
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            m_ctx.state.project.cover.field(i) = text;
            if (m_ctx.state.session.coverDated)
                NotifyProject(m_ctx.state, ProjectEvent::Changed);
        });
        m_fields.at(static_cast<size_t>(i)) = box;
    }

    Line2 = new Line(area);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setBorderColor(QColor(128, 128, 128));
    Line2->setEnds(twipsX(CaptionLeft), twipsY(LineTop), twipsX(BoxLeft + BoxWidth),
                   twipsY(LineTop));

    auto ownerRow = [this, area](const char* captionName, const char* captionText,
                                 const char* valueName, int top) {
        auto* caption = new QLabel(QString::fromUtf8(captionText), area);
        caption->setObjectName(QString::fromLatin1(captionName));
        caption->setToolTip(OwnerHint);
        caption->setGeometry(twipsX(CaptionLeft), twipsY(top), twipsX(CaptionWidth),
                             twipsY(BoxHeight));
        auto* value = new QLabel(area);
        value->setObjectName(QString::fromLatin1(valueName));
        value->setToolTip(OwnerHint);
        value->setGeometry(twipsX(BoxLeft), twipsY(top), twipsX(BoxWidth), twipsY(BoxHeight));
        value->installEventFilter(this);
        return value;
    };
    Labelstudio =
        ownerRow("captionstudio", " studio tecnico...........:", "Labelstudio", StudioTop);
    labelindirizzo = ownerRow("captionindirizzo",
                              " indirizzo.....................:", "labelindirizzo", AddressTop);
}

void frontespizio::buildOthers() {
    QWidget* area = m_frame->clientArea();
    Label1 = new QLabel(QStringLiteral(" CALCOLO DI PERDITE DI CARICO NELLE TUBAZIONI"), area);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = InterfaceFont();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(twipsX(CaptionLeft), twipsY(660), twipsX(BoxLeft + BoxWidth - CaptionLeft),
                        twipsY(375));

    passo =
        MakeHintBox(*this, area, QRect(CaptionLeft, 1140, BoxLeft + BoxWidth - CaptionLeft, 285));
    passo->setAlignment(Qt::AlignCenter);
    MakePrintOptions(*this, area, {QRect(CaptionLeft, 4200, 3255, 915), 330, 600, 3000},
                     comestampo);

    const auto button = [this, area](const char* name, const QString& text, const QString& tip,
                                     int left) {
        return MakeCommandButton(*this, area, name, text, tip, left, 5520);
    };
    aiuto = button("aiuto", QStringLiteral("&AIUTO"),
                   QStringLiteral("cliccare per avere indicazioni sulla immissione dei dati"), 120);
    guidainlinea =
        button("guidainlinea", QStringLiteral("&Guida in linea"),
               QStringLiteral("cliccare per visualizzare il Sommario della guida"), 1260);
    stampa = button("stampa", QStringLiteral("&Stampa"),
                    QStringLiteral("cliccare per stampare la relazione"), 7200);
    cmdesci = button("cmdesci", QStringLiteral("US&CITA"),
                     QStringLiteral("cliccare per uscire da Tubarex"), 8280);
    connect(stampa, &QPushButton::clicked, this, &frontespizio::stampa_Click);
    connect(aiuto, &QPushButton::clicked, this, &frontespizio::aiuto_Click);
    connect(guidainlinea, &QPushButton::clicked, this,
            [this] { m_ctx.forms.showByName(WindowName::sommario); });
    connect(cmdesci, &QPushButton::clicked, this,
            [this] { m_ctx.procedures.confirmExit(m_ctx, this); });
}

// progetto to luogo first, then the other controls, data and allegati last.
void frontespizio::setTabOrder() {
    QWidget* const chain[] = {progetto(),    localita(),    tipostudio(), committente(), luogo(),
                              comestampo[0], comestampo[1], stampa,       guidainlinea,  aiuto,
                              cmdesci,       data(),        allegati()};
    for (size_t k = 1; k < std::size(chain); ++k)
        QWidget::setTabOrder(chain[k - 1], chain[k]);
}

void frontespizio::Form_Load() {
    startResizer(WindowFrame::OuterWidth, WindowFrame::OuterHeight);
    keepHalfDesignedSize();
    InitMessageTitles(m_ctx.state);
    projectOpened();
    if (!m_ctx.state.session.coverDated) {
        // Once a run: a window closed and opened again must not overwrite a
        // date the user typed or a file brought in.
        data()->setText(CoverDateText(ProgramLocale(), QDate::currentDate()));
        m_ctx.state.session.coverDated = true;
    }
    Labelstudio->setText(m_ctx.state.program.OwnerName);
    labelindirizzo->setText(m_ctx.state.program.OwnerAddress);
    const bool noOwner =
        m_ctx.state.program.OwnerName.isEmpty() && m_ctx.state.program.OwnerAddress.isEmpty();
    passo->setText(noOwner ? NoOwnerHint : StartHint);
    ReportFontSize = 12;
    ReportFontName = QStringLiteral("Courier new");
    guidainlinea->setEnabled(m_ctx.forms.canShow(WindowName::sommario));
}

void frontespizio::projectOpened() {
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
        const QSignalBlocker block(field(i));
        field(i)->setText(m_ctx.state.project.cover.field(i));
    }
}

void frontespizio::ownerChanged() {
    Labelstudio->setText(m_ctx.state.program.OwnerName);
    labelindirizzo->setText(m_ctx.state.program.OwnerAddress);
    if (passo->text() == NoOwnerHint)
        passo->setText(StartHint);
}

void frontespizio::setBackgroundColour(const QColor& colour) {
    m_background = colour;
    setAutoFillBackground(true);
    SetWindowColour(this, colour);
}

bool frontespizio::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == Labelstudio || watched == labelindirizzo))
        ownerLabel_Click();
    return Form::eventFilter(watched, event);
}

void frontespizio::ownerLabel_Click() {
    m_ctx.services.messages.MsgBox(
        QStringLiteral("Attenzione: dato non modificabile, rivolgersi a Software Solariva, "
                       "produttrice del programma."),
        MsgButtons::Ok, NoticeIcon::Critical, m_ctx.state.program.CheckTitle, this);
}

void frontespizio::controllodat_Click() {
    const Notice notice = CheckCover(m_ctx.state.project.cover);
    m_ctx.services.messages.MsgBox(notice.text, MsgButtons::Ok, notice.icon,
                                   m_ctx.state.program.CheckTitle, this);
}

void frontespizio::cancella_Click() {
    // The change handlers empty the record as each box is emptied.
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        field(i)->setText(QString());
}

void frontespizio::colorare_Click() {
    if (const auto colour = ChooseProjectBackground(m_ctx, this, m_background))
        setBackgroundColour(*colour);
}

// The instruction keeps "sto caricando WORD" after the sheet is shown.
void frontespizio::solodati_Click() {
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-frontespizio-dati"), QString(),
                   [&](WordDocument& doc) { BuildCoverSheet(doc, m_ctx.state); });
}

void frontespizio::aiuto_Click() {
    const QString lines[] = {
        QStringLiteral("- Digitare o correggere i dati spostandosi con il tasto TAB, o con il "
                       "mouse, nei campi;"),
        QStringLiteral("- la data viene impostata in automatico, ma è modificabile;"),
        QStringLiteral("- lo studio tecnico è il proprietario del programma e non è "
                       "modificabile;"),
        QStringLiteral("- aprire un file archiviato per prelevare, eventualmente, i dati "
                       "registrati (Tubarex-dati-...);"),
        QStringLiteral("- non digitare dati più lunghi di 60 spazi;"),
        QStringLiteral("- effettuare il controllo dei dati immessi cliccando sul tasto ABC.")};
    QString text;
    for (const QString& line : lines)
        text += (text.isEmpty() ? QString() : QStringLiteral("\r")) + line;
    m_ctx.services.messages.MsgBox(text, MsgButtons::Ok, NoticeIcon::Information,
                                   m_ctx.state.program.HelpTitle, this);
}

ProjectFileCommands* frontespizio::waterFiles() {
    // Loaded, not shown, when it is not loaded yet: its dialog keeps the
    // file name last used, whichever window ran the command.
    m_ctx.forms.loadByName(WindowName::dati);
    auto* water = dynamic_cast<ProjectView*>(m_ctx.forms.find(WindowName::dati));
    return water ? &water->files() : nullptr;
}

bool frontespizio::HasNetworkRows() {
    return ProjectHasRows(m_ctx, this);
}
