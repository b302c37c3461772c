#pragma once

#include "core/model/Cell.h"
#include "core/model/Notice.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>

// The guidance shared by the water and gas networks: the hint line that
// tells the user what to type next, the input check that finds the first
// incomplete segment, and the refusal of a length that would leave a gap.

// One required item of a segment, in the order the hint and check test them.
struct RequiredItem {
    int column;        // table column tested
    const char* hint;  // text after "Tronco n. k: " in the hint line
    const char* check; // text after "Tronco n. k:" CR in the check message
    int focusColumn;   // column whose box takes the focus after the check
    // The length: a segment exists only where it reads above 0, so on a row
    // inside the count a length of 0, below 0 or without a number is as
    // missing as an empty one (the rows after it would not be saved).
    bool mustReadAboveZero = false;
};

// The cell (row, column) of the network's table.
using CellAt = std::function<const Cell&(int row, int column)>;

// Does the row miss the item?
inline bool IsMissing(const Cell& cell, const RequiredItem& item) {
    return cell.isEmpty() || (item.mustReadAboveZero && !(cell.value() > 0));
}

// Whether a row of a table (its cells by column) has every item, as the
// verification asks of every row on every keystroke.
template <typename Row>
bool RowHasEveryItem(const Row& cells, std::span<const RequiredItem> items) {
    for (const RequiredItem& item : items) {
        if (IsMissing(cells[static_cast<size_t>(item.column)], item))
            return false;
    }
    return true;
}

// " 3" for 3: the classic number text with its sign position.
QString RowNumberText(int row);

// The help message of the water and gas data windows: seven lines separated
// by carriage returns.
QString DataWindowHelpText();

// Hint line: nothing typed yet, the first missing item of rows 1..count, or
// the text that invites to go on.
QString StepHint(int count, const CellAt& cellAt, std::span<const RequiredItem> items);

// Input check over rows 1..count. `networkWords` names the network in the
// success message ("tubazioni trasporto acqua"); a quiet check passed has
// nothing to show. `passed` tells the caller which case it is.
struct CheckOutcome {
    Notice notice; // empty when nothing is to be shown
    bool passed = false;
};
CheckOutcome CheckRows(int count, bool quiet, const CellAt& cellAt,
                       std::span<const RequiredItem> items, const QString& networkWords);

// A length typed on `row` is refused when it is not empty, the previous row
// has no length and the row lies beyond the count: the message, with the band
// position and line of the first free row.
std::optional<Notice> RefuseLengthEntry(int row, const QString& newText, bool previousLengthEmpty,
                                        int count, int lengthColumn);

// Message of a delete pressed on a row without length.
Notice MissingLengthOnDelete(int row);

// A row whose `columns` are all empty while a later row holds data in them:
// a gap inside the table (an inserted row), which its delete button takes
// away, where the classic warning about the missing length would leave it.
bool IsGapRow(int row, const CellAt& cellAt, std::span<const int> columns);

// The success text "Correggere, archiviare ..." and the start text.
QString HintNoRows();
QString HintAllComplete();
