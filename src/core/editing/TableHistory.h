#pragma once

#include "core/model/SegmentTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The count of segments and the band position that a step of the history
// puts back with the rows.
struct TableFrame {
    std::optional<int> count;
    int bandTop = 1;

    friend bool operator==(const TableFrame&, const TableFrame&) = default;
};

// The cell a typing step belongs to: the keystrokes typed into one cell, and
// the pick from its list, make one step.
struct CellKey {
    int row = 0;
    int column = 0;

    friend bool operator==(const CellKey&, const CellKey&) = default;
};

// The undo and redo history of one network's table. A step keeps, for each
// row it changed, the row as it was and as it became (all columns, results
// included), with the count and the band position before and after; rows it
// did not change are not kept, so typing in a cell costs two rows and not
// two tables. Runs of equal rows (the empty rows a clear leaves) share one
// copy.
template <int Columns> class TableHistory {
public:
    using Table = SegmentTable<Columns>;
    using Row = typename Table::Row;

    // Steps kept; the oldest go first.
    static constexpr int Limit = 100;

    // The rows a change may touch are taken as they are, with the frame.
    void begin(const Table& table, int first, int last, const TableFrame& frame);

    // After the change: a step of the rows whose input cells changed (in
    // `inputColumns`), if any did or the count moved; a change of computed
    // cells alone (a row computed when the band shows it) is no step. A
    // step of the same cell as the step before, with nothing between them,
    // is merged into it. True when a step was recorded or merged.
    bool commit(const Table& table, const TableFrame& frame, const std::vector<int>& inputColumns,
                std::optional<CellKey> key = std::nullopt);

    // Puts the rows and the frame back as they were before the last step
    // (undo) or after the step last undone (redo), each row handed to `put`
    // whole; false when there is none.
    using RowPut = std::function<void(int row, const Row& cells)>;
    bool undo(const RowPut& put, TableFrame& frame);
    bool redo(const RowPut& put, TableFrame& frame);

    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }

    // The next change starts a step of its own, even in the same cell.
    void seal() { m_sealed = true; }
    // Forgets every step (a project opened).
    void reset();

    // Steps that undo can take back.
    int depth() const { return static_cast<int>(m_done.size()); }

private:
    struct RowChange {
        int row = 0;
        std::shared_ptr<const Row> before;
        std::shared_ptr<const Row> after;
    };
    struct Step {
        std::vector<RowChange> rows;
        TableFrame before;
        TableFrame after;
        std::optional<CellKey> key;
    };

    static void apply(const Step& step, bool forward, const RowPut& put, TableFrame& frame);
    static bool differsIn(const Row& a, const Row& b, const std::vector<int>& columns);
    bool mergeInto(Step& top, Step&& next) const;

    std::vector<std::pair<int, Row>> m_pending;
    TableFrame m_pendingFrame;
    std::vector<Step> m_done;
    std::vector<Step> m_undone;
    bool m_sealed = true;
};

// The two networks' tables.
extern template class TableHistory<18>; // water
extern template class TableHistory<25>; // gas
