#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The 8-bit code page of the data and tips files. Latin-1 is not the same:
// bytes 0x80..0x9F hold the euro sign, typographic quotes and dashes.
namespace Windows1252 {

// Every byte decodes; the five bytes the code page leaves undefined map to
// the control characters of the same value, as the system does.
QString decode(const QByteArray& bytes);

// True when every character of the text has a byte in the code page.
bool canHold(QChar c);
bool canHold(const QString& text);

// Appends the bytes of a text; false (with part of it appended) when a
// character cannot be held.
bool append(QByteArray& out, QStringView text);

// The bytes of a text, or nothing when a character cannot be held.
std::optional<QByteArray> encode(const QString& text);

} // namespace Windows1252
