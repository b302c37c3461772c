#include "DocxReadBack.h"
#include "NetworkRows.h"

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
// 1-2-3, 1-4 and 5), the report asking for the verification.
ApplicationState project(int extraGasBranches = 0) {
    ApplicationState s;
    InitApplicationState(s);
    s.OwnerName = QStringLiteral("Studio Bianchi");
    s.cover.progetto = QStringLiteral("Villetta");
    StoreWaterNetwork(s, std::vector<WaterSegment>(3));
    std::vector<GasSegment> gas(5);
    gas[3].upstream = 1;
    gas[4].upstream = 0;
    // Further segments straight from the meter, each a path of its own.
    for (int i = 0; i < extraGasBranches; ++i)
        gas.push_back({2, 2, 0.5, "metano", 0});
    StoreGasNetwork(s, gas);
    SetReportVerification(s, true);
    return s;
}

std::vector<QStringList> printed(ApplicationState& s) {
    TextPageRecorder recorder;
    PrinterPage page(recorder);
    RecalculateReportNetworks(s);
    EXPECT_TRUE(PrintTechnicalReport(s, page));
    return recorder.pages();
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

TEST(VerificationReport, PrintedAfterTheTablesAndBeforeTheClosing) {
    ApplicationState s = project();
    const auto pages = printed(s);
    // Cover, water criteria and table, gas criteria and table, verification.
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(pageOf(pages, Heading), 6);
    EXPECT_EQ(pageOf(pages, QStringLiteral("La presente relazione è composta di n. 6")), 6);
    const QStringList& section = pages[5];
    EXPECT_TRUE(section.contains(QStringLiteral("         RETE GAS")));
    EXPECT_TRUE(section.contains(QStringLiteral("         term.  perdita      limite      esito "
                                                "      percorso")));
    // A row per path: the terminal under "term.", its path last.
    EXPECT_TRUE(section.contains(QStringLiteral("            3   0,18 mbar    1,0 mbar    "
                                                "rispettato  1-2-3")));
    EXPECT_TRUE(section.contains(QStringLiteral("            5   0,06 mbar    1,0 mbar    "
                                                "rispettato  5")));
    // The verdict, broken at blanks where the line ends.
    EXPECT_TRUE(section.join(u' ').simplified().contains(QStringLiteral(
        "La rete gas rispetta il limite di 1,0 mbar: percorso critico 1-2-3, 0,18 mbar.")));
    EXPECT_EQ(section.back(), QString(68, u' ') + QStringLiteral("pagina 6"));
}

TEST(VerificationReport, ManyPathsFlowOntoNumberedPages) {
    ApplicationState s = project(110);
    const auto pages = printed(s);
    const int first = pageOf(pages, Heading);
    ASSERT_GT(first, 0);
    ASSERT_GT(static_cast<int>(pages.size()), first);
    for (int p = first; p <= static_cast<int>(pages.size()); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(pages[static_cast<size_t>(p - 1)].back(),
                  QString(68, u' ') + QStringLiteral("pagina %1").arg(p));
        EXPECT_LE(pages[static_cast<size_t>(p - 1)].size(), 85 + 10);
    }
    EXPECT_EQ(pageOf(pages, QStringLiteral("composta di n. %1 ").arg(pages.size())),
              static_cast<int>(pages.size()));
    EXPECT_GT(pageOf(pages, QStringLiteral("          115   0,")), first);
}

TEST(VerificationReport, LeftOutUnlessAskedFor) {
    ApplicationState s = project();
    SetReportVerification(s, false);
    EXPECT_EQ(pageOf(printed(s), Heading), 0);
    WordDocument doc;
    BuildTechnicalReport(doc, s, RecalculateReportNetworks(s), QLocale(QLocale::Italian));
    EXPECT_EQ(doc.tableCount(), 5);
}

TEST(VerificationReport, DocumentHasTheSectionOnANewPage) {
    ApplicationState s = project();
    WordDocument doc;
    BuildTechnicalReport(doc, s, RecalculateReportNetworks(s), QLocale(QLocale::Italian));
    // After the five tables of the networks, a table of paths per network.
    ASSERT_EQ(doc.tableCount(), 7);
    const WordTableContent& water = doc.table(6);
    const WordTableContent& gas = doc.table(7);
    EXPECT_EQ(water.rows, 2);
    EXPECT_EQ(gas.rows, 4);
    EXPECT_EQ(gas.cell(1, 2).text, QStringLiteral("percorso"));
    EXPECT_EQ(gas.cell(2, 2).text, QStringLiteral("1-2-3"));
    EXPECT_EQ(gas.cell(3, 3).text, QStringLiteral("0,12 mbar"));
    EXPECT_EQ(gas.cell(4, 1).alignment, WordAlignment::Right);
    EXPECT_EQ(gas.cell(4, 2).alignment, WordAlignment::Left);

    bool sawHeading = false;
    for (const WordParagraph* p : doc.paragraphs()) {
        if (p->text() == Heading) {
            sawHeading = true;
            EXPECT_TRUE(p->hasPageBreak());
        }
    }
    EXPECT_TRUE(sawHeading);
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
