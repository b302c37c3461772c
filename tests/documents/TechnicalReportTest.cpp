#include "DocxReadBack.h"
#include "PlacingRecorder.h"
#include "ReportRows.h"

#include "core/session/ApplicationState.h"
#include "documents/DocxWriter.h"
#include "documents/PrinterPage.h"
#include "documents/ReportTexts.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

#include <QLocale>
#include <QRegularExpression>

#include <map>

#include <gtest/gtest.h>

namespace {

// Height of the printable area of an A4 sheet with 5 mm margins, in twips.
constexpr double SheetBottom = 16838 - 2 * 283.5;

class TechnicalReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        state = ApplicationState();
        InitApplicationState(state);
        state.program.OwnerName = QStringLiteral("Studio Bianchi");
        state.program.OwnerAddress = QStringLiteral("via Po 2, Torino");
        state.project.cover.progetto = QStringLiteral("Scuola media");
        state.project.cover.luogo = QStringLiteral("Torino");
        state.project.cover.data = QStringLiteral("1 mar 2027");
    }

    ReportTotals fill(int water, int gas) {
        StoreReportWater(state, water);
        StoreReportGas(state, gas);
        return ReportNetworkTotals(state.project);
    }

    const std::vector<QStringList>& print() {
        recorder = PlacingRecorder();
        PrinterPage page(recorder);
        EXPECT_TRUE(PrintTechnicalReport(state, page));
        EXPECT_TRUE(recorder.finished());
        return recorder.pages();
    }

    // Lines of a page that are table rows: a row number, then values.
    static int tableRows(const QStringList& page) {
        static const QRegularExpression row(QStringLiteral("^ +\\d+ +\\S"));
        return static_cast<int>(std::count_if(page.begin(), page.end(), [](const QString& line) {
            return line.size() > 60 && row.match(line).hasMatch();
        }));
    }

    ApplicationState state;
    PlacingRecorder recorder;
};

QString footer(int page) {
    return QString(68, QLatin1Char(' ')) + QStringLiteral("pagina ") + QString::number(page);
}

} // namespace

// Rows per page (the cover and the criteria pages have none), and the page
// that carries the closing.
TEST_F(TechnicalReportTest, PagesHoldTheirRowsAndNothingReachesTheFooter) {
    struct Case {
        int water;
        int gas;
        std::vector<int> rows;
        QString allegati = {};
    };
    // Attachments that take two lines of the closing.
    const QString many = QStringLiteral("planimetria generale, schemi verticali delle colonne, "
                                        "particolari costruttivi");
    const Case cases[] = {
        {3, 0, {0, 0, 3}},
        {44, 0, {0, 0, 44, 0}, many},
        {0, 3, {0, 0, 3}},
        {3, 3, {0, 0, 3, 0, 3}},
        {43, 0, {0, 0, 43}},    // the closing still fits under the rows, a line to spare
        {44, 0, {0, 0, 44, 0}}, // it does not: a page of its own
        {52, 0, {0, 0, 52, 0}}, // 52 rows under the legend, no break after them
        {53, 0, {0, 0, 52, 1}}, // row 53 opens the next page
        {137, 0, {0, 0, 52, 85, 0}},
        {138, 0, {0, 0, 52, 85, 1}},
        {0, 50, {0, 0, 50, 0}},
        {0, 51, {0, 0, 50, 1}},
        {20, 51, {0, 0, 20, 0, 50, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.water << " water rows, " << c.gas << " gas rows");
        SetUp();
        state.project.cover.allegati = c.allegati;
        fill(c.water, c.gas);
        const auto& pages = print();
        ASSERT_EQ(pages.size(), c.rows.size());
        const int count = static_cast<int>(pages.size());
        for (int p = 0; p < count; ++p) {
            SCOPED_TRACE(p + 1);
            const QStringList& lines = pages[static_cast<size_t>(p)];
            EXPECT_EQ(tableRows(lines), c.rows[static_cast<size_t>(p)]);
            if (p > 0) {
                EXPECT_EQ(lines.back(), footer(p + 1));
                EXPECT_EQ(lines.count(footer(p + 1)), 1);
            }
        }
        // Every text stands above its page's number, and on the sheet.
        std::map<int, double> numberAt;
        for (const PlacingRecorder::Placed& t : recorder.placed)
            if (t.text.startsWith(QStringLiteral("pagina ")))
                numberAt[t.page] = t.y;
        for (const PlacingRecorder::Placed& t : recorder.placed) {
            EXPECT_LE(t.bottom, SheetBottom) << t.text.toStdString();
            if (numberAt.count(t.page) && !t.text.startsWith(QStringLiteral("pagina "))) {
                EXPECT_LE(t.bottom, numberAt[t.page]) << t.text.toStdString();
            }
        }
        const QString closing = QStringLiteral("       La presente relazione è composta di n. %1  "
                                               "pagine.")
                                    .arg(count);
        EXPECT_TRUE(pages.back().contains(closing));
    }
}

TEST_F(TechnicalReportTest, CoverAndClosingCarryTheProjectAndTheOwner) {
    fill(2, 0);
    const auto& pages = print();
    const QStringList& cover = pages.front();
    EXPECT_EQ(cover[0], QStringLiteral("     PERDITE DI CARICO NELLE TUBAZIONI"));
    EXPECT_TRUE(cover.contains(QStringLiteral("         progetto..............: Scuola media")));
    EXPECT_TRUE(cover.contains(QStringLiteral("         progettista............: Studio Bianchi")));
    // The owner's name and address between the two rules, and no page number.
    ASSERT_EQ(recorder.rules.size(), 2u);
    for (const PlacingRecorder::Placed& t : recorder.placed) {
        if (t.page == 0 &&
            (t.text == state.program.OwnerName || t.text == state.program.OwnerAddress)) {
            EXPECT_GT(t.y, recorder.rules[0]);
            EXPECT_LT(t.bottom, recorder.rules[1]);
        }
        if (t.page == 0) {
            EXPECT_FALSE(t.text.startsWith(QStringLiteral("pagina")));
        }
    }
    EXPECT_EQ(pages[1][0], QStringLiteral("         CRITERI DI CALCOLO (tubi per acqua)"));

    // An empty list of attachments still prints its heading.
    const QStringList& last = pages.back();
    const auto closing = std::find_if(last.begin(), last.end(), [](const QString& line) {
        return line.contains(QStringLiteral("La presente relazione"));
    });
    ASSERT_NE(closing, last.end());
    EXPECT_EQ(QStringList(closing, last.end()),
              QStringList(
                  {QStringLiteral("       La presente relazione è composta di n. 3  pagine."),
                   QStringLiteral("       Si allegano:"), QString(),
                   QStringLiteral("       Torino: 1 mar 2027"),
                   QString(49, QLatin1Char(' ')) + QStringLiteral("il progettista"),
                   QString(49, QLatin1Char(' ')) + QStringLiteral("(Studio Bianchi)"), footer(3)}));
    EXPECT_TRUE(std::any_of(recorder.placed.begin(), recorder.placed.end(), [](const auto& t) {
        return t.text == QStringLiteral("Si allegano: ");
    }));
}

// Every printed line fits the measure, and the document's paragraphs are the
// same words, joined without the blanks that only justify a printed line,
// except the gas formula lines the document words as a sentence.
TEST_F(TechnicalReportTest, DocumentParagraphsAreThePrintedLinesJoined) {
    const auto words = [](const QStringList& texts) {
        return texts.join(QLatin1Char(' ')).simplified();
    };
    for (const auto* text : {&WaterCriteria(), &GasCriteria()}) {
        const QStringList lines = CriteriaLines(*text);
        for (const QString& line : lines)
            EXPECT_LE(line.size(), CriteriaMeasure) << line.toStdString();
    }
    EXPECT_EQ(words(CriteriaDocumentParagraphs(WaterCriteria())),
              words(CriteriaLines(WaterCriteria())));
    const QStringList water = CriteriaDocumentParagraphs(WaterCriteria());
    EXPECT_EQ(water[0], QStringLiteral("I calcoli delle perdite di carico nelle tubazioni sono "
                                       "effettuati utilizzando la formula del Darcy:"));
    EXPECT_EQ(water[3], QStringLiteral("B = coefficiente di scabrezza delle pareti dei tubi, con "
                                       "valore di 0.002 per tubazioni lisce,  0.0025 per "
                                       "tubazioni di  servizio corrente e 0.004 per tubazioni "
                                       "con pareti interne scabre;"));
    const QStringList gas = CriteriaDocumentParagraphs(GasCriteria());
    // The document words the formula and its first terms as a sentence.
    EXPECT_EQ(gas.mid(1, 4),
              QStringList({QStringLiteral("Pa-Pb = (la ro V^2 ) L / (200 Di) in cui"),
                           QStringLiteral("Pa = pressione relativa in un punto A (in mbar);"),
                           QStringLiteral("Pb = pressione relativa in un punto B (in mbar);"),
                           QStringLiteral("la = (lambda) coefficiente di attrito (lo + b/Di)")}));
    EXPECT_EQ(gas[gas.size() - 2], QStringLiteral("Le tubazioni sono state utilizzate secondo i "
                                                  "diametri commerciali, della serie UNI 7129/01, "
                                                  "UNI 8863 serie  leggera e UNI 9165."));
}

// The document read back from its XML: the tables of the networks that have
// rows, their data columns right-aligned, one page break per section, and
// the page count the closing shows.
TEST_F(TechnicalReportTest, DocumentHoldsTheTablesOfTheNetworksWithRows) {
    struct Case {
        int water;
        int gas;
        std::vector<std::pair<int, int>> tables; // rows, columns
        std::vector<bool> rightAligned;
    };
    const Case cases[] = {
        {3, 0, {{14, 2}, {6, 13}}, {false, true}},
        {0, 4, {{16, 2}, {7, 15}, {6, 8}}, {false, true, true}},
        {3, 4, {{14, 2}, {6, 13}, {16, 2}, {7, 15}, {6, 8}}, {false, true, false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.water << " water rows, " << c.gas << " gas rows");
        SetUp();
        const ReportTotals totals = fill(c.water, c.gas);
        WordDocument doc;
        BuildTechnicalReport(doc, state, totals, QLocale(QLocale::Italian));
        QString error;
        const XmlNode xml = ParseXml(DocxDocumentXml(doc), &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();

        const auto tables = xml.descendants(QStringLiteral("w:tbl"));
        ASSERT_EQ(tables.size(), c.tables.size());
        for (size_t t = 0; t < tables.size(); ++t) {
            SCOPED_TRACE(t + 1);
            const auto rows = tables[t]->all(QStringLiteral("w:tr"));
            EXPECT_EQ(static_cast<int>(rows.size()), c.tables[t].first);
            EXPECT_EQ(static_cast<int>(rows[0]->all(QStringLiteral("w:tc")).size()),
                      c.tables[t].second);
            for (const XmlNode* jc : rows.back()->descendants(QStringLiteral("w:jc")))
                EXPECT_EQ(jc->attr(QStringLiteral("w:val")),
                          c.rightAligned[t] ? QStringLiteral("right") : QStringLiteral("left"));
        }
        // The gas section after the cover's page break needs none of its own.
        int breaks = 0;
        for (const XmlNode* br : xml.descendants(QStringLiteral("w:br")))
            breaks += br->attr(QStringLiteral("w:type")) == QStringLiteral("page");
        EXPECT_EQ(breaks, (c.water > 0) + (c.gas > 0));

        const auto fields = xml.descendants(QStringLiteral("w:fldSimple"));
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(fields[0]->attr(QStringLiteral("w:instr")).trimmed(), QStringLiteral("NUMPAGES"));
        const auto result = fields[0]->descendants(QStringLiteral("w:t"));
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(result[0]->text, QString::number(doc.pageCount()));
        EXPECT_EQ(doc.paragraphs().back()->text(), QStringLiteral("(Studio Bianchi)"));
        EXPECT_EQ(doc.paragraphs().back()->alignment, WordAlignment::Justify);
    }
}
