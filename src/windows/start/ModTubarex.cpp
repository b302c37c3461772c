#include "windows/start/ModTubarex.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
#include "windows/project/ProjectFileCommands.h"
#include "windows/start/frmSplash.h"
#include "windows/start/scelta.h"

#include <QLabel>

void ShowChooser(AppContext& context) {
    context.forms.show<scelta>();
}

QStringList ExitUnloadOrder() {
    return {WindowName::scelta,
            WindowName::dati,
            WindowName::datigas,
            WindowName::frontespizio,
            WindowName::verifica,
            WindowName::portate,
            WindowName::sommario,
            WindowName::manuale,
            WindowName::guidafunzionamento,
            WindowName::guidaarchivio,
            WindowName::guidadati,
            WindowName::guidadatigas,
            WindowName::guidafrontespizio,
            WindowName::guidastampa,
            WindowName::guidaverifica,
            WindowName::guidadimensiona,
            WindowName::guidaserie,
            WindowName::guidaportate,
            WindowName::guidarecenti,
            WindowName::guidaanteprima,
            WindowName::guidastudio,
            WindowName::guidaannulla,
            WindowName::guidaincolla,
            WindowName::frmTip,
            WindowName::licenza,
            WindowName::prodotti,
            WindowName::supportoclienti,
            WindowName::informa};
}

void ConfirmExit(AppContext& context, QWidget* parent) {
    if (!SaveChangesFirst(context, parent))
        return;
    const MsgAnswer answer = context.services.messages.MsgBoxDefaultNo(
        QStringLiteral("Vuoi uscire da ") + context.state.program.ProgramName + QStringLiteral("?"),
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
