// The gas printouts: the listing of data and results on the printer page
// model, the same table as a word-processor document, and the blank
// data-acquisition form.
#include "documents/GasPrintout.h"

#include "core/model/Columns.h"
#include "core/model/GasTable.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <cmath>

namespace {

const QString ListingFont = QStringLiteral("Courier New");
const QString DocumentFont = QStringLiteral("Century Gothic");
constexpr double TitleSize = 18;
constexpr double BodySize = 12;
constexpr double TableSize = GasTablePoints;
// Where the first line of page 1 and of the following pages start, and
// where the page number stands (twips).
constexpr double FirstPageTop = 800;
constexpr double NextPageTop = 1000;
constexpr double FooterX = 9800;
constexpr double FooterY = 15000;

const ColumnFacts& rowNumber() {
    return GasColumns().front();
}

// The row number and the columns of a document table.
std::vector<const ColumnFacts*> documentColumns(int table) {
    std::vector<const ColumnFacts*> columns{&rowNumber()};
    const auto rest = DocumentColumns(GasColumns(), table);
    columns.insert(columns.end(), rest.begin(), rest.end());
    return columns;
}

// A value, as stored, whose decimal separator falls on column p (a whole
// number ends just before it), or further right to keep a blank from the
// value before it; nothing for an empty text. The digits are counted on a
// copy: the count turns a negative number into its sign blank and absolute
// value, which is not what is printed.
void printAligned(PrinterPage& page, const QString& text, int p) {
    QString counted = text;
    const std::optional<int> digits = CountIntegerDigits(counted);
    if (!digits)
        return;
    page.printApart(p - *digits, text);
}

// The row number with its sign blank, ending just before its column.
void printRowNumber(PrinterPage& page, int row) {
    page.tab(rowNumber().at - static_cast<int>(SignedNumberText(row).size()));
    page.printNumber(row, true);
}

// The two head lines of the listing's table 1 (data) or 2 (fittings).
void printHeader(PrinterPage& page, int table) {
    for (const QString& line :
         {ListingHeadLine(GasColumns(), table), ListingUnitLine(GasColumns(), table)}) {
        page.tab(GasHeaderColumn);
        page.print(line);
    }
}

void printFooter(PrinterPage& page) {
    page.setPosition(FooterX, FooterY);
    page.setFontSize(BodySize);
    page.print(QStringLiteral("pagina ") + NumberToText(page.page()));
}

// The rows printed on the current page, and the table being printed (0
// before the first).
struct PageCount {
    int rows = 0;
    int table = 0;
};

// A full page: its footer, then a new page that opens with the header lines
// of the table being printed (none before the first table).
void turnGasPage(PageCount& count, PrinterPage& page) {
    count.rows = 0;
    printFooter(page);
    page.newPage();
    page.setY(NextPageTop);
    if (count.table > 0) {
        page.setFontSize(TableSize);
        printHeader(page, count.table);
        page.emptyLine();
    }
}

// The page-break rule of the two tables: a full page (GasRowsFirstPage on
// page 1, GasRowsOtherPages after it while rows remain) gets its footer and
// a new page with the table's header lines; when the page count equals the
// network's rows the footer of the current page is printed in place.
void tableBreak(int rows, PageCount& count, PrinterPage& page) {
    // A page is full at its quota; "at least" rather than "exactly", since
    // the blank lines before the fittings table count three at a time.
    const bool firstFull = page.page() == 1 && count.rows >= GasRowsFirstPage;
    const bool otherFull = page.page() >= 2 && rows > count.rows && count.rows >= GasRowsOtherPages;
    if (firstFull || otherFull)
        turnGasPage(count, page);
    if (rows == count.rows) {
        // The number of a page that goes on: the listing continues where it
        // stood, above the footer.
        const double x = page.x();
        const double y = page.y();
        const double size = page.fontSize();
        printFooter(page);
        page.setFontSize(size);
        page.setPosition(x, y);
    }
}

// A value as the document writes it: to its decimals (nothing for an empty
// cell), or as held, a number with the regional separator, or as text.
QString documentValue(const Cell& cell, const ColumnFacts& column, const QLocale& locale) {
    if (column.documentDecimals == -2)
        return cell.displayText();
    if (column.documentDecimals < 0)
        return WithDecimalSeparator(cell.displayText(), locale);
    if (cell.isEmpty())
        return {};
    return FormatFixed(cell.value() * column.scale, column.documentDecimals, locale);
}

void fillHeads(WordDocument& doc, int table, const std::vector<const ColumnFacts*>& columns,
               bool form) {
    for (size_t k = 0; k < columns.size(); ++k) {
        const int c = static_cast<int>(k) + 1;
        doc.setCellText(table, 1, c,
                        form ? columns[k]->formNameText() : columns[k]->documentNameText());
        doc.setCellText(table, 2, c, form ? columns[k]->formUnitText() : columns[k]->unitText());
    }
}

void fillRow(WordDocument& doc, int table, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        doc.setCellText(table, row, c + 1, texts.at(c));
}

void typeTitle(WordDocument& doc, const ApplicationState& state) {
    doc.setFontName(DocumentFont);
    doc.setFontSize(TitleSize);
    doc.TypeText(state.program.ProgramName + QLatin1Char('\r'));
    doc.setFontSize(BodySize);
    doc.TypeText(state.program.ProgramSubtitle + QStringLiteral("\r\r"));
}

} // namespace

QString PrintedValue(const Cell& cell, const ColumnFacts& column) {
    if (column.listingDecimals < 0)
        return cell.displayText();
    if (cell.isEmpty())
        return {};
    double divisor = 1;
    for (int k = 0; k < column.listingDecimals; ++k)
        divisor *= 10;
    return NumberToText(std::floor(cell.value() * (column.scale * divisor) + 0.5) / divisor);
}

QStringList GasLegendLines() {
    return ListingLegendLines(GasColumns());
}

void PrintGasRow(const Project& project, int row, PrinterPage& page) {
    printRowNumber(page, row);
    for (const ColumnFacts* column : ListingColumns(GasColumns(), 1))
        printAligned(page, PrintedValue(project.gas.at(row, column->column), *column), column->at);
    page.emptyLine();
}

void PrintGasFittingsRow(const Project& project, int row, PrinterPage& page) {
    printRowNumber(page, row);
    for (const ColumnFacts* column : ListingColumns(GasColumns(), 2)) {
        const QString count = project.gas.at(row, column->column).displayText();
        if (count.isEmpty())
            continue;
        page.printApart(column->at - static_cast<int>(count.size()), count);
    }
    page.emptyLine();
}

void PrintGasTableHeads(PrinterPage& page, double points) {
    page.setFontSize(points);
    printHeader(page, 1);
    page.emptyLine();
}

bool PrintGasListing(const Project& project, PrinterPage& page) {
    const int rows = project.gas.rows();
    // The row quotas fit a page under a one- or two-line project name; a
    // longer name turns the page before a line would reach the footer.
    PageCount count;
    page.setPageEnd(FooterY, [&] { turnGasPage(count, page); });
    page.setY(FirstPageTop);
    page.setFontName(ListingFont);
    page.setFontSize(TitleSize);
    page.tab(7);
    page.print(QString::fromLatin1(GasListingTitle));

    page.setFontSize(BodySize);
    page.emptyLine();
    page.tab(10);
    // A long project name goes on under itself rather than off the page.
    page.printWrapped(QStringLiteral("Progetto: ") + project.cover.progetto, 20);
    page.emptyLine();
    page.tab(10);
    page.print(QStringLiteral("DATI E RISULTATI"));
    page.emptyLine();
    page.tab(GasLegendColumn);
    page.print(QStringLiteral("Legenda:"));
    page.emptyLine();
    for (const QString& line : GasLegendLines()) {
        page.tab(GasLegendColumn);
        page.print(line);
    }
    page.emptyLine();

    PrintGasTableHeads(page);
    count.table = 1;
    for (int r = 1; r <= rows; ++r) {
        PrintGasRow(project, r, page);
        ++count.rows;
        tableBreak(rows, count, page);
    }

    // The fittings table: its heads three lines under the data, on a page
    // of their own when they do not fit.
    for (int k = 0; k < 3; ++k)
        page.emptyLine();
    count.rows += 3;
    count.table = 2;
    tableBreak(rows, count, page);
    page.setFontSize(TableSize);
    count.table = 0;
    printHeader(page, 2);
    page.emptyLine();
    count.table = 2;
    count.rows += 3;
    tableBreak(rows, count, page);
    for (int r = 1; r <= rows; ++r) {
        PrintGasFittingsRow(project, r, page);
        ++count.rows;
        tableBreak(rows, count, page);
    }

    count.rows = rows;
    tableBreak(rows, count, page);
    page.setPageEnd(0, {});
    return page.endDocument();
}

void AddGasLegendTable(WordDocument& doc) {
    const std::vector<const ColumnFacts*> columns = documentColumns(1);
    const int rows = static_cast<int>(columns.size()) + 1;
    const int table = doc.addTableAtEnd(rows, 2);
    doc.setTableFontSize(table, 10);
    fillRow(doc, table, 1, {QStringLiteral("colonna"), QStringLiteral("significato")});
    for (int r = 2; r <= rows; ++r) {
        const ColumnFacts& c = *columns[static_cast<size_t>(r - 2)];
        fillRow(doc, table, r, {c.documentNameText(), c.documentLegendText()});
    }
    doc.autoFormat(table, 9);
    doc.setHeadRows(table, 1);
}

void AddGasDataTable(WordDocument& doc, const Project& project, double total,
                     const QLocale& locale) {
    const std::vector<const ColumnFacts*> columns = documentColumns(1);
    const int count = static_cast<int>(columns.size());
    const int rows = project.gas.rows();
    const int table = doc.addTableAtEnd(rows + 3, count);
    doc.setTableFontSize(table, 7);
    fillHeads(doc, table, columns, false);
    for (int r = 1; r <= rows; ++r) {
        QStringList texts{SignedNumberText(r)};
        for (size_t k = 1; k < columns.size(); ++k)
            texts << documentValue(project.gas.at(r, columns[k]->column), *columns[k], locale);
        fillRow(doc, table, r + 2, texts);
    }
    doc.setCellText(table, rows + 3, count - 1, QStringLiteral("totale"));
    doc.setCellText(table, rows + 3, count, FormatFixed(total, 2, locale));
    doc.autoFormat(table, 9);
    // Names and units head every page the table runs on.
    doc.setHeadRows(table, 2);
}

void AddGasFittingsTable(WordDocument& doc, const Project& project, const QLocale& locale) {
    const std::vector<const ColumnFacts*> columns = documentColumns(2);
    const int rows = project.gas.rows();
    const int table = doc.addTableAtEnd(rows + 2, static_cast<int>(columns.size()));
    doc.setTableFontSize(table, 8);
    fillHeads(doc, table, columns, false);
    for (int r = 1; r <= rows; ++r) {
        doc.setCellText(table, r + 2, 1, SignedNumberText(r));
        for (size_t k = 1; k < columns.size(); ++k)
            doc.setCellText(
                table, r + 2, static_cast<int>(k) + 1,
                documentValue(project.gas.at(r, columns[k]->column), *columns[k], locale));
    }
    doc.autoFormat(table, 9);
    doc.setHeadRows(table, 2);
}

void BuildGasDocument(WordDocument& doc, const ApplicationState& state, double total,
                      const QLocale& locale) {
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName + QStringLiteral(": rete gas, dati e risultati"),
                      state.program.OwnerName);
    typeTitle(doc, state);
    doc.TypeText(QStringLiteral("DATI E RISULTATI\r\r"));
    doc.TypeText(QStringLiteral("Progetto: ") + state.project.cover.progetto +
                 QStringLiteral("\r\r"));
    AddGasLegendTable(doc);
    // A blank paragraph between the tables keeps them apart: tables that
    // touch are joined into one by the word processor.
    doc.addParagraphAtEnd();
    AddGasDataTable(doc, state.project, total, locale);
    doc.addParagraphAtEnd();
    AddGasFittingsTable(doc, state.project, locale);
    for (int table = 2; table <= 3; ++table) {
        const int columns = doc.table(table).columns;
        for (int c = 1; c <= columns; ++c) {
            doc.selectColumn(table, c);
            doc.setAlignment(WordAlignment::Right);
        }
    }
    doc.collapseSelection();
}

void BuildGasForm(WordDocument& doc, const ApplicationState& state) {
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName +
                          QStringLiteral(": rete gas, modello di acquisizione dati"),
                      state.program.OwnerName);
    typeTitle(doc, state);
    doc.TypeText(QStringLiteral("ACQUISIZIONE DATI\r\r"));
    doc.TypeText(QStringLiteral("Progetto: ___________________________________\r\r"));

    const int types = doc.addTableAtEnd(3, 2);
    doc.setTableFontSize(types, 10);
    fillRow(doc, types, 1, {QStringLiteral("n."), QStringLiteral("tipo di gas")});
    fillRow(doc, types, 2, {QStringLiteral("1"), QStringLiteral("metano")});
    fillRow(doc, types, 3, {QStringLiteral("2"), QStringLiteral("GPL")});
    doc.autoFormat(types, 9);

    doc.addParagraphAtEnd();
    std::vector<const ColumnFacts*> columns{&rowNumber()};
    const auto rest = FormColumns(GasColumns());
    columns.insert(columns.end(), rest.begin(), rest.end());
    const int form = doc.addTableAtEnd(GasFormRows, static_cast<int>(columns.size()));
    doc.setTableFontSize(form, 7);
    fillHeads(doc, form, columns, true);
    doc.autoFormat(form, 9);
}
