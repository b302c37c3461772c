#pragma once

#include "core/model/Notice.h"
#include "core/model/RowGuide.h"
#include "core/model/SegmentTable.h"

#include <QtGlobal>

#include <optional>
#include <span>

// One network of the project: its table of segments (the inputs as typed,
// the results as computed) and its count of segments. The table changes
// only through the network's operations, and each of them brings the
// results of the rows it touched up to date before it returns, so whoever
// reads a row reads it computed. The revision moves with every change:
// what is derived from the whole network (the verification of its paths)
// knows from it when it must be computed again.
template <int ColumnCount> class Network {
public:
    using Table = SegmentTable<ColumnCount>;
    using Row = typename Table::Row;
    static constexpr int Columns = ColumnCount;

    const Table& table() const { return m_table; }
    const Cell& at(int row, int column) const { return m_table.at(row, column); }
    const Row& row(int r) const { return m_table.row(r); }
    // The count of segments: rows 1..500 whose length reads above 0; never
    // set until first counted or read from a file.
    const std::optional<int>& count() const { return m_count; }
    int rows() const { return m_count.value_or(0); }
    quint64 revision() const { return m_revision; }

    // The row fed from `source` (a smaller row, 0 for the source; the row
    // before leaves the cell empty). The shape of the tree, no result.
    void setUpstream(int row, int source) {
        m_table.setUpstream(row, source);
        changed();
    }

    // A value typed in the verification window into one of the network's
    // columns of heights and pressures (`ElevationColumns` of each network):
    // a number, or none to empty the cell. The shape of the network, no
    // result of the row.
    void setElevationValue(int row, int column, std::optional<double> value) {
        m_table.at(row, column) = value ? Cell::number(*value) : Cell::emptyText();
        changed();
    }

    // A row put back whole, inputs with the results computed from them, and
    // the count that went with it: the undo history restores what it kept.
    void restoreRow(int row, const Row& cells) {
        m_table.setRow(row, cells);
        changed();
    }
    void restoreCount(const std::optional<int>& count) {
        m_count = count;
        changed();
    }

protected:
    void changed() { ++m_revision; }

    // The row operations of both networks; `recount` counts the rows again,
    // `compute` computes one row, each the network's own.

    // Deletes a row: every following row moves up with its results. A row
    // without length (column 1 in both tables) is not deleted, unless it is
    // an empty row left inside the table (`stored`: the columns a file
    // keeps): the warning to show is returned instead.
    template <typename Recount>
    Notice deleteRow(int row, std::span<const int> stored, Recount recount) {
        const CellAt cellAt = [this](int r, int c) -> const Cell& { return m_table.at(r, c); };
        if (m_table.at(row, 1).isEmpty() && !IsGapRow(row, cellAt, stored))
            return MissingLengthOnDelete(row);
        // Every following row moves up, counted or not, so that no typed row
        // is left behind a gap; each keeps the results of its own inputs.
        m_table.removeRow(row);
        recount();
        changed();
        return {};
    }
    template <typename Recount> void insertEmptyRow(int row, Recount recount) {
        m_table.insertRow(row);
        recount();
        changed();
    }
    // The count := 0 and every cell of rows 1..500 := empty text.
    void clearTable() {
        m_count = 0;
        for (int r = 1; r <= MaxRows; ++r)
            m_table.emptyRow(r);
        changed();
    }
    // The table and the count a data file holds, every row computed.
    template <typename Compute>
    void replaceTable(Table table, std::optional<int> count, Compute compute) {
        m_table = std::move(table);
        m_count = count;
        for (int r = 1; r <= MaxRows; ++r)
            compute(r);
        changed();
    }

    Table m_table;
    std::optional<int> m_count;

private:
    quint64 m_revision = 0;
};
