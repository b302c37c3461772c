#include "NetworkRows.h"

#include "core/editing/TableEditing.h"

#include <gtest/gtest.h>

#include <functional>

TEST(NetworkTree, EditingRowsKeepsTheTreeAsOneUndoStep) {
    // Seven methane segments: 1 from the source, 2 and 4 from 1, 3 from 2,
    // 5 from 4, 6 from 5, 7 from the source again.
    struct Case {
        const char* name;
        std::function<void(ApplicationState&, TableEditing&)> edit;
        std::vector<int> upstreams;
    };
    const auto deleteRow = [](int row) {
        return [row](ApplicationState& s, TableEditing& e) {
            e.record(row, MaxRows, std::nullopt, [&] { s.project.gas.DeleteGasRow(row); });
        };
    };
    const Case cases[] = {
        {"an empty row inserted at 3: the rows below follow their upstream segments",
         [](ApplicationState&, TableEditing& e) { e.insertRow(3); },
         {0, 1, 2, 2, 1, 5, 6, 0}},
        {"row 4 deleted: the row it fed is fed from its upstream segment",
         deleteRow(4),
         {0, 1, 2, 1, 4, 0}},
        {"row 1 deleted: its rows are fed from the source", deleteRow(1), {0, 1, 0, 3, 4, 0}},
        {"the source's own segment typed",
         [](ApplicationState&, TableEditing& e) { e.typeUpstream(3, QStringLiteral("0")); },
         {0, 1, 0, 1, 4, 5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplicationState s;
        StoreGasNetwork(s, GasTree({0, 1, 2, 1, 4, 5, 0}));
        const auto editing = GasEditing(s);
        const auto snapshot = [&] {
            return std::pair(s.project.gas.table(), s.project.gas.count());
        };
        const auto before = snapshot();
        c.edit(s, *editing);
        EXPECT_EQ(Upstreams(s.project.gas.table(), static_cast<int>(c.upstreams.size())),
                  c.upstreams);
        const auto after = snapshot();
        // One step takes it back exactly, and brings it again.
        ASSERT_TRUE(editing->undo());
        EXPECT_TRUE(snapshot() == before);
        EXPECT_FALSE(editing->canUndo());
        ASSERT_TRUE(editing->redo());
        EXPECT_TRUE(snapshot() == after);
    }
}

TEST(NetworkTree, AStraightPathStaysStraightAndARefusalChangesNothing) {
    ApplicationState s;
    StoreWaterNetwork(s, std::vector<WaterSegment>(5));
    const auto editing = WaterEditing(s);
    // Row 2 cannot be fed from itself: refused, nothing to undo.
    const WaterTable before = s.project.water.table();
    EXPECT_TRUE(editing->typeUpstream(2, QStringLiteral("2")).text.startsWith("Tronco n. 2: "));
    EXPECT_EQ(s.project.water.table(), before);
    EXPECT_FALSE(editing->canUndo());
    // Typed back to the row before, the cell is empty again.
    EXPECT_TRUE(editing->typeUpstream(3, QStringLiteral("1")).isEmpty());
    EXPECT_TRUE(editing->typeUpstream(3, QStringLiteral("2")).isEmpty());
    // A classic project: no row names its upstream segment; deleting keeps
    // it so, and the cells stay empty.
    editing->record(2, MaxRows, std::nullopt, [&] { s.project.water.DeleteWaterRow(2); });
    for (int r = 1; r <= MaxRows; ++r)
        ASSERT_TRUE(s.project.water.at(r, WaterColumn::monte).isEmpty()) << r;
}
