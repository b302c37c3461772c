#include "DocxReadBack.h"
#include "NetworkRows.h"

#include "core/model/Verification.h"
#include "documents/DocxWriter.h"
#include "documents/PrinterPage.h"
#include "documents/TechnicalReport.h"
#include "documents/VerificationReport.h"
#include "documents/WordDocument.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString Heading = QStringLiteral("VERIFICA DELLA RETE");

// Three water segments in a row and a gas tree of three terminals (paths
// 1-2-3, 1-4 and 5), then `extraGasBranches` segments straight from the
// meter, each a path of its own.
ApplicationState project(bool asked, int extraGasBranches = 0) {
    ApplicationState s;
    InitApplicationState(s);
    s.program.OwnerName = QStringLiteral("Studio Bianchi");
    s.project.cover.progetto = QStringLiteral("Villetta");
    StoreWaterNetwork(s, std::vector<WaterSegment>(3));
    std::vector<GasSegment> gas = GasTree({0, 1, 2, 1, 0});
    gas.resize(gas.size() + static_cast<size_t>(extraGasBranches), {2, 2, 0.5, "metano", 0});
    StoreGasNetwork(s, gas);
    SetReportVerification(s, asked);
    return s;
}

std::vector<QStringList> printed(ApplicationState& s) {
    TextPageRecorder recorder;
    PrinterPage page(recorder);
    EXPECT_TRUE(PrintTechnicalReport(s, page));
    return recorder.pages();
}

WordDocument document(ApplicationState& s) {
    WordDocument doc;
    BuildTechnicalReport(doc, s, ReportNetworkTotals(s.project), QLocale(QLocale::Italian));
    return doc;
}

int pageOf(const std::vector<QStringList>& pages, const QString& text) {
    for (size_t p = 0; p < pages.size(); ++p) {
        for (const QString& line : pages[p])
            if (line.contains(text))
                return static_cast<int>(p) + 1;
    }
    return 0;
}

} // namespace

TEST(VerificationReport, PrintedAfterTheTablesOnNumberedPagesWhenAskedFor) {
    // Cover, water criteria and table, gas criteria and table: the
    // verification from page 6, when asked for; the document's five tables
    // of the networks, then a table of paths per network.
    for (const bool asked : {false, true}) {
        ApplicationState s = project(asked);
        EXPECT_EQ(pageOf(printed(s), Heading), asked ? 6 : 0);
        EXPECT_EQ(document(s).tableCount(), asked ? 7 : 5);
    }
    // Many paths flow onto numbered pages, the closing last counting them.
    ApplicationState s = project(true, 110);
    const auto pages = printed(s);
    const int count = static_cast<int>(pages.size());
    const int first = pageOf(pages, Heading);
    ASSERT_GT(first, 0);
    ASSERT_GT(count, first);
    QStringList section;
    for (int p = first; p <= count; ++p) {
        const QStringList& page = pages[static_cast<size_t>(p - 1)];
        EXPECT_EQ(page.back(), QString(68, u' ') + QStringLiteral("pagina %1").arg(p));
        EXPECT_LE(page.size(), 85 + 10) << p;
        section += page;
    }
    EXPECT_EQ(pageOf(pages, QStringLiteral("composta di n. %1 ").arg(count)), count);
    EXPECT_GT(pageOf(pages, QStringLiteral("          115   0,")), first);
    EXPECT_TRUE(section.contains(QStringLiteral("         RETE GAS")));
    EXPECT_TRUE(section.contains(QStringLiteral("         term.  perdita      limite      esito "
                                                "      percorso")));
    // A row per path: the terminal under "term.", its path last.
    EXPECT_TRUE(section.contains(QStringLiteral("            3   0,18 mbar    1,0 mbar    "
                                                "rispettato  1-2-3")));
    EXPECT_TRUE(section.contains(QStringLiteral("            5   0,06 mbar    1,0 mbar    "
                                                "rispettato  5")));
    // The verdict, broken at blanks where the line ends.
    EXPECT_TRUE(section.join(u' ').simplified().contains(VerdictText(s.project.gasVerification())));
}

TEST(VerificationReport, DocumentHasTheSectionOnANewPage) {
    ApplicationState s = project(true);
    const WordDocument doc = document(s);
    ASSERT_EQ(doc.tableCount(), 7);
    EXPECT_EQ(doc.table(6).rows, 2);
    const WordTableContent& gas = doc.table(7);
    EXPECT_EQ(gas.rows, 4);
    EXPECT_EQ(gas.cell(1, 2).text, QStringLiteral("percorso"));
    EXPECT_EQ(gas.cell(2, 2).text, QStringLiteral("1-\u200b2-\u200b3"));
    EXPECT_EQ(gas.cell(3, 3).text, QStringLiteral("0,12\u00a0mbar"));
    EXPECT_EQ(gas.cell(4, 1).alignment, WordAlignment::Right);
    EXPECT_EQ(gas.cell(4, 2).alignment, WordAlignment::Left);
    int headings = 0;
    for (const WordParagraph* p : doc.paragraphs())
        headings += p->text() == Heading && p->hasPageBreak();
    EXPECT_EQ(headings, 1);
    // The closing stays last, justified, and counts the new pages.
    EXPECT_EQ(doc.paragraphs().back()->text(), QStringLiteral("(Studio Bianchi)"));
    EXPECT_EQ(doc.paragraphs().back()->alignment, WordAlignment::Justify);
    QString error;
    const XmlNode xml = ParseXml(DocxDocumentXml(doc), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const auto result =
        xml.descendants(QStringLiteral("w:fldSimple")).at(0)->descendants(QStringLiteral("w:t"));
    EXPECT_EQ(result.at(0)->text, QString::number(doc.pageCount()));
}

// In the document's table of paths a value keeps its unit on its line, and
// a long path gives way: it breaks after its dashes, the values' columns
// stay as wide as their values.
TEST(VerificationReport, ValuesKeepTheirUnitsAndLongPathsWrap) {
    ApplicationState s = project(true);
    StoreWaterNetwork(s, std::vector<WaterSegment>(60, {.length = 10, .diameter = 50, .flow = 1}));
    const WordDocument doc = document(s);
    const WordTableContent& water = doc.table(6);
    ASSERT_EQ(water.rows, 2);
    const std::vector<int> widths = WordTableColumnWidths(water);
    for (const int c : {3, 4}) {
        const QString value = water.cell(2, c).text;
        EXPECT_FALSE(value.contains(u' ')) << value.toStdString();
        const double points = widths[static_cast<size_t>(c - 1)] / 20.0;
        EXPECT_GT(points, WordTextPoints(value, water.fontSize, false)) << value.toStdString();
    }
    const QString path = water.cell(2, 2).text;
    EXPECT_EQ(QString(path).remove(QChar(0x200b)).count(u'-'), 59);
    EXPECT_LT(widths[1] / 20.0, WordTextPoints(path, water.fontSize, false));
}

// With the pressure at the source both routes carry the table of residual
// pressures under the paths, and each failing path says why.
TEST(VerificationReport, ResidualPressuresOnBothRoutes) {
    ApplicationState s = project(true);
    // Three 100 m segments of 100 mm at 10 l/s, 2.00 m each, rising 3 m
    // each: at the end 300 − 9.81 · (9 + 6) = 152.85 kPa.
    for (int r = 1; r <= 3; ++r)
        s.project.water.setElevationValue(r, WaterColumn::disl, 3.0);
    WaterLimits limits;
    limits.sourceKPa = 300;
    limits.minimumKPa = 160;
    SetWaterLimits(s, limits);

    const WordDocument doc = document(s);
    ASSERT_EQ(doc.tableCount(), 8);
    const WordTableContent& pressures = doc.table(7);
    ASSERT_EQ(pressures.rows, 2);
    const QStringList expected = {QStringLiteral("3"),     QStringLiteral("9,00"),
                                  QStringLiteral("152,9"), QStringLiteral("160"),
                                  QStringLiteral("-7,2"),  QStringLiteral("insufficiente")};
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(pressures.cell(2, c).text, expected[c - 1]) << c;
    EXPECT_EQ(doc.table(6).cell(2, 3).text, QStringLiteral("15,00\u00a0m"));

    const std::vector<QStringList> pages = printed(s);
    const QString reason = QStringLiteral("Percorsi non verificati: terminale n. 3: pressione "
                                          "residua 152,9 kPa < 160 kPa.");
    const int page = pageOf(pages, QStringLiteral("insufficiente"));
    ASSERT_GT(page, 0);
    bool found = false;
    for (const QString& line : pages[static_cast<size_t>(page - 1)]) {
        // The values stand under their heads, right-aligned.
        if (line.contains(QStringLiteral("insufficiente"))) {
            found = true;
            EXPECT_TRUE(
                line.contains(QStringLiteral("3      9,00        152,9         160        -7,2")))
                << line.toStdString();
        }
    }
    EXPECT_TRUE(found);
    bool reasonFound = false;
    for (const QStringList& lines : pages)
        reasonFound = reasonFound || lines.join(u' ').simplified().contains(reason);
    EXPECT_TRUE(reasonFound);
}
