#pragma once

#include <QString>
#include <QStringList>

// The projects last opened or saved, newest first, each once, at most
// Limit; and the folder last used in a file dialog. Kept in a settings file
// of the user's when one is named (the program names recenti.ini in its
// configuration folder; tests and the command line name none).
class RecentProjects {
public:
    static constexpr int Limit = 8;

    const QStringList& files() const { return m_files; }
    // To the top of the list (a file already there moves up).
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

    const QString& lastFolder() const { return m_lastFolder; }
    void setLastFolder(const QString& folder);

    // Reads the list and the folder from `settingsFile`, and writes every
    // change there from now on.
    void keepIn(const QString& settingsFile);
    // The file the program keeps them in.
    static QString defaultFile();

private:
    void store() const;

    QStringList m_files;
    QString m_lastFolder;
    QString m_settingsFile;
};

// The user's documents folder, or the home folder when there is none.
QString UserDocumentsFolder();

// The folder a file dialog opens in: the current project's, else the last
// folder used, else `fallback` (the user's documents); a folder that no
// longer exists is passed over. Never the process's working folder.
QString DialogFolder(const QString& currentFile, const QString& lastFolder,
                     const QString& fallback);
