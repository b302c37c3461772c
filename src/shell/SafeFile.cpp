#include "shell/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <csignal>

namespace {

bool isHidden(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

QString openFailure(const QString& path, const QString& why) {
    return QStringLiteral("Impossibile aprire il file %1: %2.").arg(QuotedPath(path), why);
}

// Why a file could not be written, in the user's words, with the system's own
// reason after it when it has one.
QString writeFailure(const QSaveFile& file, QFileDevice::FileError error) {
    QString what;
    switch (error) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        what = QStringLiteral("la cartella non esiste o non consente la scrittura");
        break;
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError:
        what = QStringLiteral("il file esistente non può essere sostituito (forse è aperto in "
                              "un altro programma)");
        break;
    default:
        what = QStringLiteral("errore di scrittura (disco pieno, protetto o limite alla "
                              "dimensione dei file?)");
        break;
    }
    if (file.error() == QFileDevice::NoError)
        return what;
    return QStringLiteral("%1 (%2)").arg(what, file.errorString());
}

} // namespace

std::variant<QByteArray, QString> ReadRegularFile(const QString& path, qint64 maxSize) {
    // Opening a pipe waits for a writer and a device may never end, so what
    // the path names is looked at first; QFileInfo follows links.
    const QFileInfo info(path);
    if (!info.exists())
        return openFailure(path, QStringLiteral("il file non esiste"));
    if (info.isDir())
        return openFailure(path, QStringLiteral("è una cartella"));
    if (!info.isFile())
        return openFailure(path, QStringLiteral("non è un file normale ma un dispositivo, una "
                                                "pipe o un socket"));
    const QString tooLarge = QStringLiteral("è troppo grande (più di %1 MB)")
                                 .arg(maxSize / (1024 * 1024) + (maxSize % (1024 * 1024) != 0));
    if (info.size() > maxSize)
        return openFailure(path, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(path, file.errorString());
    // Never more than the limit, and one byte over it tells a file that grew
    // since it was looked at (or one that, like many system files, claims no
    // size at all) from one that fits.
    QByteArray bytes = file.read(std::min(info.size(), maxSize) + 1);
    if (bytes.size() > info.size() && bytes.size() <= maxSize)
        bytes += file.read(maxSize + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Impossibile leggere il file %1: %2.")
            .arg(QuotedPath(path), file.errorString());
    if (bytes.size() > maxSize)
        return openFailure(path, tooLarge);
    return bytes;
}

QString ReplaceFile(const QString& path, const QByteArray& bytes) {
    // The temporary file would be renamed over whatever the path names: a
    // folder or a device node must stay what it is.
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("al suo posto c'è una cartella");
    if (target.exists() && !target.isFile())
        return QStringLiteral("non è un file normale ma un dispositivo, una pipe o un socket");

    QSaveFile file(path);
    // Unbuffered and in one write, so that a short write (a full disk, a
    // file-size limit) shows in the count written: a partial write sets no
    // error, and a buffered one would only flush part of the bytes at commit
    // and still replace the old file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailure(file, QFileDevice::OpenError);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailure(file, QFileDevice::WriteError);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return writeFailure(file, file.error());
    return QString();
}

QString QuotedPath(const QString& path) {
    return QStringLiteral("«") + VisibleText(QDir::toNativeSeparators(path)) + QStringLiteral("»");
}

QString VisibleText(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (!isHidden(c))
            shown.append(c);
        else if (c.unicode() < 0x100)
            shown.append(
                QStringLiteral("<%1>").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper());
        else
            shown.append(
                QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    }
    return shown;
}

QString QuotedExcerpt(QStringView value, qsizetype maxLength) {
    if (value.size() <= maxLength)
        return QStringLiteral("«") + VisibleText(value) + QStringLiteral("»");
    // A surrogate pair is not cut in half.
    qsizetype length = maxLength;
    if (length > 0 && value[length - 1].isHighSurrogate())
        --length;
    return QStringLiteral("«") + VisibleText(value.first(length)) + QStringLiteral("…»");
}

void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
