#include "core/session/RecentProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FilesKey = QStringLiteral("recenti/file");
const QString FolderKey = QStringLiteral("recenti/cartella");

// One spelling for one file, so that it is listed once.
QString cleanPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void RecentProjects::add(const QString& path) {
    if (path.isEmpty())
        return;
    const QString file = cleanPath(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > Limit)
        m_files.removeLast();
    store();
}

void RecentProjects::remove(const QString& path) {
    if (m_files.removeAll(cleanPath(path)) > 0)
        store();
}

void RecentProjects::clear() {
    m_files.clear();
    store();
}

void RecentProjects::setLastFolder(const QString& folder) {
    if (folder.isEmpty() || folder == m_lastFolder)
        return;
    m_lastFolder = folder;
    store();
}

void RecentProjects::keepIn(const QString& settingsFile) {
    m_settingsFile = settingsFile;
    const QSettings settings(settingsFile, QSettings::IniFormat);
    m_files.clear();
    for (const QString& file : settings.value(FilesKey).toStringList()) {
        if (!file.isEmpty() && !m_files.contains(file) && m_files.size() < Limit)
            m_files.append(file);
    }
    m_lastFolder = settings.value(FolderKey).toString();
}

QString RecentProjects::defaultFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("recenti.ini"));
}

void RecentProjects::store() const {
    if (m_settingsFile.isEmpty())
        return;
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.setValue(FilesKey, m_files);
    settings.setValue(FolderKey, m_lastFolder);
}

QString UserDocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString DialogFolder(const QString& currentFile, const QString& lastFolder,
                     const QString& fallback) {
    if (!currentFile.isEmpty()) {
        const QString folder = QFileInfo(currentFile).absolutePath();
        if (QFileInfo(folder).isDir())
            return folder;
    }
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        return lastFolder;
    return fallback;
}
