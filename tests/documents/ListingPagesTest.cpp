#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "documents/GasPrintout.h"
#include "documents/PrinterPage.h"
#include "documents/WaterPrintout.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Where the page number stands; nothing else may reach below it.
constexpr double FooterY = 15000;

// A record that also keeps where every text was drawn.
class PlacedTexts : public TextPageRecorder {
public:
    struct Placed {
        int page;
        double y;
        double points;
        QString text;
    };
    void drawText(double x, double y, int column, const QString& font, double points,
                  const QString& text) override {
        placed.push_back({page, y, points, text});
        TextPageRecorder::drawText(x, y, column, font, points, text);
    }
    void newPage() override {
        ++page;
        TextPageRecorder::newPage();
    }
    std::vector<Placed> placed;
    int page = 1;
};

struct Listing {
    const char* network;
    int rows; // exactly the first page's quota
    std::function<void(ApplicationState&, int)> fill;
    std::function<void(ApplicationState&, PrinterPage&)> print;
};

const Listing Listings[] = {
    {"acqua", WaterRowsFirstPage,
     [](ApplicationState& s, int rows) {
         for (int r = 1; r <= rows; ++r)
             s.project.water.StoreWaterCell(r, WaterColumn::lungh, NumberToText(r));
     },
     [](ApplicationState& s, PrinterPage& page) { PrintWaterListing(s.project, page); }},
    {"gas", GasRowsFirstPage,
     [](ApplicationState& s, int rows) {
         for (int r = 1; r <= rows; ++r)
             s.project.gas.TypeGasCell(r, GasColumn::lungh, NumberToText(r));
     },
     [](ApplicationState& s, PrinterPage& page) { PrintGasListing(s.project, page); }},
};

// A project name of `words` words, wrapped by the listing onto as many lines
// as it needs.
QString projectName(int words) {
    QStringList name;
    for (int i = 0; i < words; ++i)
        name.append(QStringLiteral("impianto%1").arg(i));
    return name.join(QLatin1Char(' '));
}

} // namespace

// Whatever the length of the project name, no printed line reaches into the
// page number at the foot of its page, and every row is printed once.
TEST(ListingPages, NothingReachesTheFooterWhateverTheProjectName) {
    for (const Listing& listing : Listings) {
        for (const int words : {0, 5, 15, 30, 400}) {
            ApplicationState state;
            InitApplicationState(state);
            state.project.cover.progetto = projectName(words);
            listing.fill(state, listing.rows);
            PlacedTexts record;
            PrinterPage page(record);
            listing.print(state, page);
            const std::string where =
                std::string(listing.network) + ", " + std::to_string(words) + " parole";
            int footers = 0;
            for (const PlacedTexts::Placed& p : record.placed) {
                if (p.text.startsWith(QStringLiteral("pagina "))) {
                    EXPECT_DOUBLE_EQ(p.y, FooterY) << where;
                    EXPECT_EQ(p.text, QStringLiteral("pagina ") + QString::number(p.page)) << where;
                    ++footers;
                    continue;
                }
                EXPECT_LE(p.y + p.points * 20 * ListingLinePitch, FooterY)
                    << where << ": \"" << p.text.toStdString() << "\" a pagina " << p.page;
            }
            EXPECT_GE(footers, record.page) << where;
            // Every row once, in order, on the data table.
            QStringList numbers;
            for (const QStringList& lines : record.pages()) {
                for (const QString& line : lines) {
                    const QString start = line.left(12).trimmed();
                    if (!start.isEmpty() && start.at(0).isDigit() && line.size() > 12 &&
                        !line.contains(QStringLiteral("pagina")))
                        numbers.append(start.section(QLatin1Char(' '), 0, 0));
                }
            }
            EXPECT_GE(numbers.size(), listing.rows) << where;
            for (int r = 1; r <= listing.rows; ++r)
                EXPECT_EQ(numbers.value(r - 1), QString::number(r)) << where;
        }
    }
}
