#pragma once

#include "core/ApplicationState.h"
#include "core/NumberText.h"

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

// Stores and computes rows 1..n.
inline void StoreGasNetwork(ApplicationState& s, const std::vector<GasSegment>& rows) {
    int r = 0;
    for (const GasSegment& g : rows) {
        SetGasCell(s, ++r, GasColumn::lungh, NumberToText(g.length));
        ApplyNominalDiameter(s, r, g.nominal);
        SetGasCell(s, r, GasColumn::portgas, NumberToText(g.flow));
        SetGasCell(s, r, GasColumn::tipoc, QString::fromUtf8(g.gas));
        if (g.upstream)
            s.gas.setUpstream(r, *g.upstream);
        CalculateGasRow(s, r);
    }
    CountGasRows(s);
}

inline void StoreWaterNetwork(ApplicationState& s, const std::vector<WaterSegment>& rows) {
    int r = 0;
    for (const WaterSegment& w : rows) {
        StoreWaterCell(s, ++r, WaterColumn::lungh, NumberToText(w.length));
        StoreWaterCell(s, r, WaterColumn::diam, NumberToText(w.diameter));
        StoreWaterCell(s, r, WaterColumn::port, NumberToText(w.flow));
        PickWallType(s, r, w.wallType);
        if (w.upstream)
            s.water.setUpstream(r, *w.upstream);
        RecalculateRow(s, r);
    }
    RecountRows(s);
}

// The upstream segments of rows 1..n, as the table holds them.
template <typename Table> std::vector<int> Upstreams(const Table& table, int n) {
    std::vector<int> up;
    for (int r = 1; r <= n; ++r)
        up.push_back(table.upstream(r));
    return up;
}
