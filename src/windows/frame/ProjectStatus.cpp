#include "windows/frame/ProjectStatus.h"

#include "core/ApplicationState.h"

#include <QWidget>

QString ProjectWindowTitle(const ApplicationState& state, const QString& caption) {
    return ProjectNameOf(state.CurrentFileName) +
           (state.modified ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2013 ") +
           caption;
}

ProjectStatus::ProjectStatus(QWidget& window, ApplicationState& state, QString caption)
    : QObject(&window)
    , m_window(window)
    , m_state(state)
    , m_caption(std::move(caption)) {
    m_listener = m_state.projectListeners.add([this](ProjectEvent) { showTitle(); });
    showTitle();
}

ProjectStatus::~ProjectStatus() {
    m_state.projectListeners.remove(m_listener);
}

void ProjectStatus::showTitle() {
    // Set only when it changes: every keystroke tells the project changed.
    const QString title = ProjectWindowTitle(m_state, m_caption);
    if (m_window.windowTitle() != title)
        m_window.setWindowTitle(title);
}
