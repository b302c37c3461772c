#include "windows/frame/ModTubarex.h"

#include "core/ApplicationState.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/start/frmSplash.h"
#include "windows/start/scelta.h"
#include "windows/water/ProjectFileCommands.h"

#include <QLabel>

void ShowChooser(AppContext& context) {
    context.forms.show<scelta>();
}

QStringList ExitUnloadOrder() {
    return {QStringLiteral("scelta"),          QStringLiteral("dati"),
            QStringLiteral("datigas"),         QStringLiteral("frontespizio"),
            QStringLiteral("verifica"),        QStringLiteral("sommario"),
            QStringLiteral("manuale"),         QStringLiteral("guidafunzionamento"),
            QStringLiteral("guidaarchivio"),   QStringLiteral("guidadati"),
            QStringLiteral("guidadatigas"),    QStringLiteral("guidafrontespizio"),
            QStringLiteral("guidastampa"),     QStringLiteral("frmTip"),
            QStringLiteral("licenza"),         QStringLiteral("prodotti"),
            QStringLiteral("supportoclienti"), QStringLiteral("informa")};
}

void ConfirmExit(AppContext& context, QWidget* parent) {
    if (!SaveChangesFirst(context, parent))
        return;
    const MsgAnswer answer = context.services.messages.MsgBoxDefaultNo(
        QStringLiteral("Vuoi uscire da ") + context.state.ProgramName + QStringLiteral("?"),
        NoticeIcon::Question, QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
        parent);
    if (answer == MsgAnswer::No)
        return;
    // The user accepted to lose what was not saved: no copy is kept for him.
    NotifyProject(context.state, ProjectEvent::Abandoned);
    // The splash is loaded before the others go, so that the registry never
    // runs empty (which would end the process) while the credit is due.
    frmSplash& splash = context.forms.get<frmSplash>();
    for (const QString& name : ExitUnloadOrder())
        context.forms.unload(name);
    context.services.music.command(QStringLiteral("play"));
    Forms::reveal(splash);
    splash.label(2)->setText(QStringLiteral("          elaborazione eseguita con"));
}
