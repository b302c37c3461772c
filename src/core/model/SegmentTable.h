#pragma once

#include "core/model/Cell.h"
#include "core/model/Notice.h"
#include "core/model/OnHeap.h"

#include <array>

// Parallel column arrays of 501 cells: row 0 is never used, rows 1..500 hold
// the segments. Columns are numbered from 1 as the networks number them.
//
// The last column of every network holds the row's upstream segment (the
// segment it is fed from): empty for the row before it, or a number, a
// smaller row or 0 for the source. Deleting and inserting rows renumber
// these references, so that the network keeps its shape: a reference to a
// row that moved follows it, and a row fed from a deleted row is fed from
// that row's own upstream segment.
template <int ColumnCount> class SegmentTable {
public:
    static constexpr int Columns = ColumnCount;
    static constexpr int UpstreamColumn = ColumnCount;
    // The cells of one row, indexed by column (index 0 unused).
    using Row = std::array<Cell, Columns + 1>;

    Cell& at(int row, int column) { return m_cells[row][column]; }
    const Cell& at(int row, int column) const { return m_cells[row][column]; }
    // The cells of one row: computing a segment reaches the table once.
    const Row& row(int r) const { return m_cells[r]; }
    Row& row(int r) { return m_cells[r]; }
    void setRow(int r, const Row& cells) { m_cells[r] = cells; }

    // Every column of the row := empty text.
    void emptyRow(int row) {
        for (int c = 1; c <= Columns; ++c)
            m_cells[row][c] = Cell::emptyText();
    }

    // Rows first+1..last move up by one, all columns; row `last` keeps its
    // cells (the caller empties it).
    void moveRowsUp(int first, int last) {
        for (int r = first; r < last; ++r) {
            for (int c = 1; c <= Columns; ++c)
                m_cells[r][c] = m_cells[r + 1][c];
        }
    }

    // The segment row r is fed from: its upstream cell, or the row before
    // when that cell is empty.
    int upstream(int r) const {
        const Cell& cell = m_cells[r][UpstreamColumn];
        return cell.isEmpty() ? r - 1 : static_cast<int>(cell.value());
    }
    // Row r fed from `source`: the row before leaves the cell empty (as it
    // stands, never written or emptied), any other is written as a number.
    void setUpstream(int r, int source) {
        Cell& cell = m_cells[r][UpstreamColumn];
        if (source != r - 1)
            cell = Cell::number(source);
        else if (!cell.isEmpty())
            cell = Cell();
    }

    // Deletes a segment: every row after it, through the last row of the
    // table, moves up by one, and the last row is emptied. The caller counts
    // the segments again.
    void removeRow(int row) {
        const int deletedSource = upstream(row);
        std::array<int, MaxRows + 1> source{};
        for (int r = row + 1; r <= MaxRows; ++r) {
            const int s = upstream(r);
            source[r - 1] = s == row ? deletedSource : (s > row ? s - 1 : s);
        }
        moveRowsUp(row, MaxRows);
        emptyRow(MaxRows);
        for (int r = row; r < MaxRows; ++r)
            setUpstream(r, source[r]);
    }

    // Inserts an empty row: rows row..499 move down by one, all columns, and
    // the last row of the table is lost (the caller checks it holds nothing).
    // The new row is fed from the row before it, and joins no segment that
    // was there: the rows below keep their own upstream segments.
    void insertRow(int row) {
        std::array<int, MaxRows + 1> source{};
        for (int r = row; r < MaxRows; ++r) {
            const int s = upstream(r);
            source[r + 1] = s >= row ? s + 1 : s;
        }
        for (int r = MaxRows; r > row; --r)
            m_cells[r] = m_cells[r - 1];
        emptyRow(row);
        for (int r = row + 1; r <= MaxRows; ++r)
            setUpstream(r, source[r]);
    }

    // Sum of the numeric values of one column over rows 1..lastRow (capped to
    // the table); empty cells add nothing.
    double sum(int column, int lastRow) const {
        double total = 0.0;
        for (int r = 1; r <= lastRow && r <= MaxRows; ++r) {
            if (!m_cells[r][column].isEmpty())
                total += m_cells[r][column].value();
        }
        return total;
    }

    // The rows 1..500 whose cell in `column` reads above 0.
    int countAboveZero(int column) const {
        int count = 0;
        for (int r = 1; r <= MaxRows; ++r) {
            if (m_cells[r][column].value() > 0)
                ++count;
        }
        return count;
    }

    friend bool operator==(const SegmentTable&, const SegmentTable&) = default;

private:
    // Row by row, so that computing a segment reads cells that lie together;
    // on the heap, as a table is far too large for the stack.
    OnHeap<std::array<Row, MaxRows + 1>> m_cells;
};
