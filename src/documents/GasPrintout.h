#pragma once

#include <QLocale>
#include <QString>

#include <array>

struct ApplicationState;
class PrinterPage;
class WordDocument;

// The gas network's printouts: the table of data and results on the
// printer page model or as a word-processor document, and the blank
// data-acquisition form. The row layouts are shared with the technical
// report.

// Title of the printed listing.
inline constexpr char GasListingTitle[] = "TUBAREX: perdite di carico nelle tubazioni";

// The two header lines of the data table (the second keeps its trailing
// blank) and of the fittings table, printed at column GasHeaderColumn.
extern const std::array<QString, 2> GasHeaderLines;
extern const std::array<QString, 2> GasFittingsHeaderLines;
inline constexpr int GasHeaderColumn = 5;

// The fifteen legend lines, printed at column GasLegendColumn.
extern const std::array<QString, 15> GasLegendLines;
inline constexpr int GasLegendColumn = 6;

// Print columns of the data row. A value is printed at column (p - d), d
// being the characters before its decimal separator, so that the separator
// falls on column p; the row number ends on column `number` - 1.
namespace GasPrintColumn {
inline constexpr int number = 8;
inline constexpr int lungh = 16;
inline constexpr int luvirt = 23;
inline constexpr int tipofi = 36;
inline constexpr int portgas = 41;
inline constexpr int tipoc = 52;
inline constexpr int diam = 57;
inline constexpr int visc = 62;
inline constexpr int rey = 72;
inline constexpr int attr = 76;
inline constexpr int vel = 84;
inline constexpr int mas = 91;
inline constexpr int pcs = 102;
inline constexpr int pci = 110;
inline constexpr int perd = 115;
} // namespace GasPrintColumn

// Columns on which the fitting counts end (each count is printed at p minus
// its length), for cu45, cu90, cu91, rt, rx, rs, rv in this order.
inline constexpr std::array<int, 7> GasFittingPrintEnds = {16, 27, 38, 50, 57, 67, 79};

// Rows of a table that fit on the first printed page and on the others.
inline constexpr int GasRowsFirstPage = 50;
inline constexpr int GasRowsOtherPages = 85;

// The printed values of the computed columns, in the listing's units:
// viscosity in cm²/s, Reynolds number whole, friction factor, velocity in
// cm/s, loss in mbar, rounded half up at the printed precision. Empty for a
// row whose value is empty (not computable).
QString PrintedViscosity(const ApplicationState& state, int row);
QString PrintedReynolds(const ApplicationState& state, int row);
QString PrintedFriction(const ApplicationState& state, int row);
QString PrintedVelocity(const ApplicationState& state, int row);
QString PrintedLoss(const ApplicationState& state, int row);

// The heads that open the data table: its two header lines at column
// GasHeaderColumn in the table's type (8 points in the listing), and an
// empty line.
inline constexpr double GasTablePoints = 8;
void PrintGasTableHeads(PrinterPage& page, double points = GasTablePoints);

// One line of the data table for `row`, and one of the fittings table.
void PrintGasRow(const ApplicationState& state, int row, PrinterPage& page);
void PrintGasFittingsRow(const ApplicationState& state, int row, PrinterPage& page);

// The page-break rule of the two tables: a full page (GasRowsFirstPage on
// page 1, GasRowsOtherPages after it while rows remain) gets its footer and a
// new page with the table's header lines; when PageRowCount equals
// GasRowCount the footer of the current page is printed in place.
void GasPageBreak(ApplicationState& state, PrinterPage& page);
void FittingsPageBreak(ApplicationState& state, PrinterPage& page);

// The whole listing of data and results on `page`, ended with the document.
// PageRowCount is the only state it changes. False when the device failed.
bool PrintGasListing(ApplicationState& state, PrinterPage& page);

// The word-processor document of data and results: title lines, then the
// legend, data and fittings tables (document tables 1, 2, 3). `total` is the
// total the window shows; numbers use the decimal separator of `locale`.
void AddGasLegendTable(WordDocument& doc);
void AddGasDataTable(WordDocument& doc, const ApplicationState& state, double total,
                     const QLocale& locale);
// The fitting counts use the decimal separator of `locale` (by default the
// user's).
void AddGasFittingsTable(WordDocument& doc, const ApplicationState& state,
                         const QLocale& locale = QLocale());
void BuildGasDocument(WordDocument& doc, const ApplicationState& state, double total,
                      const QLocale& locale);

// The blank data-acquisition form: the gas-type table and a form of 40
// empty segment rows under two header rows.
inline constexpr int GasFormRows = 42;
void BuildGasForm(WordDocument& doc, const ApplicationState& state);
