#pragma once

#include <QDateTime>
#include <QString>

// Makes `path` a folder private to the user: created when missing, checked
// to be a real folder (never a link) of this user, closed to everybody else.
// False, with the reason in Italian, when it cannot be used.
bool PreparePrivateFolder(const QString& path, QString* why = nullptr);

// The folder where the documents handed to the word processor are written
// ("Stampa con Word" and the help prints). It is private to the user: made
// and kept with access for the owner only, never a link to somewhere else,
// and a folder someone else owns is refused. Each document gets a new file
// with a name nobody can guess, created only if nothing (not even a link)
// has that name yet. Documents older than a few days are removed: by then
// the user has printed or saved them elsewhere.
class DocumentFolder {
public:
    // Days a shown document is kept.
    static constexpr int KeepDays = 3;

    explicit DocumentFolder(QString path);

    // "documenti" in the user's cache folder (~/.cache/tubarex/tubarex on
    // Linux).
    static QString defaultPath();

    const QString& path() const { return m_path; }

    // Makes the folder ready: created when missing, checked to be a real
    // folder of this user, closed to everybody else, and cleared of the
    // documents older than KeepDays at `now`. False, with the reason in
    // Italian, when it cannot be used.
    bool prepare(QString* error = nullptr,
                 const QDateTime& now = QDateTime::currentDateTimeUtc()) const;

    // A new empty file in the folder for a document: "<baseName>-<random
    // letters and digits>.docx", readable and writable by the user only.
    // Characters a file name cannot hold become "-". Empty, with the
    // reason, when it cannot be made.
    QString newDocumentPath(const QString& baseName, QString* error = nullptr) const;

private:
    QString m_path;
};
