#include "windows/start/frmSplash.h"

#include "core/session/ApplicationState.h"
#include "core/session/ProgramFiles.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/start/ModTubarex.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

// Designed size of the splash (twips): it is not resized.
constexpr int SplashWidth = 7560;
constexpr int SplashHeight = 4320;

const QColor PanelTop(0, 48, 96);
const QColor PanelBottom(0, 96, 144);

// The splash picture: a pipe with an elbow, a valve wheel, a water drop and
// a gas flame, the two networks the program computes.
QPixmap drawPicture(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 100.0, side / 100.0);

    QPen pipe(QColor(200, 210, 220), 12, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(pipe);
    QPainterPath run;
    run.moveTo(8, 78);
    run.lineTo(52, 78);
    run.arcTo(32, 38, 40, 40, 270, 90);
    run.lineTo(72, 14);
    p.drawPath(run);
    p.setPen(QPen(QColor(120, 130, 140), 2));
    p.drawLine(QLineF(20, 70, 20, 86));
    p.drawLine(QLineF(64, 26, 80, 26));

    // Valve wheel on the horizontal run.
    p.setPen(QPen(QColor(200, 30, 30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(36, 62), 8, 8);
    p.drawLine(QLineF(36, 54, 36, 72));
    p.drawLine(QLineF(28, 62, 44, 62));

    // Water drop.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 170, 255));
    QPainterPath drop;
    drop.moveTo(22, 12);
    drop.cubicTo(30, 26, 34, 32, 34, 38);
    drop.arcTo(10, 26, 24, 24, 0, -180);
    drop.cubicTo(10, 32, 14, 26, 22, 12);
    p.drawPath(drop);

    // Gas flame.
    QLinearGradient flame(88, 34, 88, 64);
    flame.setColorAt(0, QColor(255, 240, 80));
    flame.setColorAt(1, QColor(40, 110, 255));
    p.setBrush(flame);
    QPainterPath fire;
    fire.moveTo(88, 34);
    fire.cubicTo(98, 46, 96, 60, 88, 64);
    fire.cubicTo(80, 60, 78, 46, 88, 34);
    p.drawPath(fire);
    return pixmap;
}

} // namespace

frmSplash::frmSplash(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowFlag(Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(twipsX(SplashWidth), twipsY(SplashHeight));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsX(360), twipsY(600), twipsX(1920), twipsY(1920));
    Image1->setPixmap(drawPicture(twipsX(1920)));
    Image1->installEventFilter(this);

    struct Design {
        int left, top, width, height;
        int pointSize;
        bool bold;
        Qt::Alignment align;
        QColor colour;
    };
    const Design designs[] = {
        {360, 3720, 6840, 300, 8, false, Qt::AlignCenter, QColor(200, 220, 240)},
        {2520, 720, 4680, 360, 10, false, Qt::AlignLeft | Qt::AlignVCenter, Qt::white},
        {2520, 1080, 4680, 840, 30, true, Qt::AlignLeft | Qt::AlignVCenter, QColor(255, 220, 60)},
        {2520, 1920, 4680, 420, 12, false, Qt::AlignLeft | Qt::AlignVCenter, Qt::white},
        {2520, 2640, 4680, 300, 8, true, Qt::AlignLeft | Qt::AlignVCenter, QColor(200, 220, 240)},
    };
    for (int i = 1; i <= 5; ++i) {
        const Design& d = designs[i - 1];
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("label(%1)").arg(i));
        l->setGeometry(twipsX(d.left), twipsY(d.top), twipsX(d.width), twipsY(d.height));
        QFont font = l->font();
        font.setPointSize(d.pointSize);
        font.setBold(d.bold);
        font.setItalic(i == 4);
        l->setFont(font);
        l->setAlignment(d.align);
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, d.colour);
        l->setPalette(palette);
        l->installEventFilter(this);
        m_labels.at(static_cast<size_t>(i - 1)) = l;
    }
    label(1)->setText(QStringLiteral("Cliccare per iniziare, premere un tasto per uscire"));
}

void frmSplash::Form_Load() {
    MusicService& MMControl1 = m_ctx.services.music;
    MMControl1.setFileName(FindProgramFile(QStringLiteral("Sigla.mid")));
    MMControl1.command(QStringLiteral("open"));
    MMControl1.command(QStringLiteral("play"));

    InitApplicationState(m_ctx.state);
    InitMessageTitles(m_ctx.state);

    label(3)->setText(m_ctx.state.program.ProgramName);
    label(4)->setText(m_ctx.state.program.ProgramSubtitle);
    label(5)->setText(QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE ") +
                      m_ctx.state.program.ProgramVersion);
    setWindowTitle(m_ctx.state.program.ProgramName);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void frmSplash::Form_Click() {
    m_ctx.services.music.command(QStringLiteral("pause"));
    ShowChooser(m_ctx);
}

void frmSplash::label_Click(int) {
    Form_Click();
}

void frmSplash::Image1_Click() {
    Form_Click();
}

void frmSplash::Form_KeyPress() {
    m_ctx.services.music.command(QStringLiteral("close"));
    // The product list is the one window the splash may have led to
    // directly; the splash goes with it.
    m_ctx.forms.unload(WindowName::prodotti);
    m_ctx.forms.unload(this);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Image1) {
            Image1_Click();
            return true;
        }
        for (int i = 1; i <= 5; ++i) {
            if (watched == label(i)) {
                label_Click(i);
                return true;
            }
        }
    }
    return Form::eventFilter(watched, event);
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Modifier keys alone are not a key press of the user's choice.
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        Form::keyPressEvent(event);
        return;
    default:
        break;
    }
    event->accept();
    Form_KeyPress();
}

void frmSplash::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Form_Click();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, PanelTop);
    background.setColorAt(1, PanelBottom);
    p.fillRect(rect(), background);
    p.setPen(QPen(QColor(200, 210, 220), 2));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
    p.setPen(QPen(QColor(255, 220, 60), 1));
    const int y = twipsY(3480);
    p.drawLine(twipsX(360), y, width() - twipsX(360), y);
}

void frmSplash::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}
