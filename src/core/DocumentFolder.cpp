#include "core/DocumentFolder.h"

#include "core/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <utility>

namespace {

constexpr QFileDevice::Permissions OwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions Others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;

bool fail(QString* error, const QString& path, const QString& why) {
    if (error)
        *error = QStringLiteral("La cartella dei documenti %1 non si può usare: %2.")
                     .arg(QuotedPath(path), why);
    return false;
}

// A name any file system takes: no separators, wildcards or controls.
QString fileNameOf(const QString& baseName) {
    QString base = baseName;
    for (QChar& c : base)
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    return base.isEmpty() ? QStringLiteral("Tubarex") : base;
}

} // namespace

DocumentFolder::DocumentFolder(QString path)
    : m_path(std::move(path)) {}

QString DocumentFolder::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("documenti"));
}

bool PreparePrivateFolder(const QString& path, QString* why) {
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    QFileInfo info(path);
    // A link (even a broken one) is never followed: someone else may have
    // put it there to make the program write where they chose.
    if (info.isSymLink())
        return fail(QStringLiteral("al suo posto c'è un collegamento"));
    if (!info.exists() && !QDir().mkpath(path))
        return fail(QStringLiteral("non è stato possibile crearla"));
    info.refresh();
    if (info.isSymLink() || !info.isDir())
        return fail(QStringLiteral("al suo posto c'è un file"));
    // Only the owner may change the access rights: a folder of another user
    // fails here.
    if (!QFile::setPermissions(path, OwnerOnly))
        return fail(QStringLiteral("appartiene a un altro utente"));
#ifdef Q_OS_UNIX
    // Elsewhere the access rights are not these bits; the user's own
    // folders are private there.
    info.refresh();
    if (info.permissions() & Others)
        return fail(QStringLiteral("non è stato possibile renderla privata"));
#endif
    return true;
}

bool DocumentFolder::prepare(QString* error, const QDateTime& now) const {
    QString why;
    if (!PreparePrivateFolder(m_path, &why))
        return fail(error, m_path, why);

    const QDateTime oldest = now.addDays(-KeepDays);
    const QDir folder(m_path);
    for (const QFileInfo& file :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (file.lastModified() < oldest)
            QFile::remove(file.filePath());
    return true;
}

QString DocumentFolder::newDocumentPath(const QString& baseName, QString* error) const {
    if (!prepare(error))
        return QString();
    // Created here exclusively, with a random part in its name and access
    // for the user only; the document then replaces it.
    QTemporaryFile file(
        QDir(m_path).filePath(fileNameOf(baseName) + QStringLiteral("-XXXXXXXXXX.docx")));
    file.setAutoRemove(false);
    errno = 0;
    if (!file.open()) {
        fail(error, m_path, FileErrorReason(file.error(), errno));
        return QString();
    }
    return file.fileName();
}
