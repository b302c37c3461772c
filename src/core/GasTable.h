#pragma once

#include "core/Notice.h"
#include "core/RowGuide.h"
#include "core/SegmentTable.h"

#include <QString>

#include <array>
#include <optional>

struct ApplicationState;

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
    monte,     // upstream segment: a smaller row, 0 for the source; empty for the row before
};
}

using GasSegmentTable = SegmentTable<22>;

// Name of a gas column as the boxes and the command line call it.
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

// Stores a typed text; the empty text empties the cell.
void SetGasCell(ApplicationState& state, int row, int column, const QString& text);

// A text typed into a box of the band, stored with the rules of its column:
// an emptied nominal diameter empties the internal one, a gas type sets the
// gas properties, a typed internal diameter names its pipe in the series
// ("ND" for none). False when the row is not to be computed (an emptied
// nominal diameter or gas type).
bool TypeGasCell(ApplicationState& state, int row, int column, const QString& text);

// A value pasted into a box of the band, as if typed there in turn: stored
// as typing stores it, except that a name of the nominal diameters or of
// the gas types (in any case) is that entry picked from the list, which
// gives a nominal diameter its internal one; then the count and the row's
// computation, as after typing.
void PasteGasValue(ApplicationState& state, int row, int column, const QString& text);

// "metano" or "GPL" in tipoc sets visc, mas, pcs, pci; any other text
// changes nothing.
void ApplyGasType(ApplicationState& state, int row);

// tipofi := NominalDiameters[index], diam := its internal diameter (empty
// for "ND").
void ApplyNominalDiameter(ApplicationState& state, int row, int index);

// The nominal name whose internal diameter equals the number read from diam,
// "ND" when none does.
QString MatchInternalDiameter(const ApplicationState& state, int row);

// Computes a row. A row with an empty length, nominal diameter, flow, gas
// type or internal diameter is left as it is (false). A gas type other than
// "metano" or "GPL" leaves the row's viscosity and density as they are. A row
// that cannot be computed (flow, diameter or viscosity 0) keeps its virtual
// length and gets empty results (true).
bool CalculateGasRow(ApplicationState& state, int row);

// Whether a row has the length, nominal diameter, flow, gas type and
// internal diameter its computation needs.
bool GasRowComplete(const GasSegmentTable::Row& cells);
// The results of a complete row computed with the internal diameter `d`
// (mm), as CalculateGasRow computes them: the virtual length (none when not
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
// The loss of a complete row (mbar) with the internal diameter
// `diameterMm`; none when it cannot be computed.
std::optional<double> GasRowLoss(const GasSegmentTable::Row& cells, double diameterMm);

// Computes every row of the table, as the print pass does by paging the band
// through it.
void CalculateAllGasRows(ApplicationState& state);

// Sum of perd over rows 1 to the last row of the band.
double GasRunningTotal(const ApplicationState& state);
// Sum of perd over rows 1..lastRow.
double GasTotal(const ApplicationState& state, int lastRow);

// GasRowCount := rows 1..500 whose length reads above 0.
void CountGasRows(ApplicationState& state);

// The hint line of the gas window.
QString GasHint(const ApplicationState& state);

// The input check; honours and resets GasCheckQuiet.
CheckOutcome CheckGasData(ApplicationState& state);
// The same check of rows 1..count of a table, silent on success.
CheckOutcome CheckGasTable(const GasSegmentTable& table, int count);
// The items the check asks of every row.
std::span<const RequiredItem> GasRequiredItems();

// Deletes a row; a row without length is kept and the warning returned.
Notice DeleteGasRow(ApplicationState& state, int row);

// GasRowCount := 0 and every cell of rows 1..500 emptied. GasBandTop stays.
void ClearGasTable(ApplicationState& state);

// Refusal of a length typed on a row that would leave a blank row before it.
std::optional<Notice> RefuseGasLength(const ApplicationState& state, int row, const QString& text);
