#include "core/file/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace {

bool isHidden(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

QString tooLargeReason(qint64 maxSize) {
    return QStringLiteral("è troppo grande (più di %1 MB)")
        .arg(maxSize / (1024 * 1024) + (maxSize % (1024 * 1024) != 0));
}

Result<QByteArray> openFailure(const QString& path, const QString& why) {
    return Result<QByteArray>::failure(
        QStringLiteral("Impossibile aprire il file %1: %2.").arg(QuotedPath(path), why));
}

// Why a file could not be written: the system's own reason when it gave one
// (`code`, its error number), else what the kind of failure suggests.
QString writeFailure(QFileDevice::FileError error, int code) {
    if (code != 0)
        return SystemErrorReason(code);
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
    return what;
}

// The error number the last call left, then cleared for the next one: a Qt
// call that fails leaves the system's number behind, one that succeeds may
// leave an older one, hence the clearing before each call.
int takeErrno() {
    const int code = errno;
    errno = 0;
    return code;
}

} // namespace

Result<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize) {
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
    const QString tooLarge = tooLargeReason(maxSize);
    if (info.size() > maxSize)
        return openFailure(path, tooLarge);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(path, FileErrorReason(file.error(), takeErrno()));
    errno = 0;
    // Never more than the limit, and one byte over it tells a file that grew
    // since it was looked at (or one that, like many system files, claims no
    // size at all) from one that fits.
    QByteArray bytes = file.read(std::min(info.size(), maxSize) + 1);
    if (bytes.size() > info.size() && bytes.size() <= maxSize)
        bytes += file.read(maxSize + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return Result<QByteArray>::failure(
            QStringLiteral("Impossibile leggere il file %1: %2.")
                .arg(QuotedPath(path), FileErrorReason(file.error(), takeErrno())));
    if (bytes.size() > maxSize)
        return openFailure(path, tooLarge);
    return bytes;
}

Result<> ReplaceFile(const QString& path, const QByteArray& bytes) {
    const auto failure = [](const QString& why) { return Result<>::failure(why); };
    // The temporary file would be renamed over whatever the path names: a
    // folder or a device node must stay what it is.
    const QFileInfo target(path);
    if (target.isDir())
        return failure(QStringLiteral("al suo posto c'è una cartella"));
    if (target.exists() && !target.isFile())
        return failure(
            QStringLiteral("non è un file normale ma un dispositivo, una pipe o un socket"));

    QSaveFile file(path);
    errno = 0;
    // Unbuffered and in one write, so that a short write (a full disk, a
    // file-size limit) shows in the count written: a partial write sets no
    // error, and a buffered one would only flush part of the bytes at commit
    // and still replace the old file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(writeFailure(QFileDevice::OpenError, takeErrno()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailure(QFileDevice::WriteError, takeErrno());
        file.cancelWriting();
        return failure(reason);
    }
    takeErrno();
    if (!file.commit())
        return failure(writeFailure(file.error(), takeErrno()));
    return {};
}

QString PreviousFileKept(const QString& path) {
    return QFileInfo::exists(path) ? QStringLiteral(" Il file precedente non è stato modificato.")
                                   : QString();
}

Result<QByteArray> ReadWholeDevice(QIODevice& device, const QString& name, qint64 maxSize) {
    const auto failure = [&](const QString& why) {
        return Result<QByteArray>::failure(
            QStringLiteral("Impossibile leggere %1: %2.").arg(QuotedPath(name), why));
    };
    // A pipe gives its bytes in pieces: read until its end, one byte past
    // the limit at most.
    QByteArray bytes;
    errno = 0;
    while (bytes.size() <= maxSize) {
        const qint64 room = std::min<qint64>(64 * 1024, maxSize + 1 - bytes.size());
        const qsizetype before = bytes.size();
        bytes.resize(before + room);
        const qint64 got = device.read(bytes.data() + before, room);
        if (got < 0) {
            const QFileDevice* file = qobject_cast<const QFileDevice*>(&device);
            return failure(
                FileErrorReason(file ? file->error() : QFileDevice::ReadError, takeErrno()));
        }
        bytes.resize(before + got);
        if (got == 0 && (device.atEnd() || !device.waitForReadyRead(-1)))
            break;
    }
    if (bytes.size() > maxSize)
        return failure(tooLargeReason(maxSize));
    return bytes;
}

QString SystemErrorReason(int code) {
    switch (code) {
    case 0:
        return QString();
    case EACCES:
        return QStringLiteral("permesso negato");
    case EPERM:
        return QStringLiteral("operazione non permessa");
    case ENOENT:
        return QStringLiteral("il file o la cartella non esiste");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case ENOSPC:
        return QStringLiteral("il disco è pieno");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("lo spazio disco concesso all'utente è esaurito");
#endif
    case EROFS:
        return QStringLiteral("il disco è protetto dalla scrittura (sola lettura)");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione massima consentita");
    case ENAMETOOLONG:
        return QStringLiteral("il nome del file è troppo lungo");
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("troppi collegamenti simbolici nel percorso");
#endif
    case EEXIST:
        return QStringLiteral("il file esiste già");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("troppi file aperti");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura del dispositivo");
    case ENOMEM:
        return QStringLiteral("memoria insufficiente");
    case EBUSY:
        return QStringLiteral("il file o il dispositivo è occupato");
#ifdef ETXTBSY
    case ETXTBSY:
        return QStringLiteral("il file è in uso");
#endif
    case EXDEV:
        return QStringLiteral("il file non si può spostare su un altro disco");
    case EPIPE:
        return QStringLiteral("chi leggeva ha chiuso il canale");
    case EBADF:
        return QStringLiteral("il canale non è aperto");
    case EINVAL:
        return QStringLiteral("operazione non valida per questo file");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("il dispositivo non esiste");
    case EAGAIN:
        return QStringLiteral("risorsa momentaneamente non disponibile");
    case EINTR:
        return QStringLiteral("operazione interrotta");
    default:
        return QStringLiteral("errore del sistema n. %1").arg(code);
    }
}

QString FileErrorReason(QFileDevice::FileError error, int code) {
    if (code != 0)
        return SystemErrorReason(code);
    switch (error) {
    case QFileDevice::NoError:
        return QString();
    case QFileDevice::ReadError:
        return QStringLiteral("errore di lettura");
    case QFileDevice::WriteError:
        return QStringLiteral("errore di scrittura");
    case QFileDevice::FatalError:
        return QStringLiteral("errore irreparabile");
    case QFileDevice::ResourceError:
        return QStringLiteral("risorse del sistema esaurite (disco pieno o memoria insufficiente)");
    case QFileDevice::OpenError:
        return QStringLiteral("il file non si può aprire");
    case QFileDevice::AbortError:
        return QStringLiteral("operazione annullata");
    case QFileDevice::TimeOutError:
        return QStringLiteral("tempo scaduto");
    case QFileDevice::RemoveError:
        return QStringLiteral("il file non si può eliminare");
    case QFileDevice::RenameError:
        return QStringLiteral("il file non si può rinominare");
    case QFileDevice::PositionError:
        return QStringLiteral("posizione nel file non raggiungibile");
    case QFileDevice::ResizeError:
        return QStringLiteral("la dimensione del file non si può cambiare");
    case QFileDevice::PermissionsError:
        return QStringLiteral("i permessi del file non si possono cambiare");
    case QFileDevice::CopyError:
        return QStringLiteral("il file non si può copiare");
    case QFileDevice::UnspecifiedError:
        break;
    }
    return QStringLiteral("errore non specificato");
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
