#pragma once

#include <QString>

// Icon of a message box, as the classic message boxes number them.
enum class NoticeIcon {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};

// What a hint or an input check wants shown: the message and its icon, and
// where the window must take the user (the table row and column of the
// missing item, the band position that brings it into view and the band line
// that then shows it). A window only displays it.
struct Notice {
    QString text;
    NoticeIcon icon = NoticeIcon::None;
    int row = 0;     // table row concerned, 0 for none
    int column = 0;  // table column whose box takes the focus, 0 for none
    int bandTop = 0; // row to show on the first band line, 0 to leave the band
    int line = 0;    // band line (1..10) that takes the focus, 0 for none

    bool isEmpty() const { return text.isEmpty(); }
};

// The band shows ten rows; its first row runs from 1 to 491.
inline constexpr int BandLines = 10;
inline constexpr int MaxRows = 500;
inline constexpr int MaxBandTop = MaxRows - BandLines + 1;

// The band position that shows `row`, as close to the first line as the
// scroll bar allows: rows above 491 appear in the last band, 491..500.
inline int BandTopShowing(int row) {
    return row < 1 ? 1 : (row > MaxBandTop ? MaxBandTop : row);
}
