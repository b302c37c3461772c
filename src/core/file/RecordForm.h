#pragma once

#include "core/model/Cell.h"
#include "core/model/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The record form of the data file: one record a line, its values separated
// by commas with no blanks; a text between double quotes with no escape, a
// number unquoted with "." as the point, nothing at all for a cell never
// written.

// The raw values of one line; a comma inside quotes does not split.
void SplitRecordValues(QStringView line, QList<QStringView>& values);

// Lines ended by CR LF (or a lone CR or LF); a last line without an end
// counts too.
QList<QStringView> SplitRecordLines(QStringView text);

// Reads one raw value (blanks around it ignored): nothing, a quoted text, or
// a number. When it is none of them the failure says why, to follow
// "valore N: " in a message.
Result<Cell> ReadRecordValue(QStringView raw);

// Appends a cell in the record form, in Windows-1252. False when a text
// holds what the file cannot: a double quote (texts have no escape), a line
// break, or a character outside the code page.
bool AppendRecordCell(QByteArray& out, const Cell& cell);

// The line end of the file.
inline constexpr char RecordLineEnd[] = "\r\n";
