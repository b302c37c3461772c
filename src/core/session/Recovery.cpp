#include "core/session/Recovery.h"

#include "core/file/ProjectFile.h"
#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"
#include "core/session/DocumentFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace {

// "Tubarex-recupero-<process>-<start time>": unique to the run, even when a
// process number comes round again.
const QString NameStart = QStringLiteral("Tubarex-recupero-");

QString lockPathOf(const QString& copyPath) {
    return copyPath + QStringLiteral(".lock");
}

// The file beside a copy that names the project's data file (UTF-8).
QString namePathOf(const QString& copyPath) {
    return copyPath + QStringLiteral(".file");
}

QString projectFileOf(const QString& copyPath) {
    QFile file(namePathOf(copyPath));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::unique_ptr<QLockFile> lockOf(const QString& copyPath) {
    auto lock = std::make_unique<QLockFile>(lockPathOf(copyPath));
    // Held for the whole run: a lock is stale only when its process is gone,
    // never because it is old.
    lock->setStaleLockTime(0);
    return lock;
}

// The start time in milliseconds, never the same twice in one process, so
// that two copies made in the same millisecond (tests) differ.
qint64 startStamp() {
    static qint64 last = 0;
    last = std::max(last + 1, QDateTime::currentMSecsSinceEpoch());
    return last;
}

} // namespace

QString RecoveryCopy::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recupero"));
}

RecoveryCopy::RecoveryCopy(ApplicationState& state, QString folder)
    : m_state(state)
    , m_folder(std::move(folder))
    , m_name(NameStart +
             QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(startStamp())) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(Delay);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { write(); });
}

RecoveryCopy::~RecoveryCopy() {
    if (!m_lock)
        return;
    m_state.session.listeners.remove(m_listener);
    // The run ends without the exit question (its last window closed): a
    // change still waiting goes into the copy first.
    if (m_timer.isActive())
        write();
}

Result<> RecoveryCopy::start() {
    const Result<> ready = PreparePrivateFolder(m_folder);
    if (!ready)
        return ready;
    auto lock = lockOf(path());
    if (!lock->tryLock(0))
        return Result<>::failure(QStringLiteral("la copia di questa sessione è già bloccata"));
    m_lock = std::move(lock);
    m_listener = m_state.session.listeners.add([this](ProjectEvent event) { projectEvent(event); });
    return {};
}

QString RecoveryCopy::path() const {
    return QDir(m_folder).filePath(m_name);
}

bool RecoveryCopy::write() {
    m_timer.stop();
    if (!m_lock)
        return false;
    // The name first: a copy is never offered under another project's name.
    const QString name = namePathOf(path());
    const bool named = m_state.session.CurrentFileName.isEmpty()
                           ? (!QFile::exists(name) || QFile::remove(name))
                           : ReplaceFile(name, m_state.session.CurrentFileName.toUtf8()).ok();
    return named && SaveProjectFile(m_state.project, path(), FileRows::ThroughLastInput).ok();
}

void RecoveryCopy::remove() {
    m_timer.stop();
    QFile::remove(path());
    QFile::remove(namePathOf(path()));
}

void RecoveryCopy::projectEvent(ProjectEvent event) {
    // Unsaved work renamed is still unsaved work: its copy names the new file.
    if (event == ProjectEvent::Changed ||
        (event == ProjectEvent::Renamed && m_state.session.modified)) {
        if (!m_timer.isActive() && !m_abandoned)
            m_timer.start();
        return;
    }
    if (event == ProjectEvent::Renamed)
        return;
    // Saved, opened, or lost by the user's own choice: nothing to recover;
    // after the confirmed exit, nothing the closing windows do is either.
    m_abandoned = event == ProjectEvent::Abandoned;
    remove();
}

std::vector<RecoveryCopy::Leftover> RecoveryCopy::claimLeftovers() {
    static const QRegularExpression copyName(
        QStringLiteral("^%1\\d+-\\d+$").arg(QRegularExpression::escape(NameStart)));
    std::vector<Leftover> found;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({NameStart + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QString copy = file.filePath();
        if (!copyName.match(file.fileName()).hasMatch() || copy == path() ||
            m_claimed.count(copy) > 0)
            continue;
        auto lock = lockOf(copy);
        if (!lock->tryLock(0))
            continue; // its run is alive
        m_claimed.emplace(copy, std::move(lock));
        found.push_back({copy, file.lastModified(), projectFileOf(copy)});
    }
    // The locks of runs that are gone without a copy (they changed
    // nothing) go.
    const QFileInfoList locks = QDir(m_folder).entryInfoList({NameStart + QStringLiteral("*.lock")},
                                                             QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : locks) {
        const QString copy = file.filePath().chopped(5);
        if (copy == path() || m_claimed.count(copy) > 0 || QFileInfo::exists(copy))
            continue;
        auto lock = lockOf(copy);
        if (lock->tryLock(0))
            lock->unlock();
    }
    std::sort(found.begin(), found.end(),
              [](const Leftover& a, const Leftover& b) { return a.written > b.written; });
    return found;
}

void RecoveryCopy::release(const Leftover& leftover, bool discard) {
    if (discard) {
        QFile::remove(leftover.path);
        QFile::remove(namePathOf(leftover.path));
    }
    m_claimed.erase(leftover.path);
}
