#include "windows/help/supportoclienti.h"

#include "windows/frame/DesignFont.h"

#include <QLabel>
#include <QPushButton>

// The maker's contact data below are those of the fictitious maker
// SOLARIVA; the addresses use the reserved example.it domain.
supportoclienti::supportoclienti(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("Servizi di supporto ai clienti"));
    setFont(DesignFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsX(6975), twipsY(3975));

    const auto label = [this](const char* name, const QString& text, int left, int top, int width,
                              int height) {
        auto* control = new QLabel(text, this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control->setTextFormat(Qt::PlainText);
        return control;
    };

    Label1 = label("Label1", QStringLiteral("software SOLARIVA"), 240, 120, 3015, 375);
    QFont maker = Label1->font();
    maker.setBold(true);
    maker.setPointSizeF(maker.pointSizeF() * 1.3);
    Label1->setFont(maker);
    Label6 = label("Label6", QStringLiteral("dal 1988"), 3360, 240, 975, 255);

    Label2 = label("Label2", QStringLiteral("via delle Fontane 14 - 40127 Bologna"), 240, 720, 3615,
                   255);
    Label3 = label("Label3", QStringLiteral("tel. 051 555 0142"), 240, 960, 3375, 255);
    Label9 = label("Label9", QStringLiteral("e-mail: assistenza@solariva.example.it"), 3720, 960,
                   3015, 255);

    Label4 = label("Label4",
                   QString::fromUtf8(
                       "Per ogni richiesta di assistenza il cliente può inviare una e-mail che "
                       "descriva con chiarezza il problema da risolvere. Il servizio telefonico è "
                       "riservato alle questioni che richiedono soltanto una risposta a voce: "
                       "occorre indicare con precisione il punto del programma che non funziona o "
                       "che non risulta chiaro. Orario del servizio telefonico: dal lunedì al "
                       "venerdì, dalle 9.00 alle 12.30."),
                   240, 1440, 6495, 1215);
    Label4->setWordWrap(true);
    Label5 = label("Label5",
                   QString::fromUtf8(
                       "Su richiesta, il responsabile del software (ing. Marco Rinaldi) adatta il "
                       "programma alle esigenze del singolo cliente. I suggerimenti per migliorare "
                       "le prossime versioni sono graditi."),
                   240, 2640, 6495, 615);
    Label5->setWordWrap(true);

    Label8 = label("Label8", QStringLiteral("sito internet:"), 240, 3600, 840, 255);
    Label10 = label("Label10", QStringLiteral("www.solariva.example.it"), 1080, 3600, 3615, 255);
    // The address follows its caption: where the caption's text runs wider
    // than designed, the address moves right by the difference.
    const int captionEnd =
        Label8->x() + Label8->fontMetrics().horizontalAdvance(Label8->text() + QLatin1Char(' '));
    if (captionEnd > Label10->x()) {
        Label8->resize(captionEnd - Label8->x(), Label8->height());
        Label10->move(captionEnd, Label10->y());
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsX(4920), twipsY(3360), twipsX(1815), twipsY(495));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &supportoclienti::Command1_Click);
}

void supportoclienti::Command1_Click() {
    closeFromButton(Closing::Hides);
}
