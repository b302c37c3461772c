#include "DocxReadBack.h"
#include "NetworkRows.h"

#include "documents/FlowsReport.h"
#include "documents/PrinterPage.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString Heading = QStringLiteral("PORTATE DI PROGETTO");

// `segments` water segments in a row, each with a shower, by the sum; the
// verification asked for too, so that both later sections are printed.
ApplicationState project(int segments) {
    ApplicationState s;
    InitApplicationState(s);
    s.project.cover.progetto = QStringLiteral("Villetta");
    StoreWaterNetwork(s, std::vector<WaterSegment>(static_cast<size_t>(segments), {10, 26, 1}));
    for (int r = 1; r <= segments; ++r)
        s.project.water.SetWaterOutlets(r, {{QStringLiteral("doccia"), 1}});
    SetWaterFlows(s, {WaterFlowMethod::Sum, {}, {}, {{QStringLiteral("doccia"), 0.2, 2, {}}}});
    SetReportFlows(s, true);
    SetReportVerification(s, true);
    return s;
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

TEST(FlowsReport, PrintedBeforeTheVerificationOnNumberedPages) {
    ApplicationState s = project(150);
    TextPageRecorder recorder;
    PrinterPage page(recorder);
    ASSERT_TRUE(PrintTechnicalReport(s, page));
    const std::vector<QStringList>& pages = recorder.pages();
    const int first = pageOf(pages, Heading);
    const int verification = pageOf(pages, QStringLiteral("VERIFICA DELLA RETE"));
    ASSERT_GT(first, 0);
    // 150 rows take more than a page, each ending with its number.
    ASSERT_GT(verification, first + 1);
    for (int p = first; p < verification; ++p)
        EXPECT_EQ(pages[static_cast<size_t>(p - 1)].back(),
                  QString(68, u' ') + QStringLiteral("pagina %1").arg(p));
    // The head segment serves every shower: 150 × 0.2 l/s.
    EXPECT_GT(pageOf(pages, QStringLiteral("    1   Σq 30,00 l/s  30,000 l/s   1 × doccia")), 0)
        << pages[static_cast<size_t>(first - 1)].join(u'\n').toStdString();
    EXPECT_EQ(pageOf(pages, QStringLiteral("composta di n. %1 ").arg(pages.size())),
              static_cast<int>(pages.size()));
}

TEST(FlowsReport, DocumentHasItsTableBeforeTheVerification) {
    ApplicationState s = project(3);
    WordDocument doc;
    BuildTechnicalReport(doc, s, ReportNetworkTotals(s.project), QLocale(QLocale::Italian));
    // The water network's two tables, the flows, the verification's paths.
    ASSERT_EQ(doc.tableCount(), 4);
    const WordTableContent& flows = doc.table(3);
    EXPECT_EQ(flows.rows, 4);
    EXPECT_EQ(flows.cell(1, 2).text, QStringLiteral("utenze del tronco"));
    EXPECT_EQ(flows.cell(2, 3).text, QStringLiteral("Σq\u00a00,60\u00a0l/s"));
    EXPECT_EQ(flows.cell(4, 4).text, QStringLiteral("0,200\u00a0l/s"));
    EXPECT_EQ(flows.cell(4, 4).alignment, WordAlignment::Right);
    EXPECT_EQ(flows.cell(4, 2).alignment, WordAlignment::Left);
    int flowsHeading = -1, verificationHeading = -1, i = 0;
    for (const WordParagraph* p : doc.paragraphs()) {
        if (p->text() == Heading && p->hasPageBreak())
            flowsHeading = i;
        if (p->text() == QStringLiteral("VERIFICA DELLA RETE"))
            verificationHeading = i;
        ++i;
    }
    EXPECT_GE(flowsHeading, 0);
    EXPECT_GT(verificationHeading, flowsHeading);

    // Without the option the report is the classic one.
    SetReportFlows(s, false);
    SetReportVerification(s, false);
    WordDocument classic;
    BuildTechnicalReport(classic, s, ReportNetworkTotals(s.project), QLocale(QLocale::Italian));
    EXPECT_EQ(classic.tableCount(), 2);
}
