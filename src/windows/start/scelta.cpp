#include "windows/start/scelta.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/frame/datistudio.h"
#include "windows/start/ModTubarex.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

namespace {

// The windows the two options open, by registry name.
const QLatin1String OptionTargets[] = {WindowName::dati, WindowName::datigas};

// Outer and inner size of the chooser and height of its status bar (twips).
constexpr int OuterWidth = 9600;
constexpr int OuterHeight = 6825;
constexpr int InnerWidth = 9480;
constexpr int InnerHeight = 6420;
constexpr int StatusHeight = 375;

} // namespace

scelta::scelta(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("Tubarex: menu delle procedure di calcolo disponibili"));
    setMouseTracking(true);
    // The face of the other designed windows; the chooser has room for its
    // texts at 9 points, whatever the desktop's own size.
    QFont face = InterfaceFont();
    face.setPointSize(9);
    setFont(face);

    auto place = [this](QWidget* w, const char* name, int left, int top, int width, int height) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
        w->setMouseTracking(true);
    };
    auto makeLabel = [this, &place](const char* name, const QString& text, int left, int top,
                                    int width, int height) {
        auto* l = new QLabel(text, this);
        place(l, name, left, top, width, height);
        l->setWordWrap(true);
        return l;
    };

    Label1 = makeLabel("Label1", QStringLiteral("Cliccare sul tipo di calcolo prescelto"), 480, 360,
                       8520, 495);
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    Label1->setFont(big);

    Label6 = makeLabel("Label6", QStringLiteral("Tipo di calcolo"), 480, 1320, 3255, 300);
    Label7 =
        makeLabel("Label7", QStringLiteral(" il programma effettua..."), 3960, 1320, 5040, 300);
    QFont head = Label6->font();
    head.setBold(true);
    Label6->setFont(head);
    Label7->setFont(head);

    Label2 = makeLabel("Label2",
                       QStringLiteral("... il calcolo delle perdite di carico distribuite e "
                                      "concentrate in tubazioni di acqua a pressione"),
                       3960, 1920, 5040, 735);
    Label3 = makeLabel("Label3",
                       QStringLiteral("... il calcolo delle perdite di carico in tubazioni di gas "
                                      "metano o GPL a pressione"),
                       3960, 3000, 5040, 735);

    const QString captions[] = {QStringLiteral("Perdite di carico per acqua"),
                                QStringLiteral("Perdite di carico per gas")};
    for (int i = 1; i <= 2; ++i) {
        auto* option = new QRadioButton(captions[i - 1], this);
        place(option, i == 1 ? "Option1(1)" : "Option1(2)", 480, i == 1 ? 2040 : 3120, 3255, 495);
        option->installEventFilter(this);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        m_options.at(static_cast<size_t>(i - 1)) = option;
    }

    auto makeButton = [this, &place](const char* name, const QString& text, const QString& tip,
                                     int left) {
        auto* b = new QPushButton(text, this);
        place(b, name, left, 5160, 1695, 495);
        b->setToolTip(tip);
        return b;
    };
    aiuto =
        makeButton("aiuto", QStringLiteral("&AIUTO"),
                   QStringLiteral("cliccare per avere informazioni sull'uso della finestra"), 480);
    guida = makeButton("guida", QStringLiteral("&Guida in linea"),
                       QStringLiteral("cliccare per visualizzare il sommario della Guida"), 3900);
    cmdesci = makeButton("cmdesci", QStringLiteral("&USCITA"),
                         QStringLiteral("cliccare per uscire da Tubarex"), 7305);
    // Below the options, where the designed window is free.
    studio = new QPushButton(QStringLiteral("&Dati dello studio..."), this);
    place(studio, "studio", 480, 4200, 3255, 495);
    studio->setToolTip(QStringLiteral("cliccare per inserire nome e indirizzo dello studio "
                                      "tecnico che firma la relazione"));
    connect(studio, &QPushButton::clicked, this, [this] { ShowStudioDialog(m_ctx, this); });
    connect(aiuto, &QPushButton::clicked, this, &scelta::aiuto_Click);
    connect(guida, &QPushButton::clicked, this, &scelta::guida_Click);
    connect(cmdesci, &QPushButton::clicked, this, &scelta::cmdesci_Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setStyleSheet(QStringLiteral("QStatusBar { border-top: 1px solid palette(mid); }"));
    setDesignedInnerSize(InnerWidth, InnerHeight);
}

void scelta::Form_Load() {
    startResizer(OuterWidth, OuterHeight);
    keepHalfDesignedSize();
    for (int i = 1; i <= 2; ++i)
        Option1(i)->setEnabled(m_ctx.forms.canShow(OptionTargets[i - 1]));
    guida->setEnabled(m_ctx.forms.canShow(WindowName::sommario));
}

void scelta::Option1_Click(int index) {
    m_ctx.forms.showByName(OptionTargets[index - 1]);
    // Cleared at once, so that no option stays selected and the same choice
    // can be clicked again.
    QRadioButton* option = Option1(index);
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void scelta::Option1_MouseMove(int index) {
    StatusBar1->showMessage(
        index == 1 ? QStringLiteral("Apre una finestra in cui si possono calcolare le perdite di "
                                    "carico per condotte di acqua a pressione.")
                   : QStringLiteral("Apre una finestra in cui si possono calcolare le perdite di "
                                    "carico per condotte di gas metano o GPL a pressione."));
}

void scelta::Form_MouseMove() {
    StatusBar1->showMessage(
        QStringLiteral("Elenca i tipi di calcolo disponibili ed una breve descrizione dei "
                       "rispettivi risultati ottenibili dall'elaborazione."));
}

void scelta::aiuto_Click() {
    m_ctx.services.messages.MsgBox(
        QStringLiteral("Scegliere il tipo di calcolo che si intende effettuare cliccandoci sopra."),
        MsgButtons::Ok, NoticeIcon::Information, m_ctx.state.program.HelpTitle, this);
}

void scelta::guida_Click() {
    m_ctx.forms.showByName(WindowName::sommario);
}

void scelta::cmdesci_Click() {
    ConfirmExit(m_ctx, this);
}

bool scelta::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (int i = 1; i <= 2; ++i) {
            if (watched != Option1(i))
                continue;
            Option1_MouseMove(i);
            // A plain move stops here: the window beneath would take it for
            // a move over its free surface.
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
                return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void scelta::mouseMoveEvent(QMouseEvent* event) {
    // Labels and buttons hand the pointer's moves on to the window: its hint
    // belongs to the free surface alone.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    Form::mouseMoveEvent(event);
}

void scelta::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    placeStatusBar();
}

void scelta::placeStatusBar() {
    const int h = twipsY(StatusHeight);
    StatusBar1->setGeometry(0, height() - h, width(), h);
}
