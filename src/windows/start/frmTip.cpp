#include "windows/start/frmTip.h"

#include "core/file/SafeFile.h"
#include "core/file/Windows1252.h"
#include "core/session/ProgramFiles.h"
#include "windows/frame/ClassicColour.h"
#include "windows/frame/DesignFont.h"

#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

const QString TipsFileName = QStringLiteral("SuggerimentiTubarex.TXT");

// The panel behind the tip: 0x00C0FFFF in the classic form, a pale yellow.
constexpr quint32 PanelColour = 0x00C0FFFF;

// The small picture on the panel: a lit bulb, drawn here so that the program
// carries no image file for it.
QPixmap BulbPicture(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width;
    const double h = height;
    const QRectF glass(w * 0.15, h * 0.05, w * 0.7, h * 0.6);
    painter.setPen(QPen(QColor(120, 90, 0), 1.2));
    painter.setBrush(QColor(255, 220, 40));
    QPainterPath bulb;
    bulb.addEllipse(glass);
    QPainterPath neck;
    neck.addRect(QRectF(w * 0.33, h * 0.5, w * 0.34, h * 0.2));
    painter.drawPath(bulb.united(neck));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 250, 200));
    painter.drawEllipse(QRectF(w * 0.3, h * 0.14, w * 0.18, h * 0.16));
    painter.setPen(QPen(QColor(80, 80, 80), 1));
    painter.setBrush(QColor(170, 170, 170));
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(w * 0.34, h * (0.71 + 0.07 * i), w * 0.32, h * 0.06));
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRect(QRectF(w * 0.42, h * 0.92, w * 0.16, h * 0.06));
    return pixmap;
}

} // namespace

QStringList SplitTipLines(const QString& text) {
    QStringList lines;
    QString current;
    bool open = false; // a line has begun and not yet ended
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lines.append(current);
            current.clear();
            open = false;
        } else {
            current.append(c);
            open = true;
        }
    }
    if (open)
        lines.append(current);
    return lines;
}

frmTip::frmTip(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("Suggerimento del giorno"));
    setFont(DesignFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsX(6195), twipsY(3285));

    const auto place = [this](QWidget* control, const char* name, int left, int top, int width,
                              int height) {
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
    };

    Picture1 = new QFrame(this);
    place(Picture1, "Picture1", 120, 120, 4575, 3045);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette panel = Picture1->palette();
    panel.setColor(QPalette::Window, fromClassicColour(PanelColour));
    panel.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(panel);
    Picture1->setAutoFillBackground(true);

    Image1 = new QLabel(Picture1);
    place(Image1, "Image1", 120, 120, 360, 480);
    Image1->setPixmap(BulbPicture(Image1->width(), Image1->height()));

    Label1 = new QLabel(QStringLiteral("Non tutti sanno che..."), Picture1);
    place(Label1, "Label1", 540, 180, 2655, 255);
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);

    lblTipText = new QLabel(Picture1);
    place(lblTipText, "lblTipText", 180, 840, 4095, 1635);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setTextFormat(Qt::PlainText);

    cmdOK = new QPushButton(QStringLiteral("&Chiudi"), this);
    place(cmdOK, "cmdOK", 4800, 120, 1215, 375);
    cmdOK->setDefault(true);
    cmdNextTip = new QPushButton(QStringLiteral("&Successivo"), this);
    place(cmdNextTip, "cmdNextTip", 4800, 600, 1215, 375);
    cmdprecedente = new QPushButton(QStringLiteral("&Precedente"), this);
    place(cmdprecedente, "cmdprecedente", 4800, 1080, 1215, 375);

    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(cmdprecedente, &QPushButton::clicked, this, &frmTip::cmdprecedente_Click);
}

QString frmTip::TipsFilePath() {
    return FindProgramFile(TipsFileName);
}

QString frmTip::MissingFileText() {
    return QStringLiteral("Impossibile trovare il file SuggerimentiTubarex.TXT") +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral(
               "Creare un file di testo denominato SuggerimentiTubarex.TXT utilizzando il Blocco "
               "note e inserendo un suggerimento per ogni riga. Inserire il file nella stessa "
               "directory dell'applicazione. ");
}

void frmTip::Form_Load() {
    LoadTipsOrExplain(TipsFilePath());
}

void frmTip::LoadTipsOrExplain(const QString& fileName) {
    if (!LoadTips(fileName))
        lblTipText->setText(MissingFileText());
}

bool frmTip::LoadTips(const QString& fileName) {
    if (fileName.isEmpty())
        return false;
    const Result<QByteArray> read = ReadRegularFile(fileName);
    if (!read)
        return false;
    m_tipList.append(SplitTipLines(Windows1252::decode(read.value())));
    ShowNextTip();
    return true;
}

void frmTip::DisplayCurrentTip() {
    if (m_tipList.isEmpty())
        return;
    lblTipText->setText(m_tipList.at(m_tipIndex - 1));
}

void frmTip::ShowNextTip() {
    ++m_tipIndex;
    if (m_tipIndex > m_tipList.size())
        m_tipIndex = 1;
    DisplayCurrentTip();
}

void frmTip::cmdOK_Click() {
    closeFromButton(Closing::Hides);
}

void frmTip::cmdNextTip_Click() {
    ShowNextTip();
}

// Steps back without wrapping: on the first tip nothing happens.
void frmTip::cmdprecedente_Click() {
    if (m_tipIndex == 1)
        return;
    if (m_tipList.isEmpty())
        return;
    --m_tipIndex;
    lblTipText->setText(m_tipList.at(m_tipIndex - 1));
}
