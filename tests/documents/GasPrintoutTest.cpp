#include "documents/GasPrintout.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace GasColumn;

namespace {

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

// 1-based column where `text` starts in `line`, 0 when it is not there.
int columnOf(const QString& line, const QString& text, int from = 1) {
    return static_cast<int>(line.indexOf(text, from - 1)) + 1;
}

class GasPrintoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitApplicationState(state);
        state.view.GasBandTop = 1;
    }

    void set(int row, int column, const char* text) {
        state.project.gas.TypeGasCell(row, column, QString::fromUtf8(text));
    }

    // A computed methane row on a 1'' pipe.
    void fillMethane(int row, const char* length) {
        set(row, lungh, length);
        state.project.gas.ApplyNominalDiameter(row, 4);
        set(row, portgas, "2");
        set(row, tipoc, "metano");
    }

    // Rows 1..n with a length only.
    void fillLengths(int n) {
        for (int r = 1; r <= n; ++r)
            state.project.gas.TypeGasCell(r, lungh, NumberToText(r));
    }

    QString rowLine(int row) {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        page.setFontSize(8);
        PrintGasRow(state.project, row, page);
        return recorder.pages().at(0).value(0);
    }

    QString fittingsLine(int row) {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        page.setFontSize(8);
        PrintGasFittingsRow(state.project, row, page);
        return recorder.pages().at(0).value(0);
    }

    const std::vector<QStringList>& listing() {
        page = std::make_unique<PrinterPage>(recorder);
        ok = PrintGasListing(state.project, *page);
        return recorder.pages();
    }

    ApplicationState state;
    TextPageRecorder recorder;
    std::unique_ptr<PrinterPage> page;
    bool ok = false;
};

const QString PageOneFooter = QStringLiteral("pagina 1");

// A header line as the record keeps it: at its column, trailing blanks gone.
QString recorded(const QString& line) {
    QString text = blanks(GasHeaderColumn - 1) + line;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString header(int k) {
    return recorded(k == 0 ? ListingHeadLine(GasColumns(), 1) : ListingUnitLine(GasColumns(), 1));
}

QString fittingsHeader(int k) {
    return recorded(k == 0 ? ListingHeadLine(GasColumns(), 2) : ListingUnitLine(GasColumns(), 2));
}

// Where the listing sets a column's values, and how it prints one.
int at(int column) {
    return FactsOf(GasColumns(), column).at;
}

QString printed(const Cell& cell, int column) {
    return PrintedValue(cell, FactsOf(GasColumns(), column));
}

} // namespace

TEST_F(GasPrintoutTest, ComputedRowPutsEverySeparatorOnItsColumn) {
    fillMethane(7, "12.5");
    const QString line = rowLine(7);
    // The row number ends on column 7, as a printed number leaves it.
    EXPECT_EQ(line.left(7), blanks(6) + QStringLiteral("7"));
    // Stored texts: the point of 12.5 and 27.9 on their column; a text
    // without separator ends just before it.
    EXPECT_EQ(columnOf(line, QStringLiteral("12.5")), at(lungh) - 2);
    EXPECT_EQ(columnOf(line, QStringLiteral("1''")), at(tipofi) - 3);
    EXPECT_EQ(columnOf(line, QStringLiteral("metano")), at(tipoc) - 6);
    EXPECT_EQ(columnOf(line, QStringLiteral("27.9")), at(diam) - 2);
    // Computed values in the listing's units, rounded half up.
    EXPECT_EQ(columnOf(line, QStringLiteral(" 0.15 ")), at(visc) - 2);
    const QString reynolds = printed(state.project.gas.at(7, rey), rey);
    EXPECT_EQ(reynolds, NumberToText(std::floor(state.project.gas.at(7, rey).value() + 0.5)));
    EXPECT_EQ(columnOf(line, reynolds), at(rey) - reynolds.size());
    EXPECT_EQ(printed(state.project.gas.at(7, attr), attr), QStringLiteral("0.06"));
    EXPECT_EQ(line.mid(at(attr) - 2, 4), QStringLiteral("0.06"));
    EXPECT_EQ(line.mid(at(vel) - 3, 5), QStringLiteral("90.89"));
    EXPECT_EQ(line.mid(at(mas) - 2, 4), QStringLiteral("0.72"));
    EXPECT_EQ(line.mid(at(pcs) - 6, 5), QStringLiteral("38160"));
    EXPECT_EQ(line.mid(at(pci) - 6, 5), QStringLiteral("34425"));
    EXPECT_EQ(line.mid(at(perd) - 2), printed(state.project.gas.at(7, perd), perd));
    EXPECT_EQ(line.mid(at(luvirt) - 3, 4), QStringLiteral("12.5"));
}

// The listing's units and roundings: viscosity in cm²/s, velocity in cm/s,
// halves up.
TEST_F(GasPrintoutTest, SmallViscosityAndVelocityPrintInCentimetres) {
    EXPECT_EQ(printed(Cell::number(1.51e-05), visc), QStringLiteral("0.15"));
    EXPECT_EQ(printed(Cell::number(1.23456), vel), QStringLiteral("123.46"));
    EXPECT_EQ(printed(Cell::number(0.125), perd), QStringLiteral("0.13"));
    EXPECT_EQ(printed(Cell::number(1680.5), rey), QStringLiteral("1681"));
    EXPECT_EQ(printed(Cell::text(QStringLiteral("0.72")), mas), QStringLiteral("0.72"));
}

TEST_F(GasPrintoutTest, ValuesThatCannotBeComputedLeaveTheirColumnsEmpty) {
    set(1, lungh, "10");
    EXPECT_TRUE(printed(state.project.gas.at(1, visc), visc).isEmpty());
    EXPECT_TRUE(printed(state.project.gas.at(1, perd), perd).isEmpty());
    EXPECT_EQ(rowLine(1), blanks(6) + QStringLiteral("1") + blanks(6) + QStringLiteral("10"));
    // A flow of 0 cannot be computed: the results are empty, the inputs stay.
    fillMethane(2, "5");
    set(2, portgas, "0");
    const QString line = rowLine(2);
    EXPECT_EQ(line.mid(at(portgas) - 2, 1), QStringLiteral("0"));
    EXPECT_TRUE(printed(state.project.gas.at(2, perd), perd).isEmpty());
    EXPECT_LT(line.size(), at(perd) - 1);
}

TEST_F(GasPrintoutTest, FittingCountsEndBeforeTheirColumns) {
    set(3, lungh, "1");
    set(3, cu45, "2");
    set(3, cu91, "12");
    set(3, rv, "1");
    const QString line = fittingsLine(3);
    EXPECT_EQ(line.left(7), blanks(6) + QStringLiteral("3"));
    EXPECT_EQ(line.mid(at(cu45) - 2, 1), QStringLiteral("2"));
    EXPECT_EQ(line.mid(at(cu91) - 3, 2), QStringLiteral("12"));
    EXPECT_EQ(line.size(), at(rv) - 1);
    EXPECT_EQ(line.simplified(), QStringLiteral("3 2 12 1"));
}

TEST_F(GasPrintoutTest, FirstPageCarriesTitleProjectLegendAndHeaders) {
    state.project.cover.progetto = QStringLiteral("palazzina via Roma");
    fillMethane(1, "10");
    const auto& pages = listing();
    ASSERT_TRUE(ok);
    EXPECT_TRUE(recorder.finished());
    const QStringList& p1 = pages.at(0);
    EXPECT_EQ(p1.at(0), blanks(6) + QString::fromLatin1(GasListingTitle));
    EXPECT_EQ(p1.at(2), blanks(9) + QStringLiteral("Progetto: palazzina via Roma"));
    EXPECT_EQ(p1.at(4), blanks(9) + QStringLiteral("DATI E RISULTATI"));
    EXPECT_EQ(p1.at(6), blanks(5) + QStringLiteral("Legenda:"));
    EXPECT_EQ(p1.at(8), blanks(5) + QStringLiteral("tronco    = numero del tronco"));
    EXPECT_EQ(p1.at(22), blanks(5) + QStringLiteral("perdita   = perdita di carico nel tronco"));
    EXPECT_EQ(p1.at(24), header(0));
    EXPECT_EQ(p1.at(25), header(1));
    EXPECT_EQ(p1.at(27), rowLine(1));
    // The fittings table follows three lines further down, on the same page.
    EXPECT_TRUE(p1.contains(fittingsHeader(0)));
    EXPECT_EQ(p1.indexOf(fittingsLine(1)), p1.indexOf(fittingsHeader(1)) + 2);
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_TRUE(p1.last().endsWith(PageOneFooter));
}

TEST_F(GasPrintoutTest, FiftyRowsFillPageOneAndRowFiftyOneGoesOnUnderNewHeaders) {
    fillLengths(50);
    {
        const auto& pages = listing();
        ASSERT_GE(pages.size(), 2u);
        const QStringList& p1 = pages.at(0);
        const qsizetype last = p1.indexOf(rowLine(50));
        ASSERT_GT(last, 0);
        EXPECT_TRUE(p1.at(last + 1).endsWith(PageOneFooter));
        EXPECT_EQ(p1.size(), last + 2);
        EXPECT_EQ(pages.at(1).at(0), header(0));
    }
    set(51, lungh, "51");
    recorder = TextPageRecorder();
    const auto& pages = listing();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(pages.at(0).contains(rowLine(50)));
    EXPECT_FALSE(pages.at(0).contains(rowLine(51)));
    const QStringList& p2 = pages.at(1);
    EXPECT_EQ(p2.at(0), header(0));
    EXPECT_EQ(p2.at(1), header(1));
    EXPECT_EQ(p2.at(2), QString());
    EXPECT_EQ(p2.at(3), rowLine(51));
    EXPECT_TRUE(p2.last().endsWith(QStringLiteral("pagina 2")));
}

TEST_F(GasPrintoutTest, LaterPagesHoldEightyFiveRows) {
    fillLengths(140);
    const auto& pages = listing();
    ASSERT_GE(pages.size(), 3u);
    const QStringList& p2 = pages.at(1);
    EXPECT_EQ(p2.at(3), rowLine(51));
    EXPECT_EQ(p2.at(3 + 84), rowLine(135));
    EXPECT_TRUE(p2.at(3 + 85).endsWith(QStringLiteral("pagina 2")));
    EXPECT_EQ(pages.at(2).at(3), rowLine(136));
}

// Values are printed as stored, minus sign included, with the separator
// (or the end of a whole number) on the column's place: a typed negative
// length, flow and diameter, and the virtual length and velocity computed
// from them.
TEST_F(GasPrintoutTest, NegativeValuesKeepTheirSign) {
    set(1, lungh, "-3.5");
    set(1, portgas, "-2");
    set(1, diam, "-27.9");
    set(1, tipoc, "metano");
    struct Case {
        const char* printed;
        int p;
    };
    const QString line = rowLine(1);
    for (const Case& c :
         {Case{"-3.5", at(lungh)}, Case{"-3.5", at(luvirt)}, Case{"-2", at(portgas)},
          Case{"-27.9", at(diam)}, Case{"-90.89", at(vel)}}) {
        const QString text = QString::fromLatin1(c.printed);
        QString counted = text;
        const int start = c.p - *CountIntegerDigits(counted);
        EXPECT_EQ(line.mid(start - 1, text.size()), text)
            << c.printed << " in " << line.toStdString();
        EXPECT_EQ(line.at(start - 2), QLatin1Char(' ')) << c.printed;
    }
}

// A footer that the page-break rule prints twice at its place (55 rows: the
// fittings table ends page 2 when its count meets the rows) appears once,
// at the foot of its page, in the text form as on paper.
TEST_F(GasPrintoutTest, APageNumberPrintedTwiceAppearsOnceAtTheFoot) {
    fillLengths(55);
    const auto& pages = listing();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages.at(1).filter(QStringLiteral("pagina 2")).size(), 1);
    EXPECT_TRUE(pages.at(1).last().endsWith(QStringLiteral("pagina 2")));
    EXPECT_EQ(pages.at(0).filter(QStringLiteral("pagina 1")).size(), 1);
}

TEST_F(GasPrintoutTest, FittingsTableBreaksWhenPageOneIsFull) {
    fillLengths(40);
    const auto& pages = listing();
    ASSERT_EQ(pages.size(), 2u);
    const QStringList& p1 = pages.at(0);
    // 40 data rows, three blank lines and the fittings heads count 46; four
    // fittings rows complete the 50 of page 1.
    EXPECT_TRUE(p1.contains(fittingsLine(4)));
    EXPECT_FALSE(p1.contains(fittingsLine(5)));
    EXPECT_TRUE(p1.last().endsWith(PageOneFooter));
    const QStringList& p2 = pages.at(1);
    EXPECT_EQ(p2.at(0), fittingsHeader(0));
    EXPECT_EQ(p2.at(1), fittingsHeader(1));
    EXPECT_EQ(p2.at(3), fittingsLine(5));
    EXPECT_EQ(p2.at(3 + 35), fittingsLine(40));
    EXPECT_TRUE(p2.last().endsWith(QStringLiteral("pagina 2")));
}

TEST_F(GasPrintoutTest, FittingsHeadsPastTheQuotaStillBreakThePage) {
    // 48 data rows and three blank lines pass the 50 of page 1 without
    // meeting it exactly: the page breaks all the same.
    fillLengths(48);
    const auto& pages = listing();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_FALSE(pages.at(0).contains(fittingsLine(1)));
    EXPECT_TRUE(pages.at(1).contains(fittingsLine(48)));
}

TEST(GasDocumentTest, DataTablesFollowTheLegendRightAligned) {
    ApplicationState state;
    InitApplicationState(state);
    GasNetwork& gas = state.project.gas;
    gas.TypeGasCell(1, lungh, QStringLiteral("12.5"));
    gas.ApplyNominalDiameter(1, 4);
    gas.TypeGasCell(1, portgas, QStringLiteral("2"));
    gas.TypeGasCell(1, tipoc, QStringLiteral("metano"));
    gas.TypeGasCell(2, lungh, QStringLiteral("3"));
    gas.TypeGasCell(2, cu90, QStringLiteral("4"));
    state.project.cover.progetto = QStringLiteral("scuola");

    for (const auto& [locale, comma] : {std::pair{QLocale(QLocale::Italian, QLocale::Italy), true},
                                        std::pair{QLocale(QLocale::English), false}}) {
        WordDocument doc;
        BuildGasDocument(doc, state, 2.12, locale);
        const auto number = [comma](const char* text) {
            QString t = QString::fromLatin1(text);
            return comma ? t.replace(u'.', u',') : t;
        };
        ASSERT_EQ(doc.tableCount(), 3);
        const WordTableContent& legend = doc.table(1);
        EXPECT_EQ(legend.rows, 16);
        EXPECT_EQ(legend.columns, 2);
        EXPECT_EQ(legend.cell(14, 2).text,
                  QStringLiteral("potere calorico superiore (per mc nel metano e per kg nel GPL"));
        const WordTableContent& data = doc.table(2);
        EXPECT_EQ(data.rows, 2 + 3);
        EXPECT_EQ(data.columns, 15);
        EXPECT_EQ(data.fontSize, 7);
        EXPECT_EQ(data.cell(1, 8).text, QStringLiteral("visc."));
        EXPECT_EQ(data.cell(2, 8).text, QStringLiteral("cmq/s"));
        EXPECT_EQ(data.cell(3, 1).text, QStringLiteral(" 1"));
        EXPECT_EQ(data.cell(3, 2).text, number("12.50"));
        EXPECT_EQ(data.cell(3, 8).text, number("0.15"));
        EXPECT_EQ(data.cell(3, 9).text, QStringLiteral("1681"));
        EXPECT_EQ(data.cell(3, 11).text, number("90.89"));
        EXPECT_EQ(data.cell(3, 15).text, number("0.07"));
        EXPECT_EQ(data.cell(4, 2).text, number("3.00"));
        EXPECT_TRUE(data.cell(4, 8).text.isEmpty());
        EXPECT_EQ(data.cell(5, 14).text, QStringLiteral("totale"));
        EXPECT_EQ(data.cell(5, 15).text, number("2.12"));
        const WordTableContent& fittings = doc.table(3);
        EXPECT_EQ(fittings.rows, 2 + 2);
        EXPECT_EQ(fittings.columns, 8);
        EXPECT_EQ(fittings.cell(1, 4).text, QStringLiteral("curva a 90° ampia"));
        EXPECT_EQ(fittings.cell(2, 8).text, QStringLiteral("n."));
        EXPECT_EQ(fittings.cell(4, 1).text, QStringLiteral(" 2"));
        EXPECT_EQ(fittings.cell(4, 3).text, QStringLiteral("4"));
        for (int t = 1; t <= 3; ++t)
            EXPECT_EQ(doc.table(t).autoFormat, 9);
        for (int t = 2; t <= 3; ++t)
            for (const WordCell& cell : doc.table(t).cells)
                EXPECT_EQ(cell.alignment, WordAlignment::Right);
        EXPECT_EQ(legend.cell(2, 1).alignment, WordAlignment::Left);
    }
}

// Every number the document shows takes the regional separator: the stored
// density, the typed internal diameter and fittings too.
TEST(GasDocumentTest, StoredNumbersTakeTheRegionalSeparator) {
    ApplicationState state;
    InitApplicationState(state);
    state.project.gas.TypeGasCell(1, lungh, QStringLiteral("10"));
    state.project.gas.ApplyNominalDiameter(1, 4);
    state.project.gas.TypeGasCell(1, portgas, QStringLiteral("2"));
    state.project.gas.TypeGasCell(1, tipoc, QStringLiteral("metano"));
    state.project.gas.TypeGasCell(1, cu90, QStringLiteral("1.5"));
    state.project.gas.TypeGasCell(1, rt, QStringLiteral("2"));
    struct Case {
        QLocale locale;
        const char* density;
        const char* diameter;
        const char* bends;
    };
    for (const Case& c : {Case{QLocale(QLocale::Italian, QLocale::Italy), "0,72", "27,9", "1,5"},
                          Case{QLocale(QLocale::English), "0.72", "27.9", "1.5"}}) {
        WordDocument doc;
        BuildGasDocument(doc, state, 0.0586, c.locale);
        EXPECT_EQ(doc.table(2).cell(3, 12).text, QString::fromLatin1(c.density));
        EXPECT_EQ(doc.table(2).cell(3, 7).text, QString::fromLatin1(c.diameter));
        EXPECT_EQ(doc.table(2).cell(3, 4).text, QStringLiteral("1''"));
        EXPECT_EQ(doc.table(2).cell(3, 6).text, QStringLiteral("metano"));
        EXPECT_EQ(doc.table(3).cell(3, 3).text, QString::fromLatin1(c.bends));
        EXPECT_EQ(doc.table(3).cell(3, 5).text, QStringLiteral("2"));
    }
}

TEST(GasDocumentTest, TitleLinesAndStandardSetup) {
    ApplicationState state;
    InitApplicationState(state);
    state.project.cover.progetto = QStringLiteral("scuola");
    WordDocument doc;
    BuildGasDocument(doc, state, 0, QLocale::c());
    EXPECT_TRUE(doc.paperA4());
    const auto paragraphs = doc.paragraphs();
    ASSERT_GE(paragraphs.size(), 6u);
    EXPECT_EQ(paragraphs[0]->text(), state.program.ProgramName);
    EXPECT_EQ(paragraphs[0]->runs.at(0).fontSize, 18);
    EXPECT_EQ(paragraphs[0]->runs.at(0).fontName, QStringLiteral("Century Gothic"));
    EXPECT_EQ(paragraphs[1]->text(), state.program.ProgramSubtitle);
    EXPECT_EQ(paragraphs[1]->runs.at(0).fontSize, 12);
    EXPECT_EQ(paragraphs[3]->text(), QStringLiteral("DATI E RISULTATI"));
    EXPECT_EQ(paragraphs[5]->text(), QStringLiteral("Progetto: scuola"));
    // Without rows the data table keeps its heads and the total.
    EXPECT_EQ(doc.table(2).rows, 3);
    EXPECT_EQ(doc.table(2).cell(3, 15).text, QStringLiteral("0.00"));
    EXPECT_EQ(doc.table(3).rows, 2);
}

TEST(GasDocumentTest, AcquisitionFormHasFortyEmptyRowsWhateverTheTable) {
    ApplicationState state;
    InitApplicationState(state);
    for (int r = 1; r <= 60; ++r)
        state.project.gas.TypeGasCell(r, lungh, QStringLiteral("1"));
    WordDocument doc;
    BuildGasForm(doc, state);
    ASSERT_EQ(doc.tableCount(), 2);
    const WordTableContent& types = doc.table(1);
    EXPECT_EQ(types.rows, 3);
    EXPECT_EQ(types.columns, 2);
    EXPECT_EQ(types.cell(3, 2).text, QStringLiteral("GPL"));
    const WordTableContent& form = doc.table(2);
    EXPECT_EQ(form.rows, 42);
    EXPECT_EQ(form.columns, 12);
    EXPECT_EQ(form.fontSize, 7);
    EXPECT_EQ(form.autoFormat, 9);
    EXPECT_EQ(form.cell(1, 8).text, QStringLiteral("curve a 90° ampie"));
    EXPECT_EQ(form.cell(2, 4).text, QStringLiteral("l/s"));
    EXPECT_EQ(form.cell(2, 12).text, QStringLiteral("n."));
    for (int r = 3; r <= 42; ++r)
        for (int c = 1; c <= 12; ++c)
            EXPECT_TRUE(form.cell(r, c).text.isEmpty()) << r << "," << c;
    const auto paragraphs = doc.paragraphs();
    EXPECT_EQ(paragraphs.at(3)->text(), QStringLiteral("ACQUISIZIONE DATI"));
    EXPECT_EQ(paragraphs.at(5)->text(),
              QStringLiteral("Progetto: ___________________________________"));
}
