#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include "core/model/Result.h"

// Files as the program reads and replaces them. Only a regular file is read,
// never more than a limit, and never by waiting on a pipe or a device; a file
// is replaced only by contents that are complete in memory and written whole,
// so that a full disk or a file-size limit leaves the previous file intact.

// The most the program reads of a file: no data file comes near it (500 water
// and 500 gas rows of short texts), and a tips file is far smaller.
inline constexpr qint64 MaxReadSize = 16 * 1024 * 1024;

// The whole of the regular file at `path`; when it cannot be read the
// failure is an Italian sentence naming the file ("Impossibile aprire il file «...»: ...").
// A folder, a device, a pipe or a socket is refused before it is opened, and
// a file larger than `maxSize` before it is read.
Result<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize = MaxReadSize);

// Replaces the file at `path` with `bytes`: written whole to a temporary file
// beside it, which takes the file's place only when every byte is written.
// An existing folder, device, pipe or socket at `path` is refused untouched.
// The failure says why the file could not be written (Italian, without the
// file's name, to follow a colon); any previous file is then left byte for
// byte.
Result<> ReplaceFile(const QString& path, const QByteArray& bytes);

// The sentence, with a blank before it, that ends the message of a failed
// replacement of `path` when something stood there: it is as it was
// (ReplaceFile leaves it so). Nothing when there was nothing to keep.
QString PreviousFileKept(const QString& path);

// The whole of what `device` yields until its end (standard input, read by
// the command line for the file "-"); when it cannot be read or is longer
// than `maxSize` the failure is an Italian sentence naming it as `name`
// ("Impossibile leggere «standard input»: ...").
Result<QByteArray> ReadWholeDevice(QIODevice& device, const QString& name,
                                   qint64 maxSize = MaxReadSize);

// Why the system refused an operation on a file, in Italian, from its error
// number (errno): "permesso negato", "il disco è pieno", ...; an unusual
// number is named as such. Empty for 0.
QString SystemErrorReason(int code);

// Why an operation on a file failed, in Italian: the system's reason when its
// error number `code` is known, otherwise the kind of failure Qt reports.
// Never Qt's or the system's English text.
QString FileErrorReason(QFileDevice::FileError error, int code = 0);

// The path between guillemets, in the system's notation, with any control
// character shown visibly.
QString QuotedPath(const QString& path);

// A value from outside (a token of a file, a word of the command line) as a
// message quotes it: between guillemets, at most `maxLength` characters of
// it followed by "…" when it is longer, and every control or invisible
// formatting character shown as its code (ESC as <1B>, a right-to-left
// override as <U+202E>), so that no message grows with its input and nothing
// in it acts on the terminal or the screen.
QString QuotedExcerpt(QStringView value, qsizetype maxLength = 40);

// Text with its control and invisible formatting characters shown as codes,
// as QuotedExcerpt shows them.
QString VisibleText(QStringView text);

// Makes a write past the system's file-size limit fail with an error, which
// the writers report, instead of ending the process with a signal. Called
// once at start by each program.
void IgnoreFileSizeSignal();
