#include "core/file/SafeFile.h"

#include "UnwritableFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

// The system's own English texts, which no message may carry.
bool hasSystemEnglish(const QString& message) {
    for (const int code : {ENOENT, EACCES, EFBIG, ENOSPC, EBADF, 98765})
        if (message.contains(qt_error_string(code)))
            return true;
    return message.contains(QStringLiteral("Unknown error"));
}

} // namespace

// Every failure reads in Italian, with the system's reason translated.
TEST(SafeFile, FailuresGiveItalianReasons) {
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("chiusa"));
    QDir().mkpath(locked);
    struct Case {
        const char* what;
        std::function<QString()> failure;
        QStringList reasons; // the message is one of them, or begins with one ending in ": "
    };
    const QList<Case> cases = {
        {"missing folder",
         [&] { return ReplaceFile(dir.filePath(QStringLiteral("manca/x")), "dati").error(); },
         {QStringLiteral("il file o la cartella non esiste")}},
        {"read-only folder or size limit",
         [&] {
             const UnwritableFolder unwritable(locked);
             return ReplaceFile(QDir(locked).filePath(QStringLiteral("x")), QByteArray(4096, 'x'))
                 .error();
         },
         {QStringLiteral("permesso negato"),
          QStringLiteral("il file supera la dimensione massima consentita")}},
        {"device not open",
         [] {
             QFile closed;
             return ReadWholeDevice(closed, QStringLiteral("standard input")).error();
         },
         {QStringLiteral("Impossibile leggere «standard input»: ")}},
        {"too long",
         [] {
             QByteArray bytes(2 * 1024 * 1024 + 1, 'x');
             QBuffer buffer(&bytes);
             buffer.open(QIODevice::ReadOnly);
             return ReadWholeDevice(buffer, QStringLiteral("standard input"), 2 * 1024 * 1024)
                 .error();
         },
         {QStringLiteral("Impossibile leggere «standard input»: è troppo grande (più di 2 MB).")}},
        {"unusual system error",
         [] { return FileErrorReason(QFileDevice::WriteError, 98765); },
         {QStringLiteral("errore del sistema n. 98765")}},
        {"no system error",
         [] { return FileErrorReason(QFileDevice::RenameError); },
         {QStringLiteral("il file non si può rinominare")}},
    };
    for (const Case& c : cases) {
        const QString message = c.failure();
        bool found = false;
        for (const QString& reason : c.reasons)
            found = found || message == reason ||
                    (reason.endsWith(QStringLiteral(": ")) && message.startsWith(reason));
        EXPECT_TRUE(found) << c.what << ": " << message.toStdString();
        EXPECT_FALSE(hasSystemEnglish(message)) << c.what << ": " << message.toStdString();
    }
}

// What a device gives is read whole, bytes as they are, up to the limit.
TEST(SafeFile, ReadWholeDeviceKeepsEveryByte) {
    for (const qsizetype size : {0, 1, 65535, 65536, 65537, 300000}) {
        QByteArray bytes(size, '\0');
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 % 256);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const auto read = ReadWholeDevice(buffer, QStringLiteral("x"), 300000);
        ASSERT_TRUE(read) << size;
        EXPECT_EQ(read.value(), bytes) << size;
    }
}
