#include "windows/help/sommario.h"

#include "core/session/ApplicationState.h"
#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "windows/frame/ClassicColour.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/help/HelpPage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// Colours in the classic 0x00BBGGRR form.
constexpr quint32 Cyan = 0x00FFFF00;
constexpr quint32 Yellow = 0x0000FFFF;
constexpr quint32 Red = 0x000000FF;
constexpr quint32 Black = 0x00000000;

struct Entry {
    int left;
    int top;
    const char* caption; // UTF-8, leading blanks kept
    quint32 back;
    quint32 fore;
    QLatin1String window;
};

// The entry buttons of the two columns; each label stands right of its
// button.
constexpr int LeftColumn = 240;
constexpr int RightColumn = 3855;
constexpr int LabelOffset = 480;
constexpr int LabelWidth = 2895;

// The classic entries on the left: rows leave wider gaps after entries 4
// and 7 (general topics, window topics, then the rest). The later pages on
// the right, on the rows of the left column: the verification, its sizing
// and the pipe series; the recent projects, the preview and the studio;
// undo and the block paste.
const Entry Entries[sommario::EntryCount] = {
    {LeftColumn, 960, "  Manuale d'uso rapido", Cyan, Black, WindowName::manuale},
    {LeftColumn, 1320, "  Funzionamento del programma", Cyan, Black,
     WindowName::guidafunzionamento},
    {LeftColumn, 1680, "  Archivio dati", Cyan, Black, WindowName::guidaarchivio},
    {LeftColumn, 2040, " Come stampare", Cyan, Black, WindowName::guidastampa},
    {LeftColumn, 2760, " Finestra Dati acqua", Cyan, Black, WindowName::guidadati},
    {LeftColumn, 3120, " Finestra Dati gas", Cyan, Black, WindowName::guidadatigas},
    {LeftColumn, 3480, " Finestra Frontespizio", Cyan, Black, WindowName::guidafrontespizio},
    {LeftColumn, 4440, "  Suggerimento del giorno", Cyan, Black, WindowName::frmTip},
    {LeftColumn, 4800, "  Licenza d'uso di \"Tubarex\"", Red, Yellow, WindowName::licenza},
    {LeftColumn, 5160, "  altri prodotti Software Solariva", Yellow, Black, WindowName::prodotti},
    {RightColumn, 960, "  Verifica della rete", Cyan, Black, WindowName::guidaverifica},
    {RightColumn, 1320, "  Dimensionamento della rete", Cyan, Black, WindowName::guidadimensiona},
    {RightColumn, 1680, "  Serie di tubi per l'acqua", Cyan, Black, WindowName::guidaserie},
    {RightColumn, 2040, "  Utenze e portate", Cyan, Black, WindowName::guidaportate},
    {RightColumn, 2760, "  Progetti recenti", Cyan, Black, WindowName::guidarecenti},
    {RightColumn, 3120, "  Anteprima di stampa", Cyan, Black, WindowName::guidaanteprima},
    {RightColumn, 3480, "  Dati dello studio", Cyan, Black, WindowName::guidastudio},
    {RightColumn, 4440, "  Annulla e ripeti", Cyan, Black, WindowName::guidaannulla},
    {RightColumn, 4800, "  Incollare un blocco di celle", Cyan, Black, WindowName::guidaincolla},
};

void setBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

QString sommario::EntryWindow(int index) {
    return Entries[index - 1].window;
}

sommario::sommario(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("Tubarex: guida in linea"));
    setFont(DesignFont());
    setMouseTracking(true);
    setDesignedInnerSize(RightColumn + LabelOffset + LabelWidth + LeftColumn, 6420);

    const auto place = [this](QWidget* w, const QString& name, int left, int top, int width,
                              int height) {
        w->setObjectName(name);
        w->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
    };

    Label1 = new QLabel(QStringLiteral("Argomenti della guida"), this);
    place(Label1, QStringLiteral("Label1"), 240, 240, 3375, 375);
    QFont heading = DesignFont();
    heading.setPointSize(12);
    heading.setBold(true);
    Label1->setFont(heading);

    for (int i = 1; i <= EntryCount; ++i) {
        const Entry& entry = Entries[i - 1];
        auto* button = new QPushButton(QStringLiteral("--->"), this);
        place(button, QStringLiteral("puls(%1)").arg(i), entry.left, entry.top, 375, 255);
        connect(button, &QPushButton::clicked, this, [this, i] { OpenEntry(i); });
        m_puls.at(static_cast<size_t>(i - 1)) = button;

        auto* label = new QLabel(QString::fromUtf8(entry.caption), this);
        place(label, QStringLiteral("lbl(%1)").arg(i), entry.left + LabelOffset, entry.top,
              LabelWidth, 255);
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, fromClassicColour(entry.back));
        palette.setColor(QPalette::WindowText, fromClassicColour(entry.fore));
        label->setPalette(palette);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        m_lbl.at(static_cast<size_t>(i - 1)) = label;
    }

    const auto bottom = [this, &place](const char* name, const QString& caption,
                                       const QString& hint, int left) {
        auto* b = new QPushButton(caption, this);
        place(b, QString::fromLatin1(name), left, 5880, 1215, 375);
        b->setToolTip(hint);
        return b;
    };
    cmdstampa = bottom("cmdstampa", QStringLiteral("&Stampa"),
                       QStringLiteral("cliccare per avere la copia su carta del sommario"), 120);
    cmdchiudi = bottom("cmdchiudi", QStringLiteral("&Chiudi"),
                       QStringLiteral("cliccare per chiudere la finestra"), 1320);
    esco = bottom("esco", QStringLiteral("&USCITA"),
                  QStringLiteral("cliccare per uscire da Tubarex"), 2520);
    connect(cmdstampa, &QPushButton::clicked, this, &sommario::cmdstampa_Click);
    connect(cmdchiudi, &QPushButton::clicked, this, &sommario::cmdchiudi_Click);
    connect(esco, &QPushButton::clicked, this, &sommario::esco_Click);
}

void sommario::Form_Load() {
    // As wide as its two columns, with the classic frame around them.
    startResizer(RightColumn + LabelOffset + LabelWidth + LeftColumn + 120, 6825);
}

void sommario::OpenEntry(int index) {
    m_ctx.forms.showByName(EntryWindow(index));
}

void sommario::lbl_MouseMove(int index) {
    for (int i = 1; i <= EntryCount; ++i)
        setBold(lbl(i), false);
    setBold(lbl(index), true);
}

void sommario::Form_MouseMove() {
    for (int i = 1; i <= EntryCount; ++i)
        setBold(lbl(i), false);
}

void sommario::lbl_MouseDown(int index) {
    lbl(index)->setFrameShape(QFrame::NoFrame);
    OpenEntry(index);
}

void sommario::lbl_MouseUp(int index) {
    lbl(index)->setFrameStyle(QFrame::Box | QFrame::Plain);
}

bool sommario::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 1; i <= EntryCount; ++i) {
        if (watched != lbl(i))
            continue;
        switch (event->type()) {
        case QEvent::MouseMove:
            lbl_MouseMove(i);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            lbl_MouseDown(i);
            return true;
        case QEvent::MouseButtonRelease:
            lbl_MouseUp(i);
            return true;
        default:
            break;
        }
    }
    return Form::eventFilter(watched, event);
}

// Moves reach the window itself over its bare background, and over any
// control that does not take them (the buttons, the heading); only the bare
// background clears the highlight.
void sommario::mouseMoveEvent(QMouseEvent* event) {
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    Form::mouseMoveEvent(event);
}

void sommario::cmdstampa_Click() {
    // Each page gives its title and text from its window, loaded (not
    // shown) when it is not loaded yet.
    std::vector<HelpTopic> pages;
    for (const HelpTopic& topic : HelpTopics()) {
        HelpTopic page = topic;
        const QString name = HelpPageWindow(topic.subject);
        m_ctx.forms.loadByName(name);
        if (auto* window = qobject_cast<HelpPage*>(m_ctx.forms.find(name))) {
            page.title = window->Label1->text();
            page.text = window->Label2->text();
        }
        pages.push_back(page);
    }
    const WordDocument doc = WholeHelpDocument(m_ctx.state, pages);
    m_ctx.services.documents.SaveAndShowDocument(doc, WholeHelpPath(m_ctx.state), this);
}

void sommario::cmdchiudi_Click() {
    closeFromButton(Closing::Hides);
}

void sommario::esco_Click() {
    m_ctx.procedures.confirmExit(m_ctx, this);
}
