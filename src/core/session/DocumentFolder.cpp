#include "core/session/DocumentFolder.h"

#include "core/file/SafeFile.h"

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

QString unusable(const QString& path, const QString& why) {
    return QStringLiteral("La cartella dei documenti %1 non si può usare: %2.")
        .arg(QuotedPath(path), why);
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

Result<> PreparePrivateFolder(const QString& path) {
    const auto fail = [](const QString& reason) { return Result<>::failure(reason); };
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
    return {};
}

Result<> DocumentFolder::prepare(const QDateTime& now) const {
    const Result<> ready = PreparePrivateFolder(m_path);
    if (!ready)
        return Result<>::failure(unusable(m_path, ready.error()));

    const QDateTime oldest = now.addDays(-KeepDays);
    const QDir folder(m_path);
    for (const QFileInfo& file :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (file.lastModified() < oldest)
            QFile::remove(file.filePath());
    return {};
}

Result<QString> DocumentFolder::newDocumentPath(const QString& baseName) const {
    const Result<> ready = prepare();
    if (!ready)
        return FailureOf<QString>(ready);
    // Created here exclusively, with a random part in its name and access
    // for the user only; the document then replaces it.
    QTemporaryFile file(
        QDir(m_path).filePath(fileNameOf(baseName) + QStringLiteral("-XXXXXXXXXX.docx")));
    file.setAutoRemove(false);
    errno = 0;
    if (!file.open())
        return Result<QString>::failure(unusable(m_path, FileErrorReason(file.error(), errno)));
    return file.fileName();
}
