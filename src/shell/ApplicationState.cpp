#include "shell/ApplicationState.h"

#include "shell/NumberText.h"

void InitApplicationState(ApplicationState& state) {
    state.ProgramName = QStringLiteral("Tubarex");
    state.ProgramSubtitle = QStringLiteral("perdite di carico nelle tubazioni");
    state.ProgramVersion = QStringLiteral("5.07.01");
    state.ProgramDate = QStringLiteral("07-08-2003");
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
