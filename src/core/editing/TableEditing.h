#pragma once

#include "core/editing/BlockPaste.h"
#include "core/editing/TableHistory.h"
#include "core/model/GasTable.h"
#include "core/model/Notice.h"
#include "core/model/WaterTable.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>

class GasNetwork;
class QLocale;
class WaterNetwork;

// The commands a data window adds to the typing in its band, on its
// network's table: every change recorded for undo and redo, a block of cells
// pasted, an empty row inserted, the rows copied for a spreadsheet. A
// recorded change, an undo and a redo tell that the project changed.
class TableEditing {
public:
    virtual ~TableEditing() = default;

    // The band's input columns, left to right.
    virtual std::span<const int> bandColumns() const = 0;
    // The table columns a copy holds after the row number, left to right.
    virtual std::span<const int> copiedColumns() const = 0;
    // The name of a column, as the window names its controls and heads.
    virtual QString columnName(int column) const = 0;
    // The table row shown on the band's first line.
    virtual int bandTop() const = 0;
    // The rows entered (the count), 0 before any.
    virtual int rowCount() const = 0;

    // Runs `change`, which may touch rows first..last, and records what it
    // changed as one step (merged with the step before when `key` names the
    // same cell, as the keystrokes in one cell are). A change made while
    // another is being recorded belongs to that one. True when a step was
    // recorded.
    virtual bool record(int first, int last, std::optional<CellKey> key,
                        const std::function<void()>& change) = 0;
    // Puts back the rows, the count and the band position as they were
    // before the last step, or after the step last undone.
    virtual bool undo() = 0;
    virtual bool redo() = 0;
    virtual bool canUndo() const = 0;
    virtual bool canRedo() const = 0;
    // The next change is a step of its own.
    virtual void seal() = 0;

    // PasteBlock at (row, column) as one step; the band moves to show the
    // last row pasted. `head` names a column in the refusals.
    virtual PasteOutcome paste(int row, int column, const CellBlock& block,
                               const std::function<QString(int column)>& head) = 0;
    // Inserts an empty row at `row`, as one step: the rows from there move
    // down by one. Refused (the notice) when row 500 holds any data, which
    // would be lost; a row with no data after it is left as it is.
    virtual Notice insertRow(int row) = 0;
    // The upstream segment of `row` typed in the verification window, as a
    // step of its own: refused (the notice, naming the segment) unless the
    // text is empty (the row before) or a whole number from 0 to row - 1 on
    // a row within the count.
    virtual Notice typeUpstream(int row, const QString& text) = 0;
    // A rise, a concentrated loss or a least pressure of `row` typed in the
    // verification window (a column of the network's ElevationColumns), as
    // a step (the keystrokes in one cell make one): refused (the notice)
    // unless RefuseElevationText passes it.
    virtual Notice typeElevation(int row, int column, const QString& text) = 0;
    // Rows 1..count, as CopyRowsText writes them.
    virtual QString copyRows(std::span<const CopiedColumn> columns,
                             const QLocale& locale) const = 0;
};

// How the table changed: by a step recorded, or by one undone or redone
// (which may bring it back to what it was at any earlier time).
enum class TableChange { Recorded, Stepped };

// The editing of a network whose changes `history` keeps; `bandTop` is the
// band position of its window, which each step keeps and a paste moves to
// show its last row; `changed` is told of every step recorded, undone or
// redone. All must outlive the editing.
using TableChanged = std::function<void(TableChange)>;
std::unique_ptr<TableEditing> NetworkEditing(WaterNetwork& network,
                                             TableHistory<WaterTable::Columns>& history,
                                             int& bandTop, TableChanged changed);
std::unique_ptr<TableEditing> NetworkEditing(GasNetwork& network,
                                             TableHistory<GasSegmentTable::Columns>& history,
                                             int& bandTop, TableChanged changed);
