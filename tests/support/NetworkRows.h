#pragma once

#include "core/ApplicationState.h"
#include "core/NumberText.h"

#include <optional>
#include <vector>

// Networks for the verification and sizing tests: rows typed as the data
// windows store them, each fed from the row before unless told otherwise.

// A gas segment: length (m), nominal diameter index (1..12), flow (m³/h),
// gas type, and its upstream segment (nothing: the row before).
struct GasSegment {
    GasSegment(double length = 10, int nominal = 4, double flow = 2, const char* gas = "metano",
               std::optional<int> upstream = std::nullopt)
        : length(length)
        , nominal(nominal)
        , flow(flow)
        , gas(gas)
        , upstream(upstream) {}
    double length;
    int nominal; // 4: 1''
    double flow;
    const char* gas;
    std::optional<int> upstream;
};

// Stores and computes rows 1..n.
inline void StoreGasNetwork(ApplicationState& s, const std::vector<GasSegment>& rows) {
    int r = 0;
    for (const GasSegment& g : rows) {
        ++r;
        SetGasCell(s, r, GasColumn::lungh, NumberToText(g.length));
        ApplyNominalDiameter(s, r, g.nominal);
        SetGasCell(s, r, GasColumn::portgas, NumberToText(g.flow));
        SetGasCell(s, r, GasColumn::tipoc, QString::fromUtf8(g.gas));
        if (g.upstream)
            s.gas.setUpstream(r, *g.upstream);
        CalculateGasRow(s, r);
    }
    CountGasRows(s);
}

// A water segment: length (m), internal diameter (mm), flow (l/s), wall
// type (1 smooth, B = 0.002), its upstream segment.
struct WaterSegment {
    WaterSegment(double length = 100, double diameter = 100, double flow = 10, int wallType = 1,
                 std::optional<int> upstream = std::nullopt)
        : length(length)
        , diameter(diameter)
        , flow(flow)
        , wallType(wallType)
        , upstream(upstream) {}
    double length;
    double diameter;
    double flow;
    int wallType;
    std::optional<int> upstream;
};

inline void StoreWaterNetwork(ApplicationState& s, const std::vector<WaterSegment>& rows) {
    int r = 0;
    for (const WaterSegment& w : rows) {
        ++r;
        StoreWaterCell(s, r, WaterColumn::lungh, NumberToText(w.length));
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
