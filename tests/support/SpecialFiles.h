#pragma once

#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// A named pipe at `path`: opening it for reading waits for a writer, for
// ever if none comes. False where the system has none.
inline bool MakeFifo(const QString& path) {
#ifdef Q_OS_UNIX
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    (void)path;
    return false;
#endif
}

// A character device that reads without end, when the system has one.
inline QString EndlessDevice() {
    const QString zero = QStringLiteral("/dev/zero");
    return QFile::exists(zero) ? zero : QString();
}
