#include "windows/frame/ProjectStatus.h"

#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QWidget>

QString ProjectWindowTitle(const ApplicationState& state, const QString& caption) {
    return ProjectNameOf(state.session.CurrentFileName) +
           (state.session.modified ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2013 ") +
           caption;
}

QString SavedHint(const QString& path, const QDateTime& when) {
    return QStringLiteral("Archiviato in \u00ab") + QDir::toNativeSeparators(path) +
           QStringLiteral("\u00bb alle ") + ProgramLocale().toString(when, QStringLiteral("HH:mm"));
}

ProjectStatus::ProjectStatus(QWidget& window, ApplicationState& state, QString caption)
    : QObject(&window)
    , m_window(window)
    , m_state(state)
    , m_caption(std::move(caption)) {
    m_listener = m_state.session.listeners.add([this](ProjectEvent event) {
        showTitle();
        if (event != ProjectEvent::Changed || m_saved.isEmpty())
            return;
        if (m_hint && m_hint->text() == m_saved)
            m_hint->setText(m_previous);
        m_saved.clear();
    });
    showTitle();
}

ProjectStatus::~ProjectStatus() {
    m_state.session.listeners.remove(m_listener);
}

void ProjectStatus::showSaved(QLabel* hint) {
    m_hint = hint;
    if (m_saved.isEmpty() || hint->text() != m_saved)
        m_previous = hint->text();
    m_saved = SavedHint(m_state.session.CurrentFileName, QDateTime::currentDateTime());
    hint->setText(m_saved);
}

void ProjectStatus::showTitle() {
    // Set only when it changes: every keystroke tells the project changed.
    const QString title = ProjectWindowTitle(m_state, m_caption);
    if (m_window.windowTitle() != title)
        m_window.setWindowTitle(title);
}
