#pragma once

#include <QColor>

// Colour values in the classic system's form 0x00BBGGRR: red in the low
// byte, blue in the high one. 0x00C0FFFF is therefore red 255, green 255,
// blue 192, a pale yellow.
inline QColor fromClassicColour(quint32 value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

// The contrast between two colours as the web's accessibility guidelines
// measure it: the ratio of their relative luminances, each plus 0.05, from 1
// (the same colour) to 21 (black on white). Small text reads well from 4.5.
double ContrastRatio(const QColor& a, const QColor& b);

// Black or white, whichever reads better on `background`. The classic
// colours (cyan results, the yellow hint, a highlighted row, the grey of the
// windows) were made for black text, which a dark desktop theme would
// otherwise turn light.
QColor ReadableTextOn(const QColor& background);
