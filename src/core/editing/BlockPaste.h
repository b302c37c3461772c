#pragma once

#include "core/model/Cell.h"
#include "core/model/Notice.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <span>

class QLocale;

// Blocks of cells moved between a data table and a spreadsheet: pasted into
// the band from the focused cell right and down, and the table copied out.

// True when the text holds a tab or a line break of any kind: cells copied
// from a table, not one value.
bool HoldsCellBlock(const QString& text);

// True when the data file can hold the text as one value. The file quotes
// its texts with no escape, so a double quote would split a value; it keeps
// one record a line, so a line break would split a record; and it is written
// in Windows-1252, so a character outside that code page has no byte.
bool FileCanHoldValue(const QString& text);

// Why the data file cannot hold the text, in one line naming the first
// character it refuses; empty when it can hold it.
QString RefusedCharacterReason(const QString& text);

// Cells as a spreadsheet puts them on the clipboard: cells separated by
// tabs, rows by line breaks (CR LF, LF or CR). The line break that ends the
// last row does not start another one.
using CellBlock = QList<QStringList>;
CellBlock ParseCellBlock(const QString& text);

// The text a pasted cell stores. A number in the Italian form, as a
// spreadsheet under Italian settings copies it (a decimal comma, and points
// grouping the thousands when there is a comma: "12,5", "-0,25", "1.234,5",
// "1,51E-05"), is written with a point, since the program reads "12,5" as
// 12; a size in inches with its inch mark (1/2", 1 1/4") is written with the
// two apostrophes of the lists; any other text is kept as it is.
QString PastedCellText(const QString& cell);

// The text a numeric box keeps of what is typed or pasted into it: a number
// in the Italian form as PastedCellText writes it, and any other comma a
// point. The numeric pad's decimal key types a comma on an Italian
// keyboard, and the program reads "3,5" as 3.
QString TypedNumberText(const QString& text);

// One network's table as a block fills it.
struct PasteTarget {
    // The band's input columns, left to right, and the length among them.
    std::span<const int> columns;
    int lengthColumn = 1;
    // The name of a column in the messages (its head in the window).
    std::function<QString(int column)> head;
    std::function<const Cell&(int row, int column)> cellAt;
    // Segments counted now.
    int count = 0;
    // Types one value as if typed into its box: the text stored with the
    // rules of its column, then the count and the row's computation.
    std::function<void(int row, int column, const QString& text)> type;
};

// A refusal (the table was not touched), or the rows the block filled.
struct PasteOutcome {
    Notice refusal; // empty when the block was pasted
    int firstRow = 0;
    int lastRow = 0;
};

// Pastes a block with its first cell at (row, column): the whole block is
// checked first, then typed value by value, row by row from left to right.
// It is refused whole, naming the segment and the column, when a value
// holds a character the file cannot hold, runs past the last input column
// or past row 500 (empty cells there are ignored), or would leave a blank
// row: a value on a row after the first free one, or a length emptied
// before a row that keeps one.
PasteOutcome PasteBlock(const PasteTarget& target, int row, int column, const CellBlock& block);

// The rows a block pasted at `row` would reach, within the table.
int PasteLastRow(int row, const CellBlock& block);

// One column of the table copied out: the table column (0 for the row
// number) and its two heads, as the window shows them.
struct CopiedColumn {
    int column = 0;
    QString name;
    QString unit;
};

// Rows 1..count as tab-separated text for a spreadsheet: the names and the
// units of the heads on two lines, then a line per row with the row number,
// the inputs as typed and the results, each number with the decimal
// separator of `locale`. Every line ends with a line break.
QString CopyRowsText(std::span<const CopiedColumn> columns, int count,
                     const std::function<const Cell&(int row, int column)>& cellAt,
                     const QLocale& locale);
