#pragma once

#include "core/session/ApplicationState.h"

#include <QDir>

// A full project: 500 water and 500 gas segments, every row computed.
inline ApplicationState fullProject() {
    ApplicationState state;
    WaterNetwork& water = state.project.water;
    GasNetwork& gas = state.project.gas;
    for (int r = 1; r <= MaxRows; ++r) {
        const QString length = QString::number(1 + r % 17) + QStringLiteral(".5");
        water.StoreWaterCell(r, WaterColumn::lungh, length);
        water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("27.2"));
        water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("0.85"));
        water.PickWallType(r, 1 + r % 3);
        water.StoreWaterCell(r, WaterColumn::c90, QStringLiteral("2"));
        water.StoreWaterCell(r, WaterColumn::tes, QStringLiteral("1"));

        gas.TypeGasCell(r, GasColumn::lungh, length);
        gas.ApplyNominalDiameter(r, 1 + r % 12);
        gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2.4"));
        gas.TypeGasCell(r, GasColumn::tipoc,
                        r % 2 ? QStringLiteral("metano") : QStringLiteral("GPL"));
        gas.TypeGasCell(r, GasColumn::cu90, QStringLiteral("3"));
    }
    state.project.cover.progetto = QStringLiteral("Prova di velocità");
    return state;
}

// What a data file of that project holds.
inline ProjectData fullProjectData() {
    const ApplicationState full = fullProject();
    const Project& p = full.project;
    return {p.water.count(), p.water.table(), p.gas.count(), p.gas.table(), p.cover, p.extension()};
}

// A folder held in memory where there is one: a file written there is
// flushed to no disk, so the figure is the program's own work (the flush
// that lets a file survive a power cut waits on the disk, not on the CPU).
inline QString MemoryFolder() {
    const QString memory = QStringLiteral("/dev/shm");
    return QDir(memory).exists() ? memory : QDir::tempPath();
}
