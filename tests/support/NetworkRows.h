#pragma once

#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"

#include <optional>
#include <vector>

// Networks for the verification and sizing tests: rows typed as the data
// windows store them, each fed from the row before unless told otherwise.

// A gas segment: length (m), nominal diameter index (1..12, 4: 1''), flow
// (m³/h), gas type, and its upstream segment (nothing: the row before).
struct GasSegment {
    double length = 10;
    int nominal = 4;
    double flow = 2;
    const char* gas = "metano";
    std::optional<int> upstream = std::nullopt;
};

// A water segment: length (m), internal diameter (mm), flow (l/s), wall
// type (1 smooth, B = 0.002), its upstream segment.
struct WaterSegment {
    double length = 100;
    double diameter = 100;
    double flow = 10;
    int wallType = 1;
    std::optional<int> upstream = std::nullopt;
};

// Default gas segments (10 m of 1'' at 2 m³/h of methane, 0.0586 mbar
// each), row r fed from upstreams[r - 1].
inline std::vector<GasSegment> GasTree(std::initializer_list<int> upstreams) {
    std::vector<GasSegment> rows;
    for (int up : upstreams)
        rows.push_back({.upstream = up});
    return rows;
}

// Types rows 1..n into the network, as the data window does.
inline void StoreGasNetwork(ApplicationState& s, const std::vector<GasSegment>& rows) {
    GasNetwork& gas = s.project.gas;
    int r = 0;
    for (const GasSegment& g : rows) {
        gas.TypeGasCell(++r, GasColumn::lungh, NumberToText(g.length));
        gas.ApplyNominalDiameter(r, g.nominal);
        gas.TypeGasCell(r, GasColumn::portgas, NumberToText(g.flow));
        gas.TypeGasCell(r, GasColumn::tipoc, QString::fromUtf8(g.gas));
        if (g.upstream)
            gas.setUpstream(r, *g.upstream);
    }
}

inline void StoreWaterNetwork(ApplicationState& s, const std::vector<WaterSegment>& rows) {
    WaterNetwork& water = s.project.water;
    int r = 0;
    for (const WaterSegment& w : rows) {
        water.StoreWaterCell(++r, WaterColumn::lungh, NumberToText(w.length));
        water.StoreWaterCell(r, WaterColumn::diam, NumberToText(w.diameter));
        water.StoreWaterCell(r, WaterColumn::port, NumberToText(w.flow));
        water.PickWallType(r, w.wallType);
        if (w.upstream)
            water.setUpstream(r, *w.upstream);
    }
}

// The upstream segments of rows 1..n, as the table holds them.
template <typename Table> std::vector<int> Upstreams(const Table& table, int n) {
    std::vector<int> up;
    for (int r = 1; r <= n; ++r)
        up.push_back(table.upstream(r));
    return up;
}
