#pragma once

#include "core/model/Result.h"

#include <QDateTime>
#include <QString>

// Makes `path` a folder private to the user: created when missing, checked
// to be a real folder (never a link) of this user, closed to everybody else.
// When it cannot be used the failure gives the reason in Italian.
Result<> PreparePrivateFolder(const QString& path);

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
    // documents older than KeepDays at `now`. When it cannot be used the
    // failure says why in Italian, naming the folder.
    Result<> prepare(const QDateTime& now = QDateTime::currentDateTimeUtc()) const;

    // A new empty file in the folder for a document: "<baseName>-<random
    // letters and digits>.docx", readable and writable by the user only.
    // Characters a file name cannot hold become "-". The failure says why it
    // cannot be made.
    Result<QString> newDocumentPath(const QString& baseName) const;

private:
    QString m_path;
};
