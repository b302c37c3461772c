#include "core/ApplicationState.h"

#include "core/NumberText.h"
#include "core/ProgramFiles.h"

void InitApplicationState(ApplicationState& state) {
    state.ProgramName = QStringLiteral("Tubarex");
    state.ProgramSubtitle = QStringLiteral("perdite di carico nelle tubazioni");
    state.ProgramVersion = ProgramVersionText();
    state.ProgramDate = ProgramDateText();
}

void InitMessageTitles(ApplicationState& state) {
    state.CheckTitle =
        state.ProgramName + QStringLiteral(": controllo dati immessi nella finestra attiva");
    state.HelpTitle = state.ProgramName + QStringLiteral(": aiuto in linea");
    state.DeleteDialogTitle =
        QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
}

void CountIntegerDigits(ApplicationState& state) {
    if (const auto digits = CountIntegerDigits(state.NumberText))
        state.IntegerDigits = *digits;
}

void NotifyProject(ApplicationState& state, ProjectEvent event) {
    if (state.projectListener)
        state.projectListener(event);
}
