#include "windows/help/licenza.h"

#include "core/session/ApplicationState.h"
#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

licenza::licenza(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("LICENZA D'USO"));
    setFont(DesignFont());
    setDesignedInnerSize(5490, 6390);

    const auto button = [this](const char* name, const QString& caption, const QString& hint,
                               int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsX(left), twipsY(120), twipsX(1215), twipsY(375));
        b->setToolTip(hint);
        return b;
    };
    cmdSommario = button("cmdSommario", QStringLiteral("&Sommario"),
                         QStringLiteral("cliccare per visualizzare il sommario della guida"), 120);
    cmdstampa = button("cmdstampa", QStringLiteral("S&tampa"),
                       QStringLiteral("cliccare per stampare la LICENZA D'USO"), 1320);
    cmdChiudi = button("cmdChiudi", QStringLiteral("&Chiudi"),
                       QStringLiteral("cliccare per chiudere la finestra LICENZA D'USO"), 2520);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twipsX(3840), twipsY(60), twipsX(1530), twipsY(495));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setTextFormat(Qt::PlainText);
    // Comic Sans MS where installed; otherwise a rounded informal face.
    QFont name(QStringLiteral("Comic Sans MS"));
    name.setStyleHint(QFont::Cursive);
    name.setPointSize(14);
    name.setBold(true);
    Label2->setFont(name);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsX(120), twipsY(720), twipsX(5250), twipsY(5550));
    Text1->setReadOnly(true);
    Text1->setPlainText(LicenceText());

    connect(cmdSommario, &QPushButton::clicked, this, &licenza::cmdSommario_Click);
    connect(cmdstampa, &QPushButton::clicked, this, &licenza::cmdstampa_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &licenza::cmdChiudi_Click);
}

void licenza::Form_Load() {
    startResizer(5640, 6825, 5467);
    Label2->setText(m_ctx.state.program.ProgramName);
}

void licenza::cmdSommario_Click() {
    m_ctx.forms.showByName(WindowName::sommario);
}

void licenza::cmdstampa_Click() {
    m_ctx.services.documents.ShowDocument(
        LicenceDocument(m_ctx.state, Text1->toPlainText()),
        m_ctx.state.program.ProgramName + QStringLiteral("-licenza"), this);
}

void licenza::cmdChiudi_Click() {
    closeFromButton(Closing::Hides);
}
