#include "core/ApplicationState.h"

#include "core/NumberText.h"
#include "core/ProgramFiles.h"

#include <QFileInfo>

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

int ProjectListeners::add(Listener listener) {
    m_listeners.emplace_back(m_next, std::move(listener));
    return m_next++;
}

void ProjectListeners::remove(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void ProjectListeners::notify(ProjectEvent event) const {
    // A copy: a listener may close a window, and so leave, while it is
    // told; one that has left is not told any more.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        const bool present =
            std::any_of(m_listeners.begin(), m_listeners.end(),
                        [id = id](const auto& entry) { return entry.first == id; });
        if (present && listener)
            listener(event);
    }
}

void NotifyProject(ApplicationState& state, ProjectEvent event) {
    if (event == ProjectEvent::Changed)
        state.modified = true;
    else if (event == ProjectEvent::Stored)
        state.modified = false;
    state.projectListeners.notify(event);
}

QString ProjectNameOf(const QString& path) {
    return path.isEmpty() ? QStringLiteral("senza nome") : QFileInfo(path).fileName();
}
