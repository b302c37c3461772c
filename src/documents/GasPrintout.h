#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

class Cell;
class Project;
struct ApplicationState;
struct ColumnFacts;
class PrinterPage;
class WordDocument;

// The gas network's printouts: the table of data and results on the
// printer page model or as a word-processor document, and the blank
// data-acquisition form. The row layouts are shared with the technical
// report.

// Title of the printed listing.
inline constexpr char GasListingTitle[] = "TUBAREX: perdite di carico nelle tubazioni";

// The columns of the listing and of the documents are the gas table's
// (GasColumns(): names, units, legend, places, scales and decimals). The
// head lines of both tables start at column GasHeaderColumn, the legend
// lines at GasLegendColumn.
inline constexpr int GasHeaderColumn = 5;
inline constexpr int GasLegendColumn = 6;

// Rows of a table that fit on the first printed page and on the others.
inline constexpr int GasRowsFirstPage = 50;
inline constexpr int GasRowsOtherPages = 85;

// A value as the listing prints it: as held, or in the listing's unit and
// rounded half up at its printed decimals (viscosity in cm²/s, Reynolds
// number whole, friction factor, velocity in cm/s, loss in mbar). Empty for
// an empty cell (a value that could not be computed).
QString PrintedValue(const Cell& cell, const ColumnFacts& column);

// The heads that open the data table: its two header lines at column
// GasHeaderColumn in the table's type (8 points in the listing), and an
// empty line.
inline constexpr double GasTablePoints = 8;
void PrintGasTableHeads(PrinterPage& page, double points = GasTablePoints);

// The legend lines of the listing.
QStringList GasLegendLines();

// One line of the data table for `row`, and one of the fittings table.
void PrintGasRow(const Project& project, int row, PrinterPage& page);
void PrintGasFittingsRow(const Project& project, int row, PrinterPage& page);

// The whole listing of data and results on `page`, ended with the document:
// the data table, then the fittings table, each broken into pages (50 rows
// on the first page, 85 on the others while rows remain) that carry their
// number at the foot and open with the table's head lines. False when the
// device failed.
bool PrintGasListing(const Project& project, PrinterPage& page);

// The word-processor document of data and results: title lines, then the
// legend, data and fittings tables (document tables 1, 2, 3). `total` is the
// total the window shows; numbers use the decimal separator of `locale`.
void AddGasLegendTable(WordDocument& doc);
void AddGasDataTable(WordDocument& doc, const Project& project, double total,
                     const QLocale& locale);
// The fitting counts use the decimal separator of `locale` (by default the
// user's).
void AddGasFittingsTable(WordDocument& doc, const Project& project,
                         const QLocale& locale = QLocale());
void BuildGasDocument(WordDocument& doc, const ApplicationState& state, double total,
                      const QLocale& locale);

// The blank data-acquisition form: the gas-type table and a form of 40
// empty segment rows under two header rows.
inline constexpr int GasFormRows = 42;
void BuildGasForm(WordDocument& doc, const ApplicationState& state);
