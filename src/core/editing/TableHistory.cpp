#include "core/editing/TableHistory.h"

#include <algorithm>

template <int Columns>
void TableHistory<Columns>::begin(const Table& table, int first, int last,
                                  const TableFrame& frame) {
    m_pending.clear();
    first = std::max(first, 1);
    last = std::min(last, MaxRows);
    for (int r = first; r <= last; ++r)
        m_pending.emplace_back(r, table.row(r));
    m_pendingFrame = frame;
}

template <int Columns>
bool TableHistory<Columns>::differsIn(const Row& a, const Row& b, const std::vector<int>& columns) {
    return std::any_of(columns.begin(), columns.end(), [&](int c) { return !(a[c] == b[c]); });
}

template <int Columns>
bool TableHistory<Columns>::commit(const Table& table, const TableFrame& frame,
                                   const std::vector<int>& inputColumns,
                                   std::optional<CellKey> key) {
    Step step{{}, m_pendingFrame, frame, key};
    std::shared_ptr<const Row> lastBefore;
    std::shared_ptr<const Row> lastAfter;
    for (const auto& [row, before] : m_pending) {
        const Row& after = table.row(row);
        if (!differsIn(before, after, inputColumns))
            continue;
        // Equal neighbours share their copy.
        if (!lastBefore || !(*lastBefore == before))
            lastBefore = std::make_shared<const Row>(before);
        if (!lastAfter || !(*lastAfter == after))
            lastAfter = std::make_shared<const Row>(after);
        step.rows.push_back({row, lastBefore, lastAfter});
    }
    m_pending.clear();
    if (step.rows.empty() && step.before.count == step.after.count)
        return false;

    if (!m_sealed && key && m_undone.empty() && !m_done.empty() && m_done.back().key == key) {
        if (!mergeInto(m_done.back(), std::move(step)))
            m_done.pop_back(); // typed back to what it was: no step left
        return true;
    }
    m_undone.clear();
    m_done.push_back(std::move(step));
    if (static_cast<int>(m_done.size()) > Limit)
        m_done.erase(m_done.begin());
    m_sealed = !key;
    return true;
}

template <int Columns> bool TableHistory<Columns>::mergeInto(Step& top, Step&& next) const {
    for (RowChange& change : next.rows) {
        auto same = std::find_if(top.rows.begin(), top.rows.end(),
                                 [&](const RowChange& c) { return c.row == change.row; });
        if (same != top.rows.end())
            same->after = std::move(change.after);
        else
            top.rows.push_back(std::move(change));
    }
    top.after = next.after;
    // Rows typed back to what they were leave the step.
    std::erase_if(top.rows, [](const RowChange& c) { return *c.before == *c.after; });
    return !top.rows.empty() || !(top.before.count == top.after.count);
}

template <int Columns>
void TableHistory<Columns>::apply(const Step& step, bool forward, const RowPut& put,
                                  TableFrame& frame) {
    for (const RowChange& change : step.rows)
        put(change.row, forward ? *change.after : *change.before);
    frame = forward ? step.after : step.before;
}

template <int Columns> bool TableHistory<Columns>::undo(const RowPut& put, TableFrame& frame) {
    if (m_done.empty())
        return false;
    apply(m_done.back(), false, put, frame);
    m_undone.push_back(std::move(m_done.back()));
    m_done.pop_back();
    m_sealed = true;
    return true;
}

template <int Columns> bool TableHistory<Columns>::redo(const RowPut& put, TableFrame& frame) {
    if (m_undone.empty())
        return false;
    apply(m_undone.back(), true, put, frame);
    m_done.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    m_sealed = true;
    return true;
}

template <int Columns> void TableHistory<Columns>::reset() {
    m_pending.clear();
    m_done.clear();
    m_undone.clear();
    m_sealed = true;
}

template class TableHistory<18>;
template class TableHistory<25>;
