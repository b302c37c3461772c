#include "documents/WaterPrintout.h"

#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "core/RowGuide.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <QLocale>

namespace {

const QString PageFont = QStringLiteral("Courier New");
const QString DocumentFont = QStringLiteral("Century Gothic");

// Word's predefined table format used by every table of the documents.
constexpr int TableFormat = 9;
constexpr double TablePoints = 10;

// Names and units of the data table and of the form, columns 1..13.
const std::array<const char*, 13> DataNames = {"tronco", "lungh.", "diam.", "port.", "scabr.",
                                               "c.45",   "c.90",   "c.90+", "T",     "croce",
                                               "sarac.", "valv.",  "perd."};
const std::array<const char*, 13> DataUnits = {"n.", "m.", "mm", "l/s", "coeff.", "n.",   "n.",
                                               "n.", "n.", "n.", "n.",  "n.",     "metri"};

void fillHeads(WordDocument& document, int table, const QString& lastName) {
    for (int c = 1; c <= 13; ++c) {
        const auto at = static_cast<size_t>(c - 1);
        document.setCellText(table, 1, c, c == 13 ? lastName : QString::fromUtf8(DataNames[at]));
        document.setCellText(table, 2, c, QString::fromUtf8(DataUnits[at]));
    }
}

// Font, paper and the three title paragraphs shared by both documents.
void startDocument(WordDocument& document, const ApplicationState& state, const QString& title,
                   const QString& project) {
    document.StandardSetup();
    document.setFontName(DocumentFont);
    document.setFontSize(18);
    document.TypeText(state.ProgramName + QLatin1Char('\r'));
    document.setFontSize(12);
    document.TypeText(state.ProgramSubtitle + QStringLiteral("\r\r"));
    document.TypeText(title + QStringLiteral("\r\r"));
    document.TypeText(QStringLiteral("Progetto: ") + project + QStringLiteral("\r\r"));
}

// A full page: its footer, then a new page that opens with the heads of the
// table when the table has begun.
void turnWaterPage(ApplicationState& state, PrinterPage& page, bool heads) {
    PrintWaterPageFooter(page);
    state.PageRowCount = 0;
    page.newPage();
    page.setY(WaterNextPageY);
    if (heads)
        PrintWaterTableHeads(page);
}

// The page-break rule of the listing, run after every row and once after the
// last: a full page gets its footer and a new page opens with the heads.
void breakWaterPage(ApplicationState& state, PrinterPage& page) {
    const int rows = state.waterRows();
    const bool firstFull = page.page() == 1 && state.PageRowCount == WaterRowsFirstPage;
    const bool laterFull =
        page.page() > 1 && state.PageRowCount == WaterRowsPerPage && rows > WaterRowsPerPage;
    if (firstFull || laterFull)
        turnWaterPage(state, page, true);
}

} // namespace

const QStringList& WaterLegendLines() {
    static const QStringList lines = {
        QStringLiteral("tronco    = numero del tronco"),
        QStringLiteral("lungh.    = lunghezza del tronco"),
        QStringLiteral("diam.     = diametro interno del tubo"),
        QStringLiteral("port.     = portata del tubo"),
        QStringLiteral("scabr.    = coefficiente di scabrezza"),
        QStringLiteral("c.45      = curve a 45°"),
        QStringLiteral("c.90      = curve a 90°"),
        QStringLiteral("c.90+     = curve a 90° ad ampio raggio"),
        QStringLiteral("T         = raccordi a T"),
        QStringLiteral("croce     = raccordi a croce"),
        QStringLiteral("sarac.    = saracinesche"),
        QStringLiteral("valv.     = valvole di ritegno"),
        QStringLiteral("perdite   = perdite di carico totali nel tronco"),
    };
    return lines;
}

QString WaterHeadLine() {
    return QStringLiteral("tronco  lungh.   diam.   port.   scabr.   c.45   c.90   c.90+    T    "
                          "croce   sarac.   valv.   perdite");
}

QString WaterUnitLine() {
    return QStringLiteral("  n.      m.      mm      l/s    coeff.    n.     n.     n.      n.   "
                          "  n.      n.       n.     metri");
}

void PrintWaterRow(ApplicationState& state, PrinterPage& page, int row) {
    const QString number = RowNumberText(row);
    page.tab(WaterRowNumberAnchor - static_cast<int>(number.size()));
    page.print(number, true);
    for (int c = WaterColumn::lungh; c <= WaterColumn::perd; ++c) {
        if (c == WaterColumn::tipoc)
            continue;
        const Cell& cell = state.water.at(row, c);
        // An empty cell leaves IntegerDigits as the previous value set it,
        // and prints nothing at that column. A value too wide for its column
        // moves the rest of the row right rather than touch its neighbour.
        state.NumberText = cell.displayText();
        CountIntegerDigits(state);
        const int column =
            WaterPrintAnchors.at(static_cast<size_t>(c)) - state.IntegerDigits.value_or(0);
        if (c == WaterColumn::perd && cell.isNumber())
            page.printApart(column, PrinterNumberText(cell.numberValue()));
        else
            page.printApart(column, cell.displayText());
    }
    page.emptyLine();
}

void PrintWaterTableHeads(PrinterPage& page, double points) {
    page.setFontSize(points);
    page.tab(WaterListingIndent);
    page.print(WaterHeadLine());
    page.tab(WaterListingIndent);
    page.print(WaterUnitLine());
    page.emptyLine();
}

void PrintWaterPageFooter(PrinterPage& page) {
    page.setPosition(WaterFooterX, WaterFooterY);
    page.setFontSize(WaterBodyPoints);
    page.print(QStringLiteral("pagina ") + NumberToText(page.page()));
}

void PrintWaterListing(ApplicationState& state, PrinterPage& page) {
    // The row quotas fit a page under a one- or two-line project name; a
    // longer name (or one that fills pages) turns the page before a line
    // would reach the footer.
    bool tableBegun = false;
    page.setPageEnd(WaterFooterY, [&] { turnWaterPage(state, page, tableBegun); });
    state.PageRowCount = 0;
    page.setY(WaterFirstLineY);
    page.setFontName(PageFont);
    page.setFontSize(WaterTitlePoints);
    page.tab(7);
    page.print(QStringLiteral("TUBAREX: perdite di carico nelle tubazioni"));
    page.setFontSize(WaterBodyPoints);
    page.emptyLine();

    page.tab(WaterListingIndent);
    // A long project name goes on under itself rather than off the page.
    page.printWrapped(QStringLiteral("Progetto: ") + state.cover.progetto, 20);
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

    const int rows = state.waterRows();
    for (int r = 1; r <= rows; ++r) {
        PrintWaterRow(state, page, r);
        ++state.PageRowCount;
        breakWaterPage(state, page);
    }
    // The last call adds the footer of the last page.
    state.PageRowCount = static_cast<qint16>(rows);
    breakWaterPage(state, page);
    if (rows == state.PageRowCount)
        PrintWaterPageFooter(page);
    page.setPageEnd(0, {});
    page.endDocument();
}

int AddWaterLegendTable(WordDocument& document) {
    static const std::array<std::array<const char*, 2>, 14> legend = {{
        {"colonna", "significato"},
        {"tronco", "numero del tronco"},
        {"lungh.", "lunghezza del tronco"},
        {"diam.", "diametro interno del tubo"},
        {"port.", "portata del tubo"},
        {"scabr.", "coefficiente di scabrezza"},
        {"c.45", "curve a 45°"},
        {"c.90", "curve a 90°"},
        {"c.90+", "curve a 90° ad ampio raggio"},
        {"T", "raccordi a T"},
        {"croce", "raccordi a croce"},
        {"sarac.", "saracinesche"},
        {"valv.", "valvole di ritegno"},
        {"perd.", "perdita di carico totale nel tronco"},
    }};
    const int table = document.addTableAtEnd(14, 2);
    document.setTableFontSize(table, TablePoints);
    for (int r = 1; r <= 14; ++r) {
        for (int c = 1; c <= 2; ++c)
            document.setCellText(
                table, r, c,
                QString::fromUtf8(
                    legend.at(static_cast<size_t>(r - 1)).at(static_cast<size_t>(c - 1))));
    }
    document.autoFormat(table, TableFormat);
    document.setHeadRows(table, 1);
    return table;
}

int AddWaterDataTable(WordDocument& document, const ApplicationState& state, double total,
                      const QLocale& locale) {
    const int rows = state.waterRows();
    const int table = document.addTableAtEnd(rows + 3, 13);
    document.setTableFontSize(table, TablePoints);
    fillHeads(document, table, QStringLiteral("perd."));
    const WaterTable& t = state.water;
    for (int r = 1; r <= rows; ++r) {
        const int line = r + 2;
        document.setCellText(table, line, 1, RowNumberText(r));
        for (const int c : {WaterColumn::lungh, WaterColumn::diam, WaterColumn::port})
            document.setCellText(table, line, c + 1, FormatFixed(t.at(r, c).value(), 2, locale));
        document.setCellText(table, line, 5,
                             FormatFixed(t.at(r, WaterColumn::sca).value(), 4, locale));
        for (int c = WaterColumn::c45; c <= WaterColumn::valv; ++c)
            document.setCellText(table, line, c,
                                 WithDecimalSeparator(t.at(r, c).displayText(), locale));
        // A loss that could not be computed is an empty cell, as its box shows.
        const Cell& loss = t.at(r, WaterColumn::perd);
        document.setCellText(table, line, 13,
                             loss.isEmpty() ? QString() : FormatFixed(loss.value(), 2, locale));
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
    startDocument(document, state, QStringLiteral("DATI E RISULTATI"), state.cover.progetto);
    document.setProperties(state.ProgramName + QStringLiteral(": rete idrica, dati e risultati"),
                           state.OwnerName);
    AddWaterLegendTable(document);
    document.addParagraphAtEnd();
    AddWaterDataTable(document, state, total, locale);
    // The data table is the document's second.
    RightAlignTableColumns(document, 2, 13);
}

void BuildWaterForm(WordDocument& document, const ApplicationState& state) {
    startDocument(document, state, QStringLiteral("ACQUISIZIONE DATI"),
                  QStringLiteral("_________________________________"));
    document.setProperties(state.ProgramName +
                               QStringLiteral(": rete idrica, modello di acquisizione dati"),
                           state.OwnerName);
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
    const int segments = document.addTableAtEnd(32, 13);
    document.setTableFontSize(segments, TablePoints);
    fillHeads(document, segments, QStringLiteral("perdite"));
    document.autoFormat(segments, TableFormat);
}
