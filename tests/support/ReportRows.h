#pragma once

#include "core/ApplicationState.h"

// Complete rows 1..n of each network, their losses not yet computed (water:
// 100 m, 100 mm, 10 l/s, smooth, two 90° bends, 2.12 m each; gas: 6.5 m of
// 1 1/4'' methane pipe at 4.8 m³/h). `gap` empties the flow of row 2, which
// the input check needs.
inline void StoreReportWater(ApplicationState& s, int n, bool gap = false) {
    for (int r = 1; r <= n; ++r) {
        StoreWaterCell(s, r, WaterColumn::lungh, QStringLiteral("100"));
        StoreWaterCell(s, r, WaterColumn::diam, QStringLiteral("100"));
        StoreWaterCell(s, r, WaterColumn::port, gap && r == 2 ? QString() : QStringLiteral("10"));
        PickWallType(s, r, 1);
        StoreWaterCell(s, r, WaterColumn::c90, QStringLiteral("2"));
    }
    RecountRows(s);
}

inline void StoreReportGas(ApplicationState& s, int n, bool gap = false) {
    for (int r = 1; r <= n; ++r) {
        SetGasCell(s, r, GasColumn::lungh, QStringLiteral("6.5"));
        ApplyNominalDiameter(s, r, 5);
        SetGasCell(s, r, GasColumn::portgas, gap && r == 2 ? QString() : QStringLiteral("4.8"));
        SetGasCell(s, r, GasColumn::tipoc, QStringLiteral("metano"));
    }
    CountGasRows(s);
}
