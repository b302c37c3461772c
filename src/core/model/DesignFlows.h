#pragma once

#include "core/model/FlowSettings.h"
#include "core/model/GasTable.h"
#include "core/model/Verification.h"
#include "core/model/WaterTable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The design flow of every segment from what the building holds: the
// fixtures each water pipe serves and the appliances each gas pipe feeds
// (the segment's utenze), summed over everything downstream of it (the
// segment and every segment fed through it, by the upstream segments) and
// brought to a design flow by the project's method.

// The name of a method as the data file and the windows write it:
// "somma delle portate", "DIN 1988-300", "curva di contemporaneità".
QString WaterFlowMethodName(WaterFlowMethod method);
std::optional<WaterFlowMethod> WaterFlowMethodNamed(const QString& name);
// The method with its building type or curve, for titles and the report:
// "DIN 1988-300, abitazioni".
QString WaterFlowMethodText(const WaterFlowSettings& settings);

// One utenza of a water segment: a fixture type and how many.
struct WaterOutlet {
    QString type;
    int count = 0;
    friend bool operator==(const WaterOutlet&, const WaterOutlet&) = default;
};

// One utenza of a gas segment: an appliance, its nominal heat input (kW)
// and how many.
struct GasAppliance {
    QString name;
    double kW = 0;
    int count = 0;
    friend bool operator==(const GasAppliance&, const GasAppliance&) = default;
};

// The utenze of a segment live in a column of its network's table, so that
// they move, are deleted, undone and redone with their row: one text, an
// utenza a line, its fields apart by tabs (neither can be in a name the
// file holds).
std::vector<WaterOutlet> WaterOutletsOf(const Cell& cell);
std::vector<GasAppliance> GasAppliancesOf(const Cell& cell);
QString WaterOutletsText(const std::vector<WaterOutlet>& outlets);
QString GasAppliancesText(const std::vector<GasAppliance>& appliances);

// Refusal of a name for a type or an appliance (empty, or holding what the
// file cannot hold); empty when it is fine.
QString RefuseUtenzaName(const QString& name);

// The design flow of one segment.
struct SegmentDesignFlow {
    // Whether the segment serves any utenza (its own or downstream).
    bool serves = false;
    // What it serves, in the method's measure: Σq (l/s) for the sum, ΣVR
    // (l/s) for DIN 1988-300, ΣLU for a curve, Σ kW for gas.
    double served = 0;
    // Gas: the appliances served.
    int appliances = 0;
    // l/s for water, m³/h for gas; none when not computable.
    std::optional<double> flow;
    // Why it is not computable: a type the project does not know, a gas
    // segment without its gas, a method without its building or curve.
    QString problem;
};

struct DesignFlows {
    NetworkKind kind = NetworkKind::Water;
    // The network has utenze: without any, nothing is proposed.
    bool any = false;
    std::vector<SegmentDesignFlow> rows; // row r at index r - 1, rows 1..count

    const SegmentDesignFlow& row(int r) const { return rows[static_cast<size_t>(r - 1)]; }
    int count() const { return static_cast<int>(rows.size()); }
};

DesignFlows WaterDesignFlows(const WaterTable& table, int count, const WaterFlowSettings& settings);
DesignFlows GasDesignFlows(const GasSegmentTable& table, int count,
                           const GasFlowSettings& settings);

// What a segment serves, as the method measures it: its caption and unit
// ("ΣVR", "l/s"; "ΣUC", "" for loading units; "ΣP", "kW" for gas).
struct ServedMeasure {
    QString caption;
    QString unit;
};
ServedMeasure ServedMeasureOf(NetworkKind kind, WaterFlowMethod method);

// A design flow as the flow column receives it: to three decimals, with a
// point (l/s for water, m³/h for gas).
QString DesignFlowText(double flow);
// Whether the flow typed in a row differs from its design flow, as that
// text gives it.
bool FlowDiffers(const Cell& typed, double design);
// The rows whose typed flow differs from a computable design flow.
std::vector<int> RowsWithOtherFlows(const DesignFlows& flows, const WaterTable& water);
std::vector<int> RowsWithOtherFlows(const DesignFlows& flows, const GasSegmentTable& gas);
// "le portate dei tronchi 3, 5 non corrispondono alle utenze" (one row: "la
// portata del tronco 3 non corrisponde alle utenze"); empty for none.
QString OtherFlowsText(const std::vector<int>& rows);
