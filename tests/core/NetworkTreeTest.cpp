#include "NetworkRows.h"

#include "core/TableEditing.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Seven methane segments: 1 from the source, 2 and 4 from 1, 3 from 2, 5
// from 4, 6 from 5, 7 from the source again.
std::vector<GasSegment> tree() {
    std::vector<GasSegment> rows(7);
    const int up[] = {0, 1, 2, 1, 4, 5, 0};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].upstream = up[i];
    return rows;
}

struct Snapshot {
    GasSegmentTable table;
    std::optional<int> count;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

} // namespace

TEST(NetworkTree, InsertingAndDeletingRowsKeepTheTree) {
    struct Case {
        const char* name;
        std::function<void(ApplicationState&, TableEditing&)> edit;
        int rows;
        std::vector<int> upstreams;
    };
    const Case cases[] = {
        {"an empty row inserted at 3: the rows below follow their upstream segments",
         [](ApplicationState&, TableEditing& e) { e.insertRow(3); },
         8,
         {0, 1, 2, 2, 1, 5, 6, 0}},
        {"row 4 deleted: the row it fed is fed from its upstream segment",
         [](ApplicationState& s, TableEditing& e) {
             e.record(4, MaxRows, std::nullopt, [&] { DeleteGasRow(s, 4); });
         },
         6,
         {0, 1, 2, 1, 4, 0}},
        {"row 1 deleted: its rows are fed from the source",
         [](ApplicationState& s, TableEditing& e) {
             e.record(1, MaxRows, std::nullopt, [&] { DeleteGasRow(s, 1); });
         },
         6,
         {0, 1, 0, 3, 4, 0}},
        {"the source's own segment typed: one step",
         [](ApplicationState&, TableEditing& e) { e.typeUpstream(3, QStringLiteral("0")); },
         7,
         {0, 1, 0, 1, 4, 5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplicationState s;
        StoreGasNetwork(s, tree());
        const auto editing = GasEditing(s);
        const Snapshot before{s.gas, s.GasRowCount};
        c.edit(s, *editing);
        EXPECT_EQ(Upstreams(s.gas, c.rows), c.upstreams);
        const Snapshot after{s.gas, s.GasRowCount};
        // One step takes it back exactly, and brings it again.
        ASSERT_TRUE(editing->undo());
        EXPECT_TRUE((Snapshot{s.gas, s.GasRowCount} == before));
        EXPECT_FALSE(editing->canUndo());
        ASSERT_TRUE(editing->redo());
        EXPECT_TRUE((Snapshot{s.gas, s.GasRowCount} == after));
    }
}

TEST(NetworkTree, AStraightPathStaysStraightAndWritesNothing) {
    // A classic project: no row names its upstream segment; deleting keeps
    // it so, and the cells stay empty.
    ApplicationState s;
    StoreWaterNetwork(s, std::vector<WaterSegment>(5));
    const auto editing = WaterEditing(s);
    editing->record(2, MaxRows, std::nullopt, [&] { DeleteWaterRow(s, 2); });
    for (int r = 1; r <= MaxRows; ++r)
        ASSERT_TRUE(s.water.at(r, WaterColumn::monte).isEmpty()) << r;
}

TEST(NetworkTree, ARefusedUpstreamChangesNothing) {
    ApplicationState s;
    StoreWaterNetwork(s, std::vector<WaterSegment>(3));
    const auto editing = WaterEditing(s);
    const WaterTable before = s.water;
    const Notice refusal = editing->typeUpstream(2, QStringLiteral("2"));
    EXPECT_EQ(refusal.text, QStringLiteral("Tronco n. 2: il tronco a monte deve essere un numero "
                                           "intero da 0 (l'origine della rete) a 1."));
    EXPECT_EQ(s.water, before);
    EXPECT_FALSE(editing->canUndo());
    // Typed back to the row before, the cell is empty again.
    EXPECT_TRUE(editing->typeUpstream(3, QStringLiteral("1")).isEmpty());
    EXPECT_TRUE(editing->typeUpstream(3, QStringLiteral("2")).isEmpty());
    EXPECT_TRUE(s.water.at(3, WaterColumn::monte).isEmpty());
}
