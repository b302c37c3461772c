#pragma once

#include "core/model/Columns.h"
#include "core/model/Notice.h"
#include "core/model/RowGuide.h"
#include "core/model/SegmentTable.h"

#include <QString>

#include <array>
#include <optional>

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
    utenze,    // the fixtures the segment itself serves (DesignFlows.h)
    disl,      // rise of the segment, m: its downstream end above its upstream end
    pconc,     // concentrated loss (a meter, a filter, a softener), m of water
    pmin,      // least pressure at the segment's outlet, kPa, as the user sets it
    monte,     // upstream segment: a smaller row, 0 for the source; empty for the row before
};
}

using WaterTable = SegmentTable<18>;

// The columns a data file holds of a water row, in its order: every input
// but the upstream segment, which goes into the block of later data.
inline constexpr std::array<int, 12> WaterStoredColumns = {
    WaterColumn::lungh, WaterColumn::diam, WaterColumn::port,  WaterColumn::tipoc,
    WaterColumn::sca,   WaterColumn::c45,  WaterColumn::c90,   WaterColumn::c91,
    WaterColumn::tes,   WaterColumn::croc, WaterColumn::sarac, WaterColumn::valv};

// The facts of every column, the row number first (Columns.h).
ColumnTable WaterColumns();
// The short name of a water column (its key).
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

// The rows 1..500 whose length reads above 0: the segments entered.
int CountWaterRows(const WaterTable& table);

// Whether a row has the length, diameter, flow and roughness its loss needs.
bool WaterRowComplete(const WaterTable::Row& cells);
// The loss of a complete row (m, to the centimetre) with the internal
// diameter `diameterMm`, as RecalculateRow computes it; none when it cannot
// be computed.
std::optional<double> WaterRowLoss(const WaterTable::Row& cells, double diameterMm);

// The input check of rows 1..count of a table: quiet, nothing to show on
// success; otherwise the success message naming the network.
CheckOutcome CheckWaterTable(const WaterTable& table, int count, bool quiet = true);
// The items the check asks of every row.
std::span<const RequiredItem> WaterRequiredItems();
// The hint line of the water window for rows 1..count of a table.
QString WaterHint(const WaterTable& table, int count);
