#pragma once

#include "core/model/Columns.h"
#include "core/model/Notice.h"
#include "core/model/RowGuide.h"
#include "core/model/SegmentTable.h"

#include <QString>

#include <array>
#include <optional>

// Columns of the gas segment table, named after the boxes that show them.
namespace GasColumn {
enum : int {
    lungh = 1, // length, m
    tipofi,    // nominal diameter name ("1''", "ND", ...)
    portgas,   // flow, m³/h
    tipoc,     // gas type, "metano" or "GPL"
    diam,      // internal diameter, mm
    visc,      // kinematic viscosity, m²/s (from the gas type)
    rey,       // Reynolds number
    attr,      // friction factor
    vel,       // velocity, m/s
    mas,       // density, kg/m³ (from the gas type)
    pcs,       // upper heating value (from the gas type)
    pci,       // lower heating value (from the gas type)
    perd,      // head loss, mbar, 4 decimals
    cu45,      // 45° bends
    cu90,      // 90° bends
    cu91,      // bends over 90°
    rt,        // tee branches
    rx,        // cross branches
    rs,        // gate valves
    rv,        // valves
    luvirt,    // virtual length, m, 2 decimals
    utenze,    // the appliances the segment itself feeds (DesignFlows.h)
    disl,      // rise of the segment, m: its downstream end above its upstream end
    pconc,     // concentrated loss (a meter, a regulator), mbar
    monte,     // upstream segment: a smaller row, 0 for the source; empty for the row before
};
}

using GasSegmentTable = SegmentTable<25>;

// The columns a data file holds of a gas row, in its order: the fittings,
// the inputs of the band, then the viscosity, which a gas type typed by
// hand (neither "metano" nor "GPL") keeps from the type it replaced.
inline constexpr std::array<int, 13> GasStoredColumns = {
    GasColumn::cu45,  GasColumn::cu90, GasColumn::cu91,  GasColumn::rt,     GasColumn::rx,
    GasColumn::rs,    GasColumn::rv,   GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas,
    GasColumn::tipoc, GasColumn::diam, GasColumn::visc};

// The facts of every column, the row number first (Columns.h).
ColumnTable GasColumns();
// The short name of a gas column (its key).
QString GasColumnName(int column);

// The commercial inch series: names 0..12 ("ND" has no internal diameter)
// and internal diameters in millimetres.
inline constexpr int NominalDiameterCount = 13;
const std::array<QString, NominalDiameterCount>& NominalDiameters();
inline constexpr std::array<double, NominalDiameterCount> InternalDiameters = {
    0.0, 13.2, 16.7, 22.3, 27.9, 36.6, 42.5, 53.9, 69.7, 81.7, 106.3, 131.7, 151.0};

// Gas types 1..2 and their properties.
struct GasType {
    QString name;
    double visc; // m²/s
    double mas;  // kg/m³
    double pcs;  // kJ/m³ (methane), kJ/kg (LPG)
    double pci;
};
const std::array<GasType, 3>& GasTypes();

// Metres of equivalent pipe per fitting and per millimetre of internal
// diameter, for cu45, cu90, cu91, rt, rx, rs, rv in this order.
inline constexpr std::array<double, 7> GasFittingCoefficients = {0.013, 0.03,  0.018, 0.06,
                                                                 0.06,  0.006, 0.0065};

// The rows 1..500 whose length reads above 0: the segments entered.
int CountGasRows(const GasSegmentTable& table);

// Whether a row has the length, nominal diameter, flow, gas type and
// internal diameter its computation needs.
bool GasRowComplete(const GasSegmentTable::Row& cells);
// The results of a complete row computed with the internal diameter `d`
// (mm), as the network computes them: the virtual length (none when not
// finite), and the rest, meaningful when `computable`.
struct GasRowResults {
    std::optional<double> virtualLength;
    double rey = 0;
    double attr = 0;
    double vel = 0;
    double perd = 0;
    bool computable = false;
};
GasRowResults ComputeGasRow(const GasSegmentTable::Row& cells, double d);
// The same with the row's gas type already looked up (GasTypeNamed).
GasRowResults ComputeGasRow(const GasSegmentTable::Row& cells, double d, const GasType* type);
// The loss of a complete row (mbar) with the internal diameter
// `diameterMm`; none when it cannot be computed.
std::optional<double> GasRowLoss(const GasSegmentTable::Row& cells, double diameterMm);

// The input check of rows 1..count of a table: quiet, nothing to show on
// success; otherwise the success message naming the network.
CheckOutcome CheckGasTable(const GasSegmentTable& table, int count, bool quiet = true);
// The items the check asks of every row.
std::span<const RequiredItem> GasRequiredItems();
// The hint line of the gas window for rows 1..count of a table.
QString GasHint(const GasSegmentTable& table, int count);

// The gas type a cell names: "metano" or "GPL", nullptr for any other.
const GasType* GasTypeNamed(const Cell& cell);
