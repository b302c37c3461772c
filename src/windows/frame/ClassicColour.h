#pragma once

#include <QColor>

// Colour values in the classic system's form 0x00BBGGRR: red in the low
// byte, blue in the high one. 0x00C0FFFF is therefore red 255, green 255,
// blue 192, a pale yellow.
inline QColor fromClassicColour(quint32 value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}
