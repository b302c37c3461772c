// The gas printouts: the listing of data and results on the printer page
// model, the same table as a word-processor document, and the blank
// data-acquisition form.
#include "documents/GasPrintout.h"

#include "core/ApplicationState.h"
#include "core/GasTable.h"
#include "core/NumberText.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <cmath>

const std::array<QString, 2> GasHeaderLines = {
    QStringLiteral("tronco  lungh.  l.virt.   fi      port.   gas    diam.  visc.   rey   attr.  "
                   " vel.   massa    pcs     pci   perdita"),
    QStringLiteral("  n.      m.      m.    pollici   mc/h    tipo    mm    cmq/s    n.   coeff.  "
                   "cm/s   kg/mc    kj      kj     mbar "),
};

const std::array<QString, 2> GasFittingsHeaderLines = {
    QStringLiteral("tronco  curva 45°  curva 90°  curva 90°+    T    croce  saracinesche  valvole"),
    QStringLiteral("  n.      n.         n.         n.          n.     n.        n.          n."),
};

const std::array<QString, 15> GasLegendLines = {
    QStringLiteral("tronco    = numero del tronco"),
    QStringLiteral("lungh.    = lunghezza del tronco"),
    QStringLiteral("l.virt.   = lunghezza virtuale del tronco"),
    QStringLiteral("fi        = diametro nominale"),
    QStringLiteral("port.     = portata del tubo"),
    QStringLiteral("gas       = tipo di gas"),
    QStringLiteral("diam.     = diametro interno del tubo"),
    QStringLiteral("visc.     = viscosità cinematica"),
    QStringLiteral("rey       = numero di Reynolds"),
    QStringLiteral("attr.     = coefficiente d'attrito"),
    QStringLiteral("vel.      = velocità del gas"),
    QStringLiteral("massa     = massa volumica del gas"),
    QStringLiteral("pcs       = potere calorico superiore (per mc nel metano e per kg nel GPL)"),
    QStringLiteral("pci       = potere calorico inferiore (per mc nel metano e per kg nel GPL)"),
    QStringLiteral("perdita   = perdita di carico nel tronco"),
};

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

// Int(value × scale + 0.5) / divisor as the listing prints it; empty for an
// empty cell.
QString rounded(const ApplicationState& state, int row, int column, double scale, double divisor) {
    const Cell& cell = state.gas.at(row, column);
    if (cell.isEmpty())
        return {};
    return NumberToText(std::floor(cell.value() * scale + 0.5) / divisor);
}

QString stored(const ApplicationState& state, int row, int column) {
    return state.gas.at(row, column).displayText();
}

// A stored number as a document shows it, with the regional separator.
QString storedNumber(const ApplicationState& state, int row, int column, const QLocale& locale) {
    return WithDecimalSeparator(stored(state, row, column), locale);
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

// The row number with its sign blank, ending just before column 8.
void printRowNumber(PrinterPage& page, int row) {
    page.tab(GasPrintColumn::number - static_cast<int>(SignedNumberText(row).size()));
    page.printNumber(row, true);
}

void printHeader(PrinterPage& page, const std::array<QString, 2>& lines) {
    for (const QString& line : lines) {
        page.tab(GasHeaderColumn);
        page.print(line);
    }
}

void printFooter(PrinterPage& page) {
    page.setPosition(FooterX, FooterY);
    page.setFontSize(BodySize);
    page.print(QStringLiteral("pagina ") + NumberToText(page.page()));
}

// A full page: its footer, then a new page that opens with the header lines
// of the table being printed (none before the first table).
void turnGasPage(ApplicationState& state, PrinterPage& page,
                 const std::array<QString, 2>* headerLines) {
    state.PageRowCount = 0;
    printFooter(page);
    page.newPage();
    page.setY(NextPageTop);
    if (headerLines) {
        page.setFontSize(TableSize);
        printHeader(page, *headerLines);
        page.emptyLine();
    }
}

void tableBreak(ApplicationState& state, PrinterPage& page,
                const std::array<QString, 2>& headerLines) {
    const int rows = state.gasRows();
    // A page is full at its quota; "at least" rather than "exactly", since
    // the blank lines before the fittings table count three at a time.
    const bool firstFull = page.page() == 1 && state.PageRowCount >= GasRowsFirstPage;
    const bool otherFull =
        page.page() >= 2 && rows > state.PageRowCount && state.PageRowCount >= GasRowsOtherPages;
    if (firstFull || otherFull)
        turnGasPage(state, page, &headerLines);
    if (rows == state.PageRowCount) {
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

QString fixed(const ApplicationState& state, int row, int column, double scale, int decimals,
              const QLocale& locale) {
    const Cell& cell = state.gas.at(row, column);
    if (cell.isEmpty())
        return {};
    return FormatFixed(cell.value() * scale, decimals, locale);
}

void fillRow(WordDocument& doc, int table, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        doc.setCellText(table, row, c + 1, texts.at(c));
}

void typeTitle(WordDocument& doc, const ApplicationState& state) {
    doc.setFontName(DocumentFont);
    doc.setFontSize(TitleSize);
    doc.TypeText(state.ProgramName + QLatin1Char('\r'));
    doc.setFontSize(BodySize);
    doc.TypeText(state.ProgramSubtitle + QStringLiteral("\r\r"));
}

constexpr int FittingColumns[] = {GasColumn::cu45, GasColumn::cu90, GasColumn::cu91, GasColumn::rt,
                                  GasColumn::rx,   GasColumn::rs,   GasColumn::rv};

} // namespace

QString PrintedViscosity(const ApplicationState& state, int row) {
    return rounded(state, row, GasColumn::visc, 1000000, 100);
}

QString PrintedReynolds(const ApplicationState& state, int row) {
    return rounded(state, row, GasColumn::rey, 1, 1);
}

QString PrintedFriction(const ApplicationState& state, int row) {
    return rounded(state, row, GasColumn::attr, 100, 100);
}

QString PrintedVelocity(const ApplicationState& state, int row) {
    return rounded(state, row, GasColumn::vel, 10000, 100);
}

QString PrintedLoss(const ApplicationState& state, int row) {
    return rounded(state, row, GasColumn::perd, 100, 100);
}

void PrintGasRow(const ApplicationState& state, int row, PrinterPage& page) {
    namespace P = GasPrintColumn;
    printRowNumber(page, row);
    printAligned(page, stored(state, row, GasColumn::lungh), P::lungh);
    printAligned(page, stored(state, row, GasColumn::luvirt), P::luvirt);
    printAligned(page, stored(state, row, GasColumn::tipofi), P::tipofi);
    printAligned(page, stored(state, row, GasColumn::portgas), P::portgas);
    printAligned(page, stored(state, row, GasColumn::tipoc), P::tipoc);
    printAligned(page, stored(state, row, GasColumn::diam), P::diam);
    printAligned(page, PrintedViscosity(state, row), P::visc);
    printAligned(page, PrintedReynolds(state, row), P::rey);
    printAligned(page, PrintedFriction(state, row), P::attr);
    printAligned(page, PrintedVelocity(state, row), P::vel);
    printAligned(page, stored(state, row, GasColumn::mas), P::mas);
    printAligned(page, stored(state, row, GasColumn::pcs), P::pcs);
    printAligned(page, stored(state, row, GasColumn::pci), P::pci);
    printAligned(page, PrintedLoss(state, row), P::perd);
    page.emptyLine();
}

void PrintGasFittingsRow(const ApplicationState& state, int row, PrinterPage& page) {
    printRowNumber(page, row);
    for (size_t k = 0; k < GasFittingPrintEnds.size(); ++k) {
        const QString count = stored(state, row, FittingColumns[k]);
        if (count.isEmpty())
            continue;
        page.printApart(GasFittingPrintEnds[k] - static_cast<int>(count.size()), count);
    }
    page.emptyLine();
}

void PrintGasTableHeads(PrinterPage& page, double points) {
    page.setFontSize(points);
    printHeader(page, GasHeaderLines);
    page.emptyLine();
}

void GasPageBreak(ApplicationState& state, PrinterPage& page) {
    tableBreak(state, page, GasHeaderLines);
}

void FittingsPageBreak(ApplicationState& state, PrinterPage& page) {
    tableBreak(state, page, GasFittingsHeaderLines);
}

bool PrintGasListing(ApplicationState& state, PrinterPage& page) {
    const int rows = state.gasRows();
    // The row quotas fit a page under a one- or two-line project name; a
    // longer name turns the page before a line would reach the footer.
    const std::array<QString, 2>* tableHeads = nullptr;
    page.setPageEnd(FooterY, [&] { turnGasPage(state, page, tableHeads); });
    state.PageRowCount = 0;
    page.setY(FirstPageTop);
    page.setFontName(ListingFont);
    page.setFontSize(TitleSize);
    page.tab(7);
    page.print(QString::fromLatin1(GasListingTitle));

    page.setFontSize(BodySize);
    page.emptyLine();
    page.tab(10);
    // A long project name goes on under itself rather than off the page.
    page.printWrapped(QStringLiteral("Progetto: ") + state.cover.progetto, 20);
    page.emptyLine();
    page.tab(10);
    page.print(QStringLiteral("DATI E RISULTATI"));
    page.emptyLine();
    page.tab(GasLegendColumn);
    page.print(QStringLiteral("Legenda:"));
    page.emptyLine();
    for (const QString& line : GasLegendLines) {
        page.tab(GasLegendColumn);
        page.print(line);
    }
    page.emptyLine();

    PrintGasTableHeads(page);
    tableHeads = &GasHeaderLines;
    for (int r = 1; r <= rows; ++r) {
        PrintGasRow(state, r, page);
        ++state.PageRowCount;
        GasPageBreak(state, page);
    }

    for (int k = 0; k < 3; ++k)
        page.emptyLine();
    state.PageRowCount += 3;
    FittingsPageBreak(state, page);
    page.setFontSize(TableSize);
    tableHeads = nullptr;
    printHeader(page, GasFittingsHeaderLines);
    page.emptyLine();
    tableHeads = &GasFittingsHeaderLines;
    state.PageRowCount += 3;
    FittingsPageBreak(state, page);
    for (int r = 1; r <= rows; ++r) {
        PrintGasFittingsRow(state, r, page);
        ++state.PageRowCount;
        FittingsPageBreak(state, page);
    }

    state.PageRowCount = static_cast<qint16>(rows);
    FittingsPageBreak(state, page);
    page.setPageEnd(0, {});
    return page.endDocument();
}

void AddGasLegendTable(WordDocument& doc) {
    static const char* const Rows[][2] = {
        {"colonna", "significato"},
        {"tronco", "numero del tronco"},
        {"lungh.", "lunghezza del tronco"},
        {"l.virt.", "lunghezza virtuale del tronco"},
        {"fi", "diametro nominale"},
        {"port.", "portata del tubo"},
        {"gas", "tipo di gas"},
        {"diam.", "diametro interno del tubo"},
        {"visc.", "viscosità cinematica"},
        {"rey", "numero di Reynolds"},
        {"attr.", "coefficiente d'attrito"},
        {"vel.", "velocità del gas"},
        {"massa", "massa volumica del gas"},
        {"pcs", "potere calorico superiore (per mc nel metano e per kg nel GPL"},
        {"pci", "potere calorico inferiore (per mc nel metano e per kg nel GPL"},
        {"perdita", "perdita di carico nel tronco"},
    };
    const int table = doc.addTableAtEnd(16, 2);
    doc.setTableFontSize(table, 10);
    for (int r = 0; r < 16; ++r)
        fillRow(doc, table, r + 1, {QString::fromUtf8(Rows[r][0]), QString::fromUtf8(Rows[r][1])});
    doc.autoFormat(table, 9);
    doc.setHeadRows(table, 1);
}

void AddGasDataTable(WordDocument& doc, const ApplicationState& state, double total,
                     const QLocale& locale) {
    const int rows = state.gasRows();
    const int table = doc.addTableAtEnd(rows + 3, 15);
    doc.setTableFontSize(table, 7);
    fillRow(doc, table, 1,
            {QStringLiteral("tronco"), QStringLiteral("lungh."), QStringLiteral("l.virt."),
             QStringLiteral("fi"), QStringLiteral("port."), QStringLiteral("gas"),
             QStringLiteral("diam."), QStringLiteral("visc."), QStringLiteral("rey"),
             QStringLiteral("attr."), QStringLiteral("vel."), QStringLiteral("massa"),
             QStringLiteral("pcs"), QStringLiteral("pci"), QStringLiteral("perdita")});
    fillRow(doc, table, 2,
            {QStringLiteral("n."), QStringLiteral("m."), QStringLiteral("m."),
             QStringLiteral("pollici"), QStringLiteral("mc/h"), QStringLiteral("tipo"),
             QStringLiteral("mm"), QStringLiteral("cmq/s"), QStringLiteral("n."),
             QStringLiteral("coeff."), QStringLiteral("cm/s"), QStringLiteral("kg/mc"),
             QStringLiteral("kj"), QStringLiteral("kj"), QStringLiteral("mbar")});
    for (int r = 1; r <= rows; ++r) {
        // Viscosity in m²/s shown in cm²/s, velocity in m/s shown in cm/s.
        fillRow(
            doc, table, r + 2,
            {SignedNumberText(r), fixed(state, r, GasColumn::lungh, 1, 2, locale),
             fixed(state, r, GasColumn::luvirt, 1, 2, locale), stored(state, r, GasColumn::tipofi),
             fixed(state, r, GasColumn::portgas, 1, 2, locale), stored(state, r, GasColumn::tipoc),
             storedNumber(state, r, GasColumn::diam, locale),
             fixed(state, r, GasColumn::visc, 10000, 2, locale),
             fixed(state, r, GasColumn::rey, 1, 0, locale),
             fixed(state, r, GasColumn::attr, 1, 2, locale),
             fixed(state, r, GasColumn::vel, 100, 2, locale),
             storedNumber(state, r, GasColumn::mas, locale),
             fixed(state, r, GasColumn::pcs, 1, 0, locale),
             fixed(state, r, GasColumn::pci, 1, 0, locale),
             fixed(state, r, GasColumn::perd, 1, 2, locale)});
    }
    doc.setCellText(table, rows + 3, 14, QStringLiteral("totale"));
    doc.setCellText(table, rows + 3, 15, FormatFixed(total, 2, locale));
    doc.autoFormat(table, 9);
    // Names and units head every page the table runs on.
    doc.setHeadRows(table, 2);
}

void AddGasFittingsTable(WordDocument& doc, const ApplicationState& state, const QLocale& locale) {
    const int rows = state.gasRows();
    const int table = doc.addTableAtEnd(rows + 2, 8);
    doc.setTableFontSize(table, 8);
    fillRow(doc, table, 1,
            {QStringLiteral("tronco"), QStringLiteral("curva a 45°"), QStringLiteral("curva a 90°"),
             QStringLiteral("curva a 90° ampia"), QStringLiteral("T"), QStringLiteral("croce"),
             QStringLiteral("saracinesca"), QStringLiteral("valvola")});
    for (int c = 1; c <= 8; ++c)
        doc.setCellText(table, 2, c, QStringLiteral("n."));
    for (int r = 1; r <= rows; ++r) {
        doc.setCellText(table, r + 2, 1, SignedNumberText(r));
        for (size_t k = 0; k < std::size(FittingColumns); ++k)
            doc.setCellText(table, r + 2, static_cast<int>(k) + 2,
                            storedNumber(state, r, FittingColumns[k], locale));
    }
    doc.autoFormat(table, 9);
    doc.setHeadRows(table, 2);
}

void BuildGasDocument(WordDocument& doc, const ApplicationState& state, double total,
                      const QLocale& locale) {
    doc.StandardSetup();
    doc.setProperties(state.ProgramName + QStringLiteral(": rete gas, dati e risultati"),
                      state.OwnerName);
    typeTitle(doc, state);
    doc.TypeText(QStringLiteral("DATI E RISULTATI\r\r"));
    doc.TypeText(QStringLiteral("Progetto: ") + state.cover.progetto + QStringLiteral("\r\r"));
    AddGasLegendTable(doc);
    // A blank paragraph between the tables keeps them apart: tables that
    // touch are joined into one by the word processor.
    doc.addParagraphAtEnd();
    AddGasDataTable(doc, state, total, locale);
    doc.addParagraphAtEnd();
    AddGasFittingsTable(doc, state, locale);
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
    doc.setProperties(state.ProgramName +
                          QStringLiteral(": rete gas, modello di acquisizione dati"),
                      state.OwnerName);
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
    const int form = doc.addTableAtEnd(GasFormRows, 12);
    doc.setTableFontSize(form, 7);
    fillRow(doc, form, 1,
            {QStringLiteral("tronco"), QStringLiteral("lunghezza"), QStringLiteral("diametro"),
             QStringLiteral("portata"), QStringLiteral("gas"), QStringLiteral("curve a 45°"),
             QStringLiteral("curve a 90°"), QStringLiteral("curve a 90° ampie"),
             QStringLiteral("T"), QStringLiteral("croce"), QStringLiteral("saracinesche"),
             QStringLiteral("valvole")});
    fillRow(doc, form, 2,
            {QStringLiteral("n."), QStringLiteral("metri"), QStringLiteral("mm"),
             QStringLiteral("l/s"), QStringLiteral("tipo")});
    for (int c = 6; c <= 12; ++c)
        doc.setCellText(form, 2, c, QStringLiteral("n."));
    doc.autoFormat(form, 9);
}
