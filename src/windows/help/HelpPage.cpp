#include "windows/help/HelpPage.h"

#include "core/session/ApplicationState.h"
#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "windows/frame/ClassicColour.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr quint32 PaleYellow = 0x00C0FFFF;
constexpr quint32 Blue = 0x00FF0000;

// A background comes with the text colour that reads on it, whatever the
// desktop's theme.
void paint(QWidget* widget, QPalette::ColorRole role, quint32 colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, fromClassicColour(colour));
    if (role == QPalette::Window)
        palette.setColor(QPalette::WindowText, ReadableTextOn(fromClassicColour(colour)));
    widget->setPalette(palette);
}

} // namespace

HelpPageDesign GuidaPageDesign() {
    return HelpPageDesign{};
}

QLatin1String HelpPageWindow(HelpSubject subject) {
    switch (subject) {
    case HelpSubject::Manual:
        return WindowName::manuale;
    case HelpSubject::Working:
        return WindowName::guidafunzionamento;
    case HelpSubject::Archive:
        return WindowName::guidaarchivio;
    case HelpSubject::Printing:
        return WindowName::guidastampa;
    case HelpSubject::WaterData:
        return WindowName::guidadati;
    case HelpSubject::GasData:
        return WindowName::guidadatigas;
    case HelpSubject::Cover:
        return WindowName::guidafrontespizio;
    case HelpSubject::Verification:
        return WindowName::guidaverifica;
    case HelpSubject::Sizing:
        return WindowName::guidadimensiona;
    case HelpSubject::Series:
        return WindowName::guidaserie;
    case HelpSubject::Flows:
        return WindowName::guidaportate;
    case HelpSubject::RecentProjects:
        return WindowName::guidarecenti;
    case HelpSubject::Preview:
        return WindowName::guidaanteprima;
    case HelpSubject::Studio:
        return WindowName::guidastudio;
    case HelpSubject::UndoRedo:
        return WindowName::guidaannulla;
    case HelpSubject::BlockPaste:
        return WindowName::guidaincolla;
    }
    return WindowName::manuale;
}

HelpPage::HelpPage(AppContext& context, HelpSubject subject, const HelpPageDesign& design,
                   QWidget* parent)
    : Form(context, parent)
    , m_design(design) {
    setWindowTitle(QStringLiteral("Guida in linea"));
    setFont(DesignFont());
    paint(this, QPalette::Window, PaleYellow);
    setAutoFillBackground(true);
    // The designed inner size, so that the resizer records the layout at it.
    setDesignedInnerSize(design.innerWidth, design.innerHeight);

    const auto button = [this](const char* name, const QString& caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsX(left), twipsY(120), twipsX(1215), twipsY(375));
        return b;
    };
    cmdSommario = button(design.sommarioName, QStringLiteral("&Sommario"), 120);
    cmdStampa = button(design.stampaName, QStringLiteral("S&tampa"), 1320);
    cmdChiudi = button(design.chiudiName, QStringLiteral("&Chiudi"), 2520);
    if (design.hints) {
        cmdSommario->setToolTip(QStringLiteral("cliccare per tornare al sommario"));
        cmdStampa->setToolTip(
            QStringLiteral("cliccare per avere la copia su carta del MANUALE D'USO RAPIDO"));
        cmdChiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    }

    const HelpTopic& content = FindHelpTopic(subject);

    Label1 = new QLabel(content.title, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsX(120), twipsY(600), twipsX(3615), twipsY(255));
    Label1->setTextFormat(Qt::PlainText);
    QFont title = DesignFont();
    title.setPointSizeF(8.25);
    title.setBold(true);
    Label1->setFont(title);
    paint(Label1, QPalette::WindowText, Blue);

    Label2Area = new QScrollArea(this);
    Label2Area->setObjectName(QStringLiteral("Label2Area"));
    Label2Area->setGeometry(twipsX(design.textLeft), twipsY(design.textTop),
                            twipsX(design.textWidth), twipsY(design.textHeight));
    Label2Area->setFrameShape(QFrame::NoFrame);
    Label2Area->setWidgetResizable(true);
    Label2Area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    paint(Label2Area, QPalette::Window, PaleYellow);
    paint(Label2Area->viewport(), QPalette::Window, PaleYellow);

    Label2 = new QLabel(content.text);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont text = DesignFont();
    text.setPointSizeF(9.75);
    Label2->setFont(text);
    paint(Label2, QPalette::Window, PaleYellow);
    Label2->setAutoFillBackground(true);
    // The scroll area, not the resizer, sizes the text inside it.
    Label2->setProperty("Tag", QStringLiteral("@"));
    Label2Area->setWidget(Label2);

    connect(cmdSommario, &QPushButton::clicked, this, &HelpPage::cmdSommario_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &HelpPage::cmdStampa_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &HelpPage::cmdChiudi_Click);
}

void HelpPage::Form_Load() {
    startResizer(m_design.outerWidth, m_design.outerHeight, m_design.left);
}

void HelpPage::cmdSommario_Click() {
    m_ctx.forms.showByName(WindowName::sommario);
}

void HelpPage::cmdStampa_Click() {
    const ApplicationState& state = m_ctx.state;
    m_ctx.services.documents.ShowDocument(
        PrintHelpToWord(state, Label1->text(), Label2->text()),
        state.program.ProgramName + QStringLiteral("-") + objectName(), this);
}

void HelpPage::cmdChiudi_Click() {
    closeFromButton(Closing::Unloads);
}
