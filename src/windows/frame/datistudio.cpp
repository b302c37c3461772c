#include "windows/frame/datistudio.h"
#include "windows/frame/WindowNames.h"

#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"
#include "core/session/InstallationSettings.h"
#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/Services.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

datistudio::datistudio(AppContext& context, QWidget* parent, QStringList candidates,
                       QString userFile)
    : QDialog(parent)
    , m_ctx(context)
    , m_candidates(std::move(candidates))
    , m_userFile(std::move(userFile)) {
    setObjectName(QStringLiteral("datistudio"));
    setWindowTitle(QStringLiteral("Tubarex: dati dello studio"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* intro = new QLabel(QStringLiteral("Lo studio tecnico che firma la relazione e i "
                                            "documenti, come compare nel frontespizio."),
                             this);
    intro->setWordWrap(true);
    const auto box = [this](const char* name, const QString& text, const QString& spoken) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(spoken);
        edit->setMaxLength(200);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 50);
        return edit;
    };
    nome = box("nome", context.state.program.OwnerName, QStringLiteral("studio tecnico"));
    indirizzo = box("indirizzo", context.state.program.OwnerAddress, QStringLiteral("indirizzo"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&studio tecnico:"), nome);
    fields->addRow(QStringLiteral("&indirizzo:"), indirizzo);

    const QString target = OwnerSettingsTarget(m_candidates, m_userFile);
    dove = new QLabel(
        QStringLiteral("Salvati in %1, dove li legge anche tubarex-cli.").arg(QuotedPath(target)),
        this);
    dove->setObjectName(QStringLiteral("dove"));
    dove->setWordWrap(true);
    dove->setTextFormat(Qt::PlainText);

    salva = new QPushButton(QStringLiteral("&Salva"), this);
    salva->setObjectName(QStringLiteral("salva"));
    salva->setDefault(true);
    annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("annulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(salva);
    buttons->addWidget(annulla);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addWidget(dove);
    layout->addLayout(buttons);

    connect(salva, &QPushButton::clicked, this, &datistudio::salva_Click);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    AddHelpKey(*this, context.forms, WindowName::guidastudio);
}

bool datistudio::salva_Click() {
    const QString name = nome->text().trimmed();
    const QString address = indirizzo->text().trimmed();
    const Result<QString> saved = SaveOwnerSettings(name, address, m_candidates, m_userFile);
    if (!saved) {
        m_ctx.services.messages.MsgBox(
            saved.error(), MsgButtons::Ok, NoticeIcon::Critical,
            m_ctx.state.program.ProgramName + QStringLiteral(": dati dello studio"), this);
        return false;
    }
    m_ctx.state.program.OwnerName = name;
    m_ctx.state.program.OwnerAddress = address;
    if (auto* cover = dynamic_cast<OwnerView*>(m_ctx.forms.find(WindowName::frontespizio)))
        cover->ownerChanged();
    accept();
    return true;
}

datistudio* ShowStudioDialog(AppContext& context, QWidget* parent) {
    auto* dialog = new datistudio(context, parent, InstallationSettingsCandidates(),
                                  UserInstallationSettingsFile());
    dialog->open();
    return dialog;
}
