#include "core/ApplicationState.h"

#include "core/NumberText.h"
#include "core/ProgramFiles.h"

#include <algorithm>

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
    if (state.projectObservers.empty())
        return;
    // A copy, for an observer may stop observing (its own or another's)
    // while it is told: one that stopped is not told.
    const auto observers = state.projectObservers;
    for (const auto& [owner, observer] : observers) {
        const auto& now = state.projectObservers;
        if (std::any_of(now.begin(), now.end(), [&](const auto& o) { return o.first == owner; }))
            observer(event);
    }
}

void ObserveProject(ApplicationState& state, const void* owner,
                    std::function<void(ProjectEvent)> observer) {
    state.projectObservers.emplace_back(owner, std::move(observer));
}

void StopObservingProject(ApplicationState& state, const void* owner) {
    std::erase_if(state.projectObservers, [owner](const auto& o) { return o.first == owner; });
}
