#pragma once

#include "core/session/ApplicationState.h"

// Complete rows 1..n of each network, as typed (water: 100 m, 100 mm,
// 10 l/s, smooth, two 90° bends, 2.12 m each; gas: 6.5 m of 1 1/4'' methane
// pipe at 4.8 m³/h). `gap` empties the flow of row 2, which the input check
// needs.
inline void StoreReportWater(ApplicationState& s, int n, bool gap = false) {
    WaterNetwork& water = s.project.water;
    for (int r = 1; r <= n; ++r) {
        water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("100"));
        water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("100"));
        water.StoreWaterCell(r, WaterColumn::port,
                             gap && r == 2 ? QString() : QStringLiteral("10"));
        water.PickWallType(r, 1);
        water.StoreWaterCell(r, WaterColumn::c90, QStringLiteral("2"));
    }
}

inline void StoreReportGas(ApplicationState& s, int n, bool gap = false) {
    GasNetwork& gas = s.project.gas;
    for (int r = 1; r <= n; ++r) {
        gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("6.5"));
        gas.ApplyNominalDiameter(r, 5);
        gas.TypeGasCell(r, GasColumn::portgas, gap && r == 2 ? QString() : QStringLiteral("4.8"));
        gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
    }
}
