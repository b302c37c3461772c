#include "windows/project/RecoveryOffer.h"

#include "core/session/ApplicationState.h"
#include "core/session/Recovery.h"
#include "core/session/StartOptions.h"
#include "windows/frame/Form.h"
#include "windows/frame/Services.h"
#include "windows/project/ProjectFileCommands.h"

QString RecoveryQuestion(const QDateTime& written, const QString& projectFile) {
    return QStringLiteral("Sono stati trovati dati non archiviati di \u00ab") +
           ProjectNameOf(projectFile) + QStringLiteral("\u00bb del ") +
           ProgramLocale().toString(written, QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral(" alle ") + ProgramLocale().toString(written, QStringLiteral("HH:mm")) +
           QStringLiteral(": si vogliono recuperare?");
}

bool OfferRecovery(AppContext& context, RecoveryCopy& recovery) {
    const auto leftovers = recovery.claimLeftovers();
    if (leftovers.empty())
        return false;
    // The question's title names the program, as the splash would.
    InitApplicationState(context.state);
    InitMessageTitles(context.state);
    bool restored = false;
    for (const RecoveryCopy::Leftover& copy : leftovers) {
        if (restored) {
            // Kept for a later start.
            recovery.release(copy, false);
            continue;
        }
        const MsgAnswer answer = context.services.messages.MsgBox(
            RecoveryQuestion(copy.written.toLocalTime(), copy.projectFile), MsgButtons::YesNo,
            NoticeIcon::Question,
            context.state.program.ProgramName + QStringLiteral(": dati non archiviati"));
        if (answer != MsgAnswer::No) {
            // Kept for a later start when the project here stays.
            if (!SaveChangesFirst(context)) {
                recovery.release(copy, false);
                continue;
            }
            restored = ShowProjectAtStart(context, copy.path, ProjectSource::UnsavedCopy,
                                          copy.projectFile);
            // A copy that cannot be read holds nothing to recover.
            if (restored)
                recovery.write();
        }
        recovery.release(copy, true);
    }
    return restored;
}
