// The technical report's layout on both routes, over projects that strain
// it: tables that end at a page foot, long and empty cover fields, values
// wider than their columns, no owner.
#include "DocxReadBack.h"
#include "PlacingRecorder.h"

#include "core/file/ProjectFile.h"
#include "core/session/ApplicationState.h"
#include "documents/DocxWriter.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

#include <QLocale>
#include <QRegularExpression>

#include <map>

#include <gtest/gtest.h>

namespace {

// A project of the layout checks. scripts/check-report-pages writes the
// same data files (keep the two in step) and lays their documents out with
// LibreOffice: `pages` is the page count it finds, with a fresh profile
// every time.
struct LayoutCase {
    const char* name;
    int water = 0;
    int gas = 0;
    int pages = 0;
    int fieldLength = 0;  // every cover field this long; 0 for a usual cover
    bool extreme = false; // values far wider than their columns
    bool noOwner = false; // no owner, no place and no date
};

const LayoutCase Cases[] = {
    {"acqua-2", 2, 0, 3},
    {"acqua-44", 44, 0, 4},
    {"gas-84", 0, 84, 5},
    {"gas-85", 0, 85, 5},
    {"gas-86", 0, 86, 5},
    {"acqua-134", 134, 0, 5},
    {"acqua-gas-500", 500, 500, 26},
    {"campi-60", 3, 0, 3, 60},
    {"campi-150", 3, 3, 5, 150},
    {"campi-400", 3, 3, 5, 400},
    {"estremi", 3, 3, 5, 0, true},
    {"senza-titolare", 3, 0, 3, 0, false, true},
};

const char* const WaterRow = R"("100","100","10","liscio","0.002",,"2",,,,,)";
const char* const WaterExtreme = R"("1500.25","1500.25","1500.25","liscio","0.002","1500",)"
                                 R"("1500","1500","1500","1500","1500","1500")";
const char* const WaterHugeLoss = R"("1500.25","10.5","1500.25","scabro","0.004",,,,,,,)";
const char* const GasRow = R"(,,,,,,,"6.5","1 1/4''","4.8","metano","36.6",1.51E-05)";
const char* const GasExtreme = R"("1500","1500","1500","1500","1500","1500","1500","1500.25",)"
                               R"("ND","1500.25","GPL","1500.25",1.2E-05)";
const char* const GasHugeLoss = R"(,,,,,,,"1500.25","ND","1500.25","metano","10.5",1.51E-05)";

QByteArray projectFile(const LayoutCase& c) {
    QStringList lines{QString::number(c.water)};
    for (int r = 0; r < c.water; ++r)
        lines << QString::fromLatin1(c.extreme && r == 0   ? WaterExtreme
                                     : c.extreme && r == 1 ? WaterHugeLoss
                                                           : WaterRow);
    lines << QString::number(c.gas);
    for (int r = 0; r < c.gas; ++r)
        lines << QString::fromLatin1(c.extreme && r == 0   ? GasExtreme
                                     : c.extreme && r == 1 ? GasHugeLoss
                                                           : GasRow);
    QStringList fields = {QStringLiteral("Scuola media"), {}, {}, {}, QStringLiteral("Torino"),
                          QStringLiteral("1 mar 2027"),   {}};
    if (c.noOwner)
        fields[4] = fields[5] = QString();
    if (c.fieldLength > 0) {
        const QString phrase = QStringLiteral("impianto di distribuzione acqua e gas metano per "
                                              "edificio residenziale ");
        const QString text = phrase.repeated(c.fieldLength / phrase.size() + 1);
        fields = QStringList(7, text.left(c.fieldLength));
    }
    lines << QLatin1Char('"') + fields.join(QStringLiteral("\",\"")) + QLatin1Char('"');
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

class ReportLayoutTest : public ::testing::Test {
protected:
    ReportTotals load(const LayoutCase& c) {
        state = ApplicationState();
        InitApplicationState(state);
        if (!c.noOwner) {
            state.program.OwnerName = QStringLiteral("Studio Bianchi");
            state.program.OwnerAddress = QStringLiteral("via Po 2, Torino");
        }
        EXPECT_TRUE(LoadProjectBytes(state, projectFile(c), QString::fromLatin1(c.name)));
        return ReportNetworkTotals(state.project);
    }

    ApplicationState state;
};

// The text of the closing block: never empty brackets nor a lone colon.
void expectNoEmptyFields(const QStringList& texts) {
    for (const QString& text : texts) {
        EXPECT_FALSE(text.contains(QStringLiteral("()"))) << text.toStdString();
        EXPECT_NE(text.trimmed(), QStringLiteral(":"));
    }
}

} // namespace

TEST_F(ReportLayoutTest, DocumentCountsThePagesTheWordProcessorLaysOut) {
    for (const LayoutCase& c : Cases) {
        SCOPED_TRACE(c.name);
        const ReportTotals totals = load(c);
        WordDocument doc;
        BuildTechnicalReport(doc, state, totals, QLocale::c());
        EXPECT_EQ(doc.pageCount(), c.pages);
        // The cover is one page: the criteria and their legend follow it.
        EXPECT_EQ(doc.tableRowPages(1).front(), 2);

        // Every table's head rows (names, and units over the data) repeat on
        // each page, and they and the paragraph before the table stay with
        // the first rows under them.
        const XmlNode xml = ParseXml(DocxDocumentXml(doc));
        const XmlNode* body =
            xml.child(QStringLiteral("w:document"))->child(QStringLiteral("w:body"));
        const auto keeps = [](const XmlNode* p) {
            const XmlNode* pPr = p->child(QStringLiteral("w:pPr"));
            return pPr && pPr->child(QStringLiteral("w:keepNext"));
        };
        int table = 0;
        for (size_t i = 1; i < body->children.size(); ++i) {
            if (body->children[i].name != QStringLiteral("w:tbl"))
                continue;
            SCOPED_TRACE(++table);
            EXPECT_TRUE(keeps(&body->children[i - 1]));
            const auto rows = body->children[i].all(QStringLiteral("w:tr"));
            const size_t heads = doc.table(table).columns > 2 ? 2 : 1;
            const size_t lead = std::min(heads + WordRowsUnderHeads, rows.size());
            for (size_t r = 0; r < lead; ++r) {
                EXPECT_EQ(rows[r]->descendants(QStringLiteral("w:tblHeader")).empty(), r >= heads);
                for (const XmlNode* p : rows[r]->descendants(QStringLiteral("w:p")))
                    EXPECT_EQ(keeps(p), r + 1 < lead);
            }
            const std::vector<int> pages = doc.tableRowPages(table);
            EXPECT_EQ(pages[lead - 1], pages.front());
        }

        QStringList texts;
        for (const WordParagraph* p : doc.paragraphs())
            texts << p->text();
        expectNoEmptyFields(texts);
        EXPECT_EQ(texts.back(), c.noOwner ? QStringLiteral("il progettista")
                                          : QStringLiteral("(Studio Bianchi)"));
    }
}

TEST_F(ReportLayoutTest, PrintedWordsStayInsideTheMarginsApartAndAboveThePageNumber) {
    // 10 mm from every edge of an A4 sheet, in twips of a printable area
    // that begins 5 mm from the edges; and one 12-point line of the page.
    constexpr double Left = 567 - 283.5;
    constexpr double Right = 11906 - 567 - 283.5;
    constexpr double Bottom = 16838 - 567 - 283.5;
    constexpr double Line = 12 * 20 * ListingLinePitch;
    const QRegularExpression runTogether(QStringLiteral("\\d[.,]\\d+[.,]\\d"));
    for (const LayoutCase& c : Cases) {
        SCOPED_TRACE(c.name);
        load(c);
        PlacingRecorder record;
        PrinterPage page(record);
        ASSERT_TRUE(PrintTechnicalReport(state, page));

        std::map<int, double> numberAt;
        for (const PlacingRecorder::Placed& t : record.placed)
            if (t.text.startsWith(QStringLiteral("pagina ")))
                numberAt[t.page] = t.y;
        for (const PlacingRecorder::Placed& t : record.placed) {
            SCOPED_TRACE(t.text.toStdString());
            EXPECT_GE(t.left, Left);
            EXPECT_LE(t.right, Right);
            EXPECT_LE(t.bottom, Bottom);
            if (numberAt.count(t.page) && !t.text.startsWith(QStringLiteral("pagina "))) {
                EXPECT_LE(t.bottom + Line, numberAt[t.page]);
            }
        }

        // The cover: its text above the first rule, the owner between the
        // rules, all on the first page.
        ASSERT_EQ(record.rules.size(), 2u);
        EXPECT_EQ(record.rulePages, std::vector<int>({0, 0}));
        EXPECT_LE(record.rules[1], Bottom);
        for (const PlacingRecorder::Placed& t : record.placed) {
            if (t.page != 0)
                continue;
            const bool owner =
                !c.noOwner && (state.program.OwnerName.startsWith(t.text.trimmed()) ||
                               state.program.OwnerAddress.startsWith(t.text.trimmed()));
            if (owner) {
                EXPECT_GT(t.y, record.rules[0]) << t.text.toStdString();
                EXPECT_LE(t.bottom, record.rules[1]) << t.text.toStdString();
            } else {
                EXPECT_LE(t.bottom, record.rules[0]) << t.text.toStdString();
            }
        }

        QStringList lines;
        for (const QStringList& printed : record.pages())
            lines << printed;
        for (const QString& line : lines)
            EXPECT_FALSE(line.contains(runTogether)) << line.toStdString();
        expectNoEmptyFields(lines);
    }
}
