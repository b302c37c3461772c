#include "documents/WaterPrintout.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace WaterColumn;

namespace {

class WaterPrintoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitApplicationState(state);
        state.view.WaterBandTop = 1;
        state.project.cover.progetto = QStringLiteral("Palazzina Verdi");
    }

    // A complete row: length, diameter, flow and a wall type from the list;
    // the fittings as given (column, text).
    void fill(int row, const char* length, const char* diameter, const char* flow, int wallType,
              std::initializer_list<std::pair<int, const char*>> fittings = {}) {
        state.project.water.StoreWaterCell(row, lungh, QString::fromUtf8(length));
        state.project.water.StoreWaterCell(row, diam, QString::fromUtf8(diameter));
        state.project.water.StoreWaterCell(row, port, QString::fromUtf8(flow));
        state.project.water.PickWallType(row, wallType);
        for (const auto& [column, text] : fittings)
            state.project.water.StoreWaterCell(row, column, QString::fromUtf8(text));
    }

    void fillRows(int n) {
        for (int r = 1; r <= n; ++r)
            fill(r, "100", "100", "10", 1, {{c90, "2"}});
    }

    std::vector<QStringList> print() {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        PrintWaterListing(state.project, page);
        EXPECT_TRUE(recorder.finished());
        return recorder.pages();
    }

    // Lines of a page that are table rows: a row number ending at column 12.
    static QStringList tableRows(const QStringList& page) {
        static const QRegularExpression row(QStringLiteral("^ {8,}\\d+ "));
        QStringList rows;
        for (const QString& line : page) {
            if (row.match(line).hasMatch() && line.size() > 12 && line.at(11).isDigit())
                rows.append(line);
        }
        return rows;
    }

    ApplicationState state;
};

QString footer(int page) {
    return QString(68, QLatin1Char(' ')) + QStringLiteral("pagina ") + QString::number(page);
}

} // namespace

TEST_F(WaterPrintoutTest, PagesHold52RowsThen85WithAFooterEach) {
    fillRows(51);
    auto pages = print();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(tableRows(pages[0]).size(), 51);
    EXPECT_EQ(pages[0].back(), footer(1));

    fillRows(52);
    pages = print();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(tableRows(pages[0]).size(), 52);
    EXPECT_EQ(pages[0].back(), footer(1));
    // The last row filled page 1: page 2 has only the heads and its footer.
    const QString indent(9, QLatin1Char(' '));
    EXPECT_EQ(pages[1],
              QStringList({indent + ListingHeadLine(WaterColumns(), 1),
                           indent + ListingUnitLine(WaterColumns(), 1), QString(), footer(2)}));

    fillRows(60);
    pages = print();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(tableRows(pages[0]).size(), 52);
    const QStringList second = tableRows(pages[1]);
    ASSERT_EQ(second.size(), 8);
    EXPECT_TRUE(second.front().startsWith(QStringLiteral("          53 ")));
    EXPECT_EQ(pages[0].back(), footer(1));
    EXPECT_EQ(pages[1].back(), footer(2));
    EXPECT_EQ(pages[1].front(), indent + ListingHeadLine(WaterColumns(), 1));

    fillRows(52 + 85 + 1);
    pages = print();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(tableRows(pages[1]).size(), 85);
    EXPECT_EQ(tableRows(pages[2]).size(), 1);
    EXPECT_EQ(pages[2].back(), footer(3));
}

TEST_F(WaterPrintoutTest, PrintingAgainGivesTheSamePages) {
    // The rows counted on a page start from zero on every printing, not from
    // what the last printing left.
    fillRows(60);
    const auto first = print();
    EXPECT_EQ(print(), first);
}

TEST_F(WaterPrintoutTest, ValuesAlignOnTheirDecimalSeparator) {
    fill(1, "12.5", "100", "10", 1, {{c90, "2"}});
    fill(2, "100", "80.25", "0.5", 2);
    fill(3, "7", "100", "10", 3, {{c45, "-100"}, {valv, "10"}});
    const QStringList rows = tableRows(print().front());
    ASSERT_EQ(rows.size(), 3);
    // Record lines: column n is index n - 1.
    const QString& r1 = rows[0];
    EXPECT_EQ(r1.mid(9, 3), QStringLiteral("  1"));
    EXPECT_EQ(r1.mid(19, 2), QStringLiteral("12"));
    EXPECT_EQ(r1.at(21), QLatin1Char('.'));
    EXPECT_EQ(r1.mid(27, 3), QStringLiteral("100")); // diameter ends at column 30
    EXPECT_EQ(r1.mid(42, 5), QStringLiteral("0.002"));
    EXPECT_EQ(r1.at(60), QLatin1Char('2')); // 90° bends end at column 61
    // The loss is printed as a number: its sign blank takes column 107.
    EXPECT_EQ(r1.mid(106, 5), QStringLiteral(" 0.37"));

    const QString& r2 = rows[1];
    EXPECT_EQ(r2.mid(18, 3), QStringLiteral("100"));
    EXPECT_EQ(r2.at(21), QLatin1Char(' '));
    EXPECT_EQ(r2.mid(28, 5), QStringLiteral("80.25"));
    EXPECT_EQ(r2.mid(36, 3), QStringLiteral("0.5"));
    EXPECT_EQ(r2.mid(42, 6), QStringLiteral("0.0025"));

    // A negative count is aligned as its absolute value: the minus stands
    // before the digits, which end just before the anchor.
    const QString& r3 = rows[2];
    EXPECT_EQ(r3.mid(50, 5), QStringLiteral("-100 "));
    EXPECT_EQ(r3.mid(98, 2), QStringLiteral("10"));
    // A negative loss is aligned as its absolute value, sign included: its
    // minus takes column 106 and the point falls on the anchor, 108.
    EXPECT_EQ(r3.mid(105, 5), QStringLiteral("-4.66"));
}

TEST_F(WaterPrintoutTest, EmptyCellsPrintNothing) {
    fill(1, "100", "0", "10", 1); // a zero diameter: the loss cannot be computed
    fill(2, "100", "100", "10", 1, {{c45, "1"}});
    state.project.water.StoreWaterCell(2, c45, QString()); // typed, then emptied
    const QStringList rows = tableRows(print().front());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].size(), 47); // ends with the roughness, column 47
    EXPECT_FALSE(rows[0].contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    EXPECT_EQ(rows[1].mid(106), QStringLiteral(" 2"));
    EXPECT_EQ(rows[1].mid(47, 59).trimmed(), QString());
}

TEST_F(WaterPrintoutTest, RowNumbersEndAtColumn12) {
    fillRows(123);
    const auto pages = print();
    ASSERT_EQ(pages.size(), 2u);
    const QStringList rows = tableRows(pages[1]);
    EXPECT_TRUE(rows.front().startsWith(QStringLiteral("          53 ")));
    EXPECT_TRUE(rows.back().startsWith(QStringLiteral("         123 ")));
}

TEST_F(WaterPrintoutTest, ThreeRowListingMatchesTheGoldenFile) {
    fill(1, "100", "100", "10", 1, {{c90, "2"}});
    fill(2, "12.5", "50", "2", 2, {{c45, "1"}, {tes, "3"}, {sarac, "1"}});
    fill(3, "7", "25.4", "0.35", 3, {{c91, "4"}, {croc, "1"}, {valv, "1"}});
    TextPageRecorder recorder;
    PrinterPage page(recorder);
    PrintWaterListing(state.project, page);

    QFile golden(QStringLiteral(TUBAREX_TEST_DATA "/acqua-stampa-3-tronchi.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(golden.readAll());
    EXPECT_EQ(recorder.text() + QLatin1Char('\n'), expected);
}

TEST_F(WaterPrintoutTest, DocumentTablesOfThreeRows) {
    fill(1, "100", "100", "10", 1, {{c90, "2"}});
    fill(2, "12.5", "50", "2", 2, {{c45, "1"}, {tes, "3"}});
    fill(3, "7", "0", "0.35", 3); // zero diameter: no loss
    WordDocument doc;
    BuildWaterDocument(doc, state, 9.876, QLocale(QLocale::Italian, QLocale::Italy));

    ASSERT_EQ(doc.tableCount(), 2);
    const WordTableContent& legend = doc.table(1);
    EXPECT_EQ(legend.rows, 14);
    EXPECT_EQ(legend.columns, 2);
    EXPECT_EQ(legend.fontSize, 10);
    EXPECT_EQ(legend.autoFormat, 9);
    EXPECT_EQ(legend.cell(1, 2).text, QStringLiteral("significato"));
    EXPECT_EQ(legend.cell(9, 2).text, QStringLiteral("curve a 90° ad ampio raggio"));
    EXPECT_EQ(legend.cell(14, 1).text, QStringLiteral("perd."));
    EXPECT_EQ(legend.cell(14, 1).alignment, WordAlignment::Left);

    const WordTableContent& data = doc.table(2);
    EXPECT_EQ(data.rows, 6);
    EXPECT_EQ(data.columns, 13);
    EXPECT_EQ(data.fontSize, 10);
    EXPECT_EQ(data.autoFormat, 9);
    EXPECT_EQ(data.cell(1, 8).text, QStringLiteral("c.90+"));
    EXPECT_EQ(data.cell(1, 13).text, QStringLiteral("perd."));
    EXPECT_EQ(data.cell(2, 4).text, QStringLiteral("l/s"));
    EXPECT_EQ(data.cell(2, 13).text, QStringLiteral("metri"));
    const QStringList row1 = {QStringLiteral(" 1"),
                              QStringLiteral("100,00"),
                              QStringLiteral("100,00"),
                              QStringLiteral("10,00"),
                              QStringLiteral("0,0020"),
                              QString(),
                              QStringLiteral("2"),
                              QString(),
                              QString(),
                              QString(),
                              QString(),
                              QString(),
                              QStringLiteral("2,12")};
    for (int c = 1; c <= 13; ++c)
        EXPECT_EQ(data.cell(3, c).text, row1.at(c - 1)) << c;
    EXPECT_EQ(data.cell(4, 2).text, QStringLiteral("12,50"));
    EXPECT_EQ(data.cell(4, 5).text, QStringLiteral("0,0025"));
    EXPECT_EQ(data.cell(4, 9).text, QStringLiteral("3"));
    EXPECT_EQ(data.cell(5, 4).text, QStringLiteral("0,35"));
    EXPECT_EQ(data.cell(5, 13).text, QString());
    EXPECT_EQ(data.cell(6, 11).text, QString());
    EXPECT_EQ(data.cell(6, 12).text, QStringLiteral("totale"));
    EXPECT_EQ(data.cell(6, 13).text, QStringLiteral("9,88"));
    for (int r = 1; r <= data.rows; ++r) {
        for (int c = 1; c <= data.columns; ++c)
            EXPECT_EQ(data.cell(r, c).alignment, WordAlignment::Right) << r << "," << c;
    }

    // The titles above the tables.
    QStringList texts;
    for (const WordParagraph* p : doc.paragraphs())
        texts.append(p->text());
    EXPECT_EQ(
        texts.mid(0, 7),
        QStringList({QStringLiteral("Tubarex"), QStringLiteral("perdite di carico nelle tubazioni"),
                     QString(), QStringLiteral("DATI E RISULTATI"), QString(),
                     QStringLiteral("Progetto: Palazzina Verdi"), QString()}));
    EXPECT_EQ(doc.paragraphs().front()->runs.front().fontSize, 18);
    EXPECT_EQ(doc.paragraphs().front()->runs.front().fontName, QStringLiteral("Century Gothic"));
    EXPECT_EQ(doc.paragraphs()[1]->runs.front().fontSize, 12);
    EXPECT_TRUE(doc.paperA4());
}

TEST_F(WaterPrintoutTest, DocumentNumbersFollowTheRegionalSeparator) {
    fill(1, "100", "100", "10", 1, {{c90, "2"}});
    WordDocument italian;
    AddWaterDataTable(italian, state.project, 2.12, QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(italian.table(1).cell(3, 13).text, QStringLiteral("2,12"));
    EXPECT_EQ(italian.table(1).cell(4, 13).text, QStringLiteral("2,12"));
    WordDocument english;
    AddWaterDataTable(english, state.project, 2.12,
                      QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(english.table(1).cell(3, 13).text, QStringLiteral("2.12"));
    EXPECT_EQ(english.table(1).cell(3, 2).text, QStringLiteral("100.00"));
    EXPECT_EQ(english.table(1).cell(3, 5).text, QStringLiteral("0.0020"));

    // Fittings as typed, a fractional count with the regional separator too.
    fill(2, "10", "50", "1", 1, {{c45, "1.5"}, {c90, "2"}});
    for (const auto& [locale, bends] :
         {std::pair{QLocale(QLocale::Italian, QLocale::Italy), "1,5"},
          std::pair{QLocale(QLocale::English, QLocale::UnitedKingdom), "1.5"}}) {
        WordDocument doc;
        AddWaterDataTable(doc, state.project, 0, locale);
        EXPECT_EQ(doc.table(1).cell(4, 6).text, QString::fromLatin1(bends));
        EXPECT_EQ(doc.table(1).cell(4, 7).text, QStringLiteral("2"));
    }
}

TEST_F(WaterPrintoutTest, BlankAcquisitionForm) {
    fillRows(3); // the table is not part of the form
    WordDocument doc;
    BuildWaterForm(doc, state);
    ASSERT_EQ(doc.tableCount(), 2);
    const WordTableContent& walls = doc.table(1);
    EXPECT_EQ(walls.rows, 4);
    EXPECT_EQ(walls.columns, 3);
    EXPECT_EQ(walls.autoFormat, 9);
    EXPECT_EQ(walls.cell(1, 2).text, QStringLiteral("tipo di tubo"));
    EXPECT_EQ(walls.cell(3, 2).text, QStringLiteral("corrente"));
    EXPECT_EQ(walls.cell(3, 3).text, QStringLiteral("0,0025"));

    const WordTableContent& form = doc.table(2);
    EXPECT_EQ(form.rows, 32);
    EXPECT_EQ(form.columns, 13);
    EXPECT_EQ(form.fontSize, 10);
    EXPECT_EQ(form.autoFormat, 9);
    EXPECT_EQ(form.cell(1, 1).text, QStringLiteral("tronco"));
    EXPECT_EQ(form.cell(1, 13).text, QStringLiteral("perdite"));
    EXPECT_EQ(form.cell(2, 5).text, QStringLiteral("coeff."));
    for (int r = 3; r <= 32; ++r) {
        for (int c = 1; c <= 13; ++c)
            EXPECT_TRUE(form.cell(r, c).text.isEmpty()) << r << "," << c;
    }
    QStringList texts;
    for (const WordParagraph* p : doc.paragraphs())
        texts.append(p->text());
    EXPECT_TRUE(texts.contains(QStringLiteral("ACQUISIZIONE DATI")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Progetto: _________________________________")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Progetto: Palazzina Verdi")));
}
