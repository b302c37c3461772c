#include "core/editing/BlockPaste.h"
#include "core/editing/TableEditing.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

// A water table with rows 1..n complete (length 100 + r, diameter 50, flow
// 2, smooth pipe).
struct WaterFixture {
    ApplicationState state;
    std::unique_ptr<TableEditing> editing = WaterEditing(state);

    explicit WaterFixture(int n = 0) {
        for (int r = 1; r <= n; ++r) {
            state.project.water.StoreWaterCell(r, WaterColumn::lungh, QString::number(100 + r));
            state.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("50"));
            state.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("2"));
            state.project.water.PickWallType(r, 1);
        }
    }

    PasteOutcome paste(int row, int column, const char* text) {
        return editing->paste(row, column, ParseCellBlock(q(text)), WaterColumnName);
    }
    QString text(int row, int column) const {
        return state.project.water.at(row, column).displayText();
    }
};

} // namespace

TEST(BlockPaste, ParsesSpreadsheetText) {
    const struct {
        const char* text;
        CellBlock block;
    } cases[] = {
        {"5\t50\t2\r\n6\t40\t1\r\n", {{"5", "50", "2"}, {"6", "40", "1"}}},
        {"5\n6", {{"5"}, {"6"}}},
        {"7\r", {{"7"}}},
        {"7\r\r\n8", {{"7"}, {""}, {"8"}}},
        {"a\t\tb\n", {{"a", "", "b"}}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCellBlock(q(c.text)), c.block) << c.text;
}

TEST(BlockPaste, ItalianNumbersAreStoredWithAPoint) {
    const struct {
        const char* cell;
        const char* stored;
    } cases[] = {
        {"12,5", "12.5"},
        {"-0,25", "-0.25"},
        {"1.234,5", "1234.5"},
        {"1,51E-05", "1.51E-05"},
        {" 3,0 ", "3.0"},
        {"12.5", "12.5"},
        {"1.234", "1.234"},
        {"1,2,3", "1,2,3"},
        {"liscio", "liscio"},
        {"12,5 m", "12,5 m"},
        {",5", ",5"},
        // The inch mark of a spreadsheet is the list's two apostrophes.
        {"1/2\"", "1/2''"},
        {"1 1/4\"", "1 1/4''"},
        {"2\"", "2''"},
        {"a\"b", "a\"b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PastedCellText(q(c.cell)), q(c.stored)) << c.cell;
}

TEST(BlockPaste, BlockFillsRowsAsTyped) {
    WaterFixture f(3);
    const PasteOutcome outcome = f.paste(4, WaterColumn::lungh,
                                         "100\t50\t2,5\tliscio\t0,00018\r\n"
                                         "120\t40\t1\tCORRENTE\r\n"
                                         "80\t32\t0,5\tscabro\t\r\n");
    EXPECT_TRUE(outcome.refusal.isEmpty()) << outcome.refusal.text.toStdString();
    EXPECT_EQ(outcome.firstRow, 4);
    EXPECT_EQ(outcome.lastRow, 6);
    EXPECT_EQ(f.state.project.water.rows(), 6);
    EXPECT_EQ(f.text(4, WaterColumn::port), QStringLiteral("2.5"));
    EXPECT_EQ(f.text(4, WaterColumn::sca), QStringLiteral("0.00018"));
    // A list name picks its entry, which fills the roughness.
    EXPECT_EQ(f.text(5, WaterColumn::tipoc), QStringLiteral("corrente"));
    EXPECT_EQ(f.text(5, WaterColumn::sca), NumberToText(WallTypeCoefficients[2]));
    // An empty cell is typed too: it empties the roughness the pick put in.
    EXPECT_EQ(f.text(6, WaterColumn::sca), QString());
    EXPECT_GT(f.state.project.water.at(4, WaterColumn::perd).value(), 0.0);
    EXPECT_GT(f.state.project.water.at(5, WaterColumn::perd).value(), 0.0);
    // The band shows the last row pasted.
    EXPECT_LE(f.state.view.WaterBandTop, 6);
    EXPECT_GE(f.state.view.WaterBandTop + BandLines - 1, 6);
}

TEST(BlockPaste, RefusedBlockChangesNothing) {
    const struct {
        int row;
        int column;
        const char* text;
        const char* message; // the start of the notice
    } cases[] = {
        // Row 6 after a count of 3 would leave rows 4 and 5 blank.
        {6, WaterColumn::lungh, "100\t50",
         "Tronco n. 6, colonna 'lungh':\r- non è possibile "
         "incollare dati lasciando righe in bianco;\r- il "
         "blocco non è stato incollato."},
        {4, WaterColumn::diam, "50\r\n40", "Tronco n. 5, colonna 'diam'"},
        // Emptying a length while later rows keep theirs.
        {2, WaterColumn::lungh, "\t40", "Tronco n. 2, colonna 'lungh'"},
        {3, WaterColumn::valv, "1\t2",
         "Tronco n. 3, dopo la colonna 'valv':\r- il blocco va "
         "oltre l'ultima colonna dei dati"},
        {2, WaterColumn::diam, "50\t2\r\n40\t\"1\"", "Tronco n. 3, colonna 'port'"},
        {1, WaterColumn::tipoc, "liscio\r\n√", "Tronco n. 2, colonna 'tipoc'"},
    };
    for (const auto& c : cases) {
        WaterFixture f(3);
        const WaterTable before = f.state.project.water.table();
        const PasteOutcome outcome = f.paste(c.row, c.column, c.text);
        EXPECT_TRUE(outcome.refusal.text.startsWith(q(c.message)))
            << c.text << " -> " << outcome.refusal.text.toStdString();
        EXPECT_EQ(outcome.refusal.icon, NoticeIcon::Critical);
        EXPECT_TRUE(f.state.project.water.table() == before) << c.text;
        EXPECT_EQ(f.state.project.water.rows(), 3);
        EXPECT_FALSE(f.editing->canUndo()) << c.text;
    }
}

TEST(BlockPaste, TableEndsAtRow500) {
    WaterFixture f;
    // Lengths up to row 498, then a block of three rows from 498.
    for (int r = 1; r <= 498; ++r)
        f.state.project.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("1"));
    const PasteOutcome refused = f.paste(498, WaterColumn::lungh, "1\n2\n3\n4");
    EXPECT_TRUE(refused.refusal.text.startsWith(
        q("Tronco n. 501, colonna 'lungh':\r- la tabella finisce al tronco n. 500")))
        << refused.refusal.text.toStdString();
    EXPECT_EQ(f.state.project.water.rows(), 498);
    // Empty cells past the end are no data.
    const PasteOutcome pasted = f.paste(499, WaterColumn::lungh, "2\n3\n\t\n");
    EXPECT_TRUE(pasted.refusal.isEmpty());
    EXPECT_EQ(f.state.project.water.rows(), 500);
}

TEST(BlockPaste, CopiedRowsUseTheUsersDecimalSeparator) {
    WaterFixture f(2);
    f.state.project.water.StoreWaterCell(2, WaterColumn::diam, QStringLiteral("40.5"));
    const CopiedColumn columns[] = {
        {0, QStringLiteral("tronco"), QString()},
        {WaterColumn::lungh, QStringLiteral("lungh."), QStringLiteral("metri")},
        {WaterColumn::diam, QStringLiteral("diam."), QStringLiteral("millimetri")},
        {WaterColumn::tipoc, QStringLiteral("tubo"), QString()}};
    EXPECT_EQ(f.editing->copyRows(columns, QLocale(QLocale::Italian, QLocale::Italy)),
              QStringLiteral("tronco\tlungh.\tdiam.\ttubo\n"
                             "\tmetri\tmillimetri\t\n"
                             "1\t101\t50\tliscio\n"
                             "2\t102\t40,5\tliscio\n"));
    EXPECT_TRUE(f.editing->copyRows(columns, QLocale(QLocale::English))
                    .endsWith(QStringLiteral("2\t102\t40.5\tliscio\n")));
}

// The keystrokes in one cell are one step; leaving the cell starts another;
// typing a cell back to what it was leaves no step.
TEST(TableHistory, TypingStepsFollowTheCell) {
    WaterFixture f(2);
    const WaterTable start = f.state.project.water.table();
    auto type = [&](int row, int column, const char* text) {
        f.editing->record(row, row, CellKey{row, column},
                          [&] { f.state.project.water.StoreWaterCell(row, column, q(text)); });
    };
    type(1, WaterColumn::diam, "5");
    type(1, WaterColumn::diam, "");
    type(1, WaterColumn::diam, "6");
    EXPECT_EQ(f.state.session.waterHistory.depth(), 1);
    type(2, WaterColumn::diam, "7");
    EXPECT_EQ(f.state.session.waterHistory.depth(), 2);
    f.editing->seal();
    type(2, WaterColumn::diam, "8");
    EXPECT_EQ(f.state.session.waterHistory.depth(), 3);
    f.editing->seal();
    type(1, WaterColumn::port, "9");
    type(1, WaterColumn::port, "2");
    EXPECT_EQ(f.state.session.waterHistory.depth(), 3);

    while (f.editing->undo()) {
    }
    EXPECT_TRUE(f.state.project.water.table() == start);
    EXPECT_TRUE(f.editing->redo());
    EXPECT_EQ(f.text(1, WaterColumn::diam), QStringLiteral("6"));
    EXPECT_EQ(f.text(2, WaterColumn::diam), QStringLiteral("50"));
    // A new change forgets what was undone.
    type(2, WaterColumn::port, "3");
    EXPECT_FALSE(f.editing->canRedo());
}

TEST(TableHistory, KeepsTheLastHundredSteps) {
    WaterFixture f(1);
    for (int k = 0; k < 150; ++k) {
        f.editing->seal();
        f.editing->record(1, 1, CellKey{1, WaterColumn::c45}, [&] {
            f.state.project.water.StoreWaterCell(1, WaterColumn::c45, QString::number(k));
        });
    }
    EXPECT_EQ(f.state.session.waterHistory.depth(), TableHistory<WaterTable::Columns>::Limit);
    while (f.editing->undo()) {
    }
    EXPECT_EQ(f.text(1, WaterColumn::c45), QStringLiteral("49"));
}

TEST(TableEditing, InsertRowMovesRowsDown) {
    WaterFixture f(3);
    const WaterTable before = f.state.project.water.table();
    EXPECT_TRUE(f.editing->insertRow(2).isEmpty());
    EXPECT_EQ(f.text(2, WaterColumn::lungh), QString());
    EXPECT_EQ(f.text(3, WaterColumn::lungh), QStringLiteral("102"));
    EXPECT_EQ(f.text(4, WaterColumn::lungh), QStringLiteral("103"));
    EXPECT_EQ(f.state.project.water.rows(), 3);
    EXPECT_TRUE(f.editing->undo());
    EXPECT_TRUE(f.state.project.water.table() == before);

    // Row 500 holding data would be lost.
    f.state.project.water.StoreWaterCell(500, WaterColumn::c90, QStringLiteral("1"));
    const WaterTable full = f.state.project.water.table();
    const Notice refusal = f.editing->insertRow(2);
    EXPECT_EQ(refusal.text, q("Non è possibile inserire una riga: il tronco n. 500, l'ultimo "
                              "della tabella, contiene dati che andrebbero persi."));
    EXPECT_TRUE(f.state.project.water.table() == full);
}
