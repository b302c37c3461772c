#pragma once

#include "core/Notice.h"
#include "core/RowGuide.h"
#include "core/SegmentTable.h"

#include <QString>

#include <array>
#include <optional>

struct ApplicationState;

// Columns of the water table, named after the boxes that edit them.
namespace WaterColumn {
enum : int {
    lungh = 1, // length, m
    diam,      // internal diameter, mm
    port,      // flow, l/s
    tipoc,     // wall type name
    sca,       // roughness coefficient B of the Darcy formula
    c45,       // 45° bends
    c90,       // 90° bends
    c91,       // wide-radius 90° bends
    tes,       // tees
    croc,      // crosses
    sarac,     // gate valves
    valv,      // check valves
    perd,      // head loss of the segment, m (computed)
    monte,     // upstream segment: a smaller row, 0 for the source; empty for the row before
};
}

using WaterTable = SegmentTable<14>;

// Name of a water column as the boxes and the command line call it.
QString WaterColumnName(int column);

// The wall types offered in the list, with their coefficient B.
inline constexpr int WallTypeCount = 3;
const std::array<QString, WallTypeCount + 1>& WallTypeNames();
inline constexpr std::array<double, WallTypeCount + 1> WallTypeCoefficients = {0.0, 0.002, 0.0025,
                                                                               0.004};

// Metres of equivalent pipe per fitting and per millimetre of internal
// diameter, for c45, c90, c91, tes, croc, sarac, valv in this order.
inline constexpr std::array<double, 7> WaterFittingCoefficients = {0.013, 0.03,  0.018, 0.06,
                                                                   0.06,  0.006, 0.0065};

// Stores a typed text. An emptied wall type also empties the roughness.
void StoreWaterCell(ApplicationState& state, int row, int column, const QString& text);

// A wall type picked from the list (1..3): its name and its coefficient, as
// decimal text with a point; 0 (nothing picked) empties both.
void PickWallType(ApplicationState& state, int row, int index);

// A value pasted into a box of the band, as if typed there in turn: stored
// as typing stores it, except that a wall type naming an entry of the list
// (in any case) is that entry picked, which fills the roughness; then the
// count and the row's loss, as after typing.
void PasteWaterValue(ApplicationState& state, int row, int column, const QString& text);

// WaterRowCount := rows 1..500 whose length reads above 0.
void RecountRows(ApplicationState& state);

// Computes the loss of a row. A row with an empty length, diameter, flow or
// roughness is left as it is (false). A row whose loss cannot be computed (a
// diameter of 0, or numbers beyond range) gets an empty loss (true).
bool RecalculateRow(ApplicationState& state, int row);

// Whether a row has the length, diameter, flow and roughness its loss needs.
bool WaterRowComplete(const WaterTable::Row& cells);
// The loss of a complete row (m, to the centimetre) with the internal
// diameter `diameterMm`, as RecalculateRow computes it; none when it cannot
// be computed.
std::optional<double> WaterRowLoss(const WaterTable::Row& cells, double diameterMm);

// Recomputes every row of the table, as the print pass does by paging the
// band through it.
void RecalculateAllWaterRows(ApplicationState& state);

// Progressive total of the losses of rows 1..lastRow.
double WaterTotal(const ApplicationState& state, int lastRow);
// The total the window shows: rows 1 to the last row of its band.
double WaterRunningTotal(const ApplicationState& state);

// Deletes a row and moves the following ones up. A row without length is not
// deleted: the warning to show is returned instead (empty notice otherwise).
Notice DeleteWaterRow(ApplicationState& state, int row);

// WaterRowCount := 0 and every cell of rows 1..500 := empty text.
void ClearWaterTable(ApplicationState& state);

// The hint line of the water window.
QString WaterHint(const ApplicationState& state);

// The input check: the notice to show and whether it passed; honours and
// resets WaterCheckQuiet as the save and print commands expect.
CheckOutcome CheckWaterData(ApplicationState& state);
// The same check of rows 1..count of a table, silent on success.
CheckOutcome CheckWaterTable(const WaterTable& table, int count);
// The items the check asks of every row.
std::span<const RequiredItem> WaterRequiredItems();

// Refusal of a length typed on a row that would leave a blank row before it.
std::optional<Notice> RefuseWaterLength(const ApplicationState& state, int row,
                                        const QString& text);
