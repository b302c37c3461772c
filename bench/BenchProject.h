#pragma once

#include "core/ApplicationState.h"

#include <QDir>

// A full project: 500 water and 500 gas segments, every row computable.
inline ApplicationState fullProject() {
    ApplicationState state;
    for (int r = 1; r <= MaxRows; ++r) {
        const QString length = QString::number(1 + r % 17) + QStringLiteral(".5");
        StoreWaterCell(state, r, WaterColumn::lungh, length);
        StoreWaterCell(state, r, WaterColumn::diam, QStringLiteral("27.2"));
        StoreWaterCell(state, r, WaterColumn::port, QStringLiteral("0.85"));
        PickWallType(state, r, 1 + r % 3);
        StoreWaterCell(state, r, WaterColumn::c90, QStringLiteral("2"));
        StoreWaterCell(state, r, WaterColumn::tes, QStringLiteral("1"));

        SetGasCell(state, r, GasColumn::lungh, length);
        ApplyNominalDiameter(state, r, 1 + r % 12);
        SetGasCell(state, r, GasColumn::portgas, QStringLiteral("2.4"));
        SetGasCell(state, r, GasColumn::tipoc,
                   r % 2 ? QStringLiteral("metano") : QStringLiteral("GPL"));
        SetGasCell(state, r, GasColumn::cu90, QStringLiteral("3"));
        ApplyGasType(state, r);
    }
    RecountRows(state);
    CountGasRows(state);
    state.cover.progetto = QStringLiteral("Prova di velocità");
    return state;
}

// A folder held in memory where there is one: a file written there is
// flushed to no disk, so the figure is the program's own work (the flush
// that lets a file survive a power cut waits on the disk, not on the CPU).
inline QString MemoryFolder() {
    const QString memory = QStringLiteral("/dev/shm");
    return QDir(memory).exists() ? memory : QDir::tempPath();
}
