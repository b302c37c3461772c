#pragma once

#include "core/model/DesignFlows.h"
#include "core/model/Network.h"
#include "core/model/Notice.h"
#include "core/model/RowGuide.h"
#include "core/model/WaterTable.h"

#include <QString>

#include <optional>

// The water network of the project. Every operation stores what the user
// typed, picked or pasted with the rules of its column, counts the rows
// again when a length changed, and computes the rows it touched: a row
// whose length, diameter, flow and roughness are all given gets its loss;
// any other row keeps the loss it had (emptying the wall type leaves the
// loss it gave on screen).
class WaterNetwork : public Network<WaterTable::Columns> {
public:
    static constexpr NetworkKind Kind = NetworkKind::Water;
    static constexpr int UtenzeColumn = WaterColumn::utenze;
    // Typed in the verification window: the rise, the concentrated loss and
    // the least pressure at the outlet.
    static constexpr std::array<int, 3> ElevationColumns = {WaterColumn::disl, WaterColumn::pconc,
                                                            WaterColumn::pmin};

    // A typed text. An emptied wall type also empties the roughness.
    void StoreWaterCell(int row, int column, const QString& text);

    // A wall type picked from the list (1..3): its name and its coefficient,
    // as decimal text with a point; 0 (nothing picked) empties both.
    void PickWallType(int row, int index);

    // A value pasted into a box of the band, as if typed there in turn,
    // except that a wall type naming an entry of the list (in any case) is
    // that entry picked, which fills the roughness.
    void PasteWaterValue(int row, int column, const QString& text);

    // The fixtures a segment itself serves; none empties the cell.
    void SetWaterOutlets(int row, const std::vector<WaterOutlet>& outlets);
    // A design flow written into the flow column, as if typed (DesignFlowText).
    void ApplyDesignFlow(int row, double flowLs);

    // Deletes a row: every following row moves up with its results. A row
    // without length is not deleted, unless it is an empty row left inside
    // the table: the warning to show is returned instead (empty otherwise).
    Notice DeleteWaterRow(int row);
    // An empty row at `row`: the rows from there move down by one, and the
    // last row of the table is lost (the caller checks it holds nothing).
    void insertRow(int row);
    // WaterRowCount := 0 and every cell of rows 1..500 := empty text.
    void ClearWaterTable();

    // The table and the count a data file holds, every row computed.
    void replace(WaterTable table, std::optional<int> count);

    // Progressive total of the losses of rows 1..lastRow.
    double WaterTotal(int lastRow) const { return m_table.sum(WaterColumn::perd, lastRow); }
    // The hint line of the water window.
    QString WaterHint() const { return ::WaterHint(m_table, rows()); }
    // Refusal of a length typed on a row that would leave a blank row
    // before it.
    std::optional<Notice> RefuseWaterLength(int row, const QString& text) const;

private:
    // WaterRowCount := rows 1..500 whose length reads above 0.
    void RecountRows();
    // The loss of a complete row; a row whose loss cannot be computed (a
    // diameter of 0, numbers beyond range) gets an empty loss.
    void RecalculateRow(int row);
};
