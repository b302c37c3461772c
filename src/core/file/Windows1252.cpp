#include "core/file/Windows1252.h"

#include <array>

namespace {

// Code points of bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> byteOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

namespace Windows1252 {

QString decode(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = (b >= 0x80 && b <= 0x9F) ? QChar(HighControls[b - 0x80])
                                          : QChar(static_cast<char16_t>(b));
    }
    return out;
}

bool canHold(QChar c) {
    return byteOf(c).has_value();
}

bool canHold(const QString& text) {
    for (const QChar c : text) {
        if (!canHold(c))
            return false;
    }
    return true;
}

bool append(QByteArray& out, QStringView text) {
    for (const QChar c : text) {
        const auto b = byteOf(c);
        if (!b)
            return false;
        out.append(*b);
    }
    return true;
}

std::optional<QByteArray> encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    if (!append(out, text))
        return std::nullopt;
    return out;
}

} // namespace Windows1252
