#include "documents/WaterPrintout.h"

#include "core/model/Columns.h"
#include "core/model/NumberText.h"
#include "core/model/RowGuide.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <QLocale>

namespace {

const QString PageFont = QStringLiteral("Courier New");
const QString DocumentFont = QStringLiteral("Century Gothic");

// Word's predefined table format used by every table of the documents.
constexpr int TableFormat = 9;
constexpr double TablePoints = 10;

// The water table's columns as the document's data table and the form show
// them, the row number first.
std::vector<const ColumnFacts*> documentColumns() {
    std::vector<const ColumnFacts*> columns{&WaterColumns().front()};
    const auto rest = DocumentColumns(WaterColumns(), 1);
    columns.insert(columns.end(), rest.begin(), rest.end());
    return columns;
}

// The two head rows of a table: its columns' names and units.
void fillHeads(WordDocument& document, int table, const std::vector<const ColumnFacts*>& columns,
               bool form) {
    for (size_t k = 0; k < columns.size(); ++k) {
        const int c = static_cast<int>(k) + 1;
        document.setCellText(table, 1, c,
                             form ? columns[k]->formNameText() : columns[k]->documentNameText());
        document.setCellText(table, 2, c,
                             form ? columns[k]->formUnitText() : columns[k]->unitText());
    }
}

// Font, paper and the three title paragraphs shared by both documents.
void startDocument(WordDocument& document, const ApplicationState& state, const QString& title,
                   const QString& project) {
    document.StandardSetup();
    document.setFontName(DocumentFont);
    document.setFontSize(18);
    document.TypeText(state.program.ProgramName + QLatin1Char('\r'));
    document.setFontSize(12);
    document.TypeText(state.program.ProgramSubtitle + QStringLiteral("\r\r"));
    document.TypeText(title + QStringLiteral("\r\r"));
    document.TypeText(QStringLiteral("Progetto: ") + project + QStringLiteral("\r\r"));
}

// A full page: its footer, then a new page that opens with the heads of the
// table when the table has begun. `pageRows` counts the rows printed on the
// page.
void turnWaterPage(int& pageRows, PrinterPage& page, bool heads) {
    PrintWaterPageFooter(page);
    pageRows = 0;
    page.newPage();
    page.setY(WaterNextPageY);
    if (heads)
        PrintWaterTableHeads(page);
}

// The page-break rule of the listing, run after every row and once after the
// last: a full page gets its footer and a new page opens with the heads.
void breakWaterPage(int rows, int& pageRows, PrinterPage& page) {
    const bool firstFull = page.page() == 1 && pageRows == WaterRowsFirstPage;
    const bool laterFull =
        page.page() > 1 && pageRows == WaterRowsPerPage && rows > WaterRowsPerPage;
    if (firstFull || laterFull)
        turnWaterPage(pageRows, page, true);
}

} // namespace

QStringList WaterLegendLines() {
    return ListingLegendLines(WaterColumns());
}

void PrintWaterRow(const Project& project, PrinterPage& page, int row) {
    const ColumnFacts& number = WaterColumns().front();
    const QString text = RowNumberText(row);
    page.tab(number.at - static_cast<int>(text.size()));
    page.print(text, true);
    // An empty cell leaves the digits as the value before it counted them,
    // and prints nothing at that column. A value too wide for its column
    // moves the rest of the row right rather than touch its neighbour.
    int digits = 0;
    for (const ColumnFacts* column : ListingColumns(WaterColumns(), 1)) {
        const Cell& cell = project.water.at(row, column->column);
        QString counted = cell.displayText();
        if (const auto d = CountIntegerDigits(counted))
            digits = *d;
        const int at = column->at - digits;
        if (column->result && cell.isNumber())
            page.printApart(at, PrinterNumberText(cell.numberValue()));
        else
            page.printApart(at, cell.displayText());
    }
    page.emptyLine();
}

void PrintWaterTableHeads(PrinterPage& page, double points) {
    page.setFontSize(points);
    page.tab(WaterListingIndent);
    page.print(ListingHeadLine(WaterColumns(), 1));
    page.tab(WaterListingIndent);
    page.print(ListingUnitLine(WaterColumns(), 1));
    page.emptyLine();
}

void PrintWaterPageFooter(PrinterPage& page) {
    page.setPosition(WaterFooterX, WaterFooterY);
    page.setFontSize(WaterBodyPoints);
    page.print(QStringLiteral("pagina ") + NumberToText(page.page()));
}

void PrintWaterListing(const Project& project, PrinterPage& page) {
    // The row quotas fit a page under a one- or two-line project name; a
    // longer name (or one that fills pages) turns the page before a line
    // would reach the footer.
    bool tableBegun = false;
    int pageRows = 0;
    page.setPageEnd(WaterFooterY, [&] { turnWaterPage(pageRows, page, tableBegun); });
    page.setY(WaterFirstLineY);
    page.setFontName(PageFont);
    page.setFontSize(WaterTitlePoints);
    page.tab(7);
    page.print(QStringLiteral("TUBAREX: perdite di carico nelle tubazioni"));
    page.setFontSize(WaterBodyPoints);
    page.emptyLine();

    page.tab(WaterListingIndent);
    // A long project name goes on under itself rather than off the page.
    page.printWrapped(QStringLiteral("Progetto: ") + project.cover.progetto, 20);
    page.emptyLine();
    page.tab(WaterListingIndent);
    page.print(QStringLiteral("DATI E RISULTATI"));
    page.emptyLine();

    page.tab(WaterLegendIndent);
    page.print(QStringLiteral("Legenda:"));
    page.emptyLine();
    for (const QString& line : WaterLegendLines()) {
        page.tab(WaterLegendIndent);
        page.print(line);
    }
    page.emptyLine();
    PrintWaterTableHeads(page);
    tableBegun = true;

    const int rows = project.water.rows();
    for (int r = 1; r <= rows; ++r) {
        PrintWaterRow(project, page, r);
        ++pageRows;
        breakWaterPage(rows, pageRows, page);
    }
    // The last call adds the footer of the last page.
    pageRows = rows;
    breakWaterPage(rows, pageRows, page);
    if (rows == pageRows)
        PrintWaterPageFooter(page);
    page.setPageEnd(0, {});
    page.endDocument();
}

int AddWaterLegendTable(WordDocument& document) {
    const std::vector<const ColumnFacts*> columns = documentColumns();
    const int rows = static_cast<int>(columns.size()) + 1;
    const int table = document.addTableAtEnd(rows, 2);
    document.setTableFontSize(table, TablePoints);
    document.setCellText(table, 1, 1, QStringLiteral("colonna"));
    document.setCellText(table, 1, 2, QStringLiteral("significato"));
    for (int r = 2; r <= rows; ++r) {
        const ColumnFacts& c = *columns[static_cast<size_t>(r - 2)];
        document.setCellText(table, r, 1, c.documentNameText());
        document.setCellText(table, r, 2, c.documentLegendText());
    }
    document.autoFormat(table, TableFormat);
    document.setHeadRows(table, 1);
    return table;
}

int AddWaterDataTable(WordDocument& document, const Project& project, double total,
                      const QLocale& locale) {
    const std::vector<const ColumnFacts*> columns = documentColumns();
    const int rows = project.water.rows();
    const int table = document.addTableAtEnd(rows + 3, static_cast<int>(columns.size()));
    document.setTableFontSize(table, TablePoints);
    fillHeads(document, table, columns, false);
    for (int r = 1; r <= rows; ++r) {
        const int line = r + 2;
        document.setCellText(table, line, 1, RowNumberText(r));
        for (size_t k = 1; k < columns.size(); ++k) {
            const ColumnFacts& c = *columns[k];
            const Cell& cell = project.water.at(r, c.column);
            // Inputs to their decimals (an empty one as 0), counts as typed;
            // a loss that could not be computed is an empty cell, as its box
            // shows.
            QString text;
            if (c.documentDecimals < 0)
                text = WithDecimalSeparator(cell.displayText(), locale);
            else if (!(c.result && cell.isEmpty()))
                text = FormatFixed(cell.value() * c.scale, c.documentDecimals, locale);
            document.setCellText(table, line, c.documentPlace, text);
        }
    }
    document.setCellText(table, rows + 3, 12, QStringLiteral("totale"));
    document.setCellText(table, rows + 3, 13, FormatFixed(total, 2, locale));
    document.autoFormat(table, TableFormat);
    // Names and units head every page the table runs on.
    document.setHeadRows(table, 2);
    return table;
}

void RightAlignTableColumns(WordDocument& document, int table, int columns) {
    for (int c = 1; c <= columns; ++c) {
        document.selectColumn(table, c);
        document.setAlignment(WordAlignment::Right);
    }
}

void BuildWaterDocument(WordDocument& document, const ApplicationState& state, double total,
                        const QLocale& locale) {
    startDocument(document, state, QStringLiteral("DATI E RISULTATI"),
                  state.project.cover.progetto);
    document.setProperties(state.program.ProgramName +
                               QStringLiteral(": rete idrica, dati e risultati"),
                           state.program.OwnerName);
    AddWaterLegendTable(document);
    document.addParagraphAtEnd();
    AddWaterDataTable(document, state.project, total, locale);
    // The data table is the document's second.
    RightAlignTableColumns(document, 2, 13);
}

void BuildWaterForm(WordDocument& document, const ApplicationState& state) {
    startDocument(document, state, QStringLiteral("ACQUISIZIONE DATI"),
                  QStringLiteral("_________________________________"));
    document.setProperties(state.program.ProgramName +
                               QStringLiteral(": rete idrica, modello di acquisizione dati"),
                           state.program.OwnerName);
    // The wall types with their coefficients as the form shows them, with
    // the decimal comma of a handwritten sheet.
    static const std::array<std::array<const char*, 3>, 4> wallTypes = {{
        {"n.", "tipo di tubo", "scabrezza"},
        {"1", "liscio", "0,002"},
        {"2", "corrente", "0,0025"},
        {"3", "scabro", "0,004"},
    }};
    const int walls = document.addTableAtEnd(4, 3);
    document.setTableFontSize(walls, TablePoints);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 3; ++c)
            document.setCellText(
                walls, r, c,
                QString::fromUtf8(
                    wallTypes.at(static_cast<size_t>(r - 1)).at(static_cast<size_t>(c - 1))));
    }
    document.autoFormat(walls, TableFormat);

    document.addParagraphAtEnd();
    // Two head lines and 30 empty segments.
    const std::vector<const ColumnFacts*> columns = documentColumns();
    const int segments = document.addTableAtEnd(32, static_cast<int>(columns.size()));
    document.setTableFontSize(segments, TablePoints);
    fillHeads(document, segments, columns, true);
    document.autoFormat(segments, TableFormat);
}
