#pragma once

#include <QString>
#include <QStringList>

struct ApplicationState;
class PrinterPage;
class Project;
class QLocale;
class WordDocument;

// The water table on paper and in the word processor: the data-and-results
// listing of the printer, the same table as a document, and the blank form
// for collecting data by hand. The technical report prints the same rows at
// the same columns and builds the same legend and data tables.

// The columns of the listing and of the documents are the water table's
// (WaterColumns(): names, units, legend, places and decimals); a value is
// printed from column (at - d), d being the characters before its first ","
// or ".", so that the separator falls on the column and a value without one
// ends just before it.

// Column where the heads, the rows' tab and the title lines of the listing
// start.
inline constexpr int WaterListingIndent = 10;
inline constexpr int WaterLegendIndent = 6;

// Page layout of the listing, twips and points.
inline constexpr double WaterFirstLineY = 800;
inline constexpr double WaterNextPageY = 1000;
inline constexpr double WaterFooterX = 9800;
inline constexpr double WaterFooterY = 15000;
inline constexpr double WaterTitlePoints = 18;
inline constexpr double WaterBodyPoints = 12;
inline constexpr double WaterTablePoints = 8;
// Table rows on the first page and on each further page.
inline constexpr int WaterRowsFirstPage = 52;
inline constexpr int WaterRowsPerPage = 85;

// The thirteen legend lines of the listing ("tronco    = numero del tronco", ...).
QStringList WaterLegendLines();

// One table row: the row number right-aligned to end before its column,
// then the twelve values as stored, each aligned on its column. The loss is
// printed as a number, so the printer's sign blank comes before it; an empty
// cell prints nothing (at the column the value before it was aligned by).
// The line ends after the loss.
void PrintWaterRow(const Project& project, PrinterPage& page, int row);

// The heads that open a table page: two head lines at column 10 in the
// table's type (8 points in the listing) and an empty line.
void PrintWaterTableHeads(PrinterPage& page, double points = WaterTablePoints);

// "pagina n" at the foot of the current page, 12 points.
void PrintWaterPageFooter(PrinterPage& page);

// The data-and-results listing: title, project, legend, heads and every row
// of the table, broken into pages of 52 (first page) and 85 rows, with the
// footer of each page; then the job is ended.
void PrintWaterListing(const Project& project, PrinterPage& page);

// The legend table (14 x 2, 10 points, format 9) at the end of the document;
// returns its table index.
int AddWaterLegendTable(WordDocument& document);

// The data table (rows + 3 lines x 13 columns, 10 points, format 9) at the
// end of the document: names, units, one line per row with the lengths,
// diameters and flows as "##0.00", the roughness as "##0.0000", fittings as
// typed and the loss as "##0.00" (empty when it could not be computed), and
// the line of the total. Numbers use the decimal separator of `locale`.
// Returns its table index.
int AddWaterDataTable(WordDocument& document, const Project& project, double total,
                      const QLocale& locale);

// Right-aligns columns 1..columns of a table, one selected column at a time.
void RightAlignTableColumns(WordDocument& document, int table, int columns);

// The data-and-results document: set-up, titles, project, legend table, data
// table with `total` (the total the water window shows), columns aligned
// right.
void BuildWaterDocument(WordDocument& document, const ApplicationState& state, double total,
                        const QLocale& locale);

// The blank data-acquisition form: titles, the wall-type table and a table
// of 30 empty segments to fill by hand.
void BuildWaterForm(WordDocument& document, const ApplicationState& state);
