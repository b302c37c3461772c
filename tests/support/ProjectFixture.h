#pragma once

#include "ShellFixture.h"

#include "core/file/ProjectFile.h"
#include "windows/cover/frontespizio.h"
#include "windows/gas/datigas.h"
#include "windows/project/ProjectFileCommands.h"
#include "windows/water/dati.h"

#include <QTemporaryDir>
#include <QTest>

// Writes a small complete project named `name` to `path`: two segments of
// each network, every input given.
inline void WriteProject(const QString& path, const QString& name) {
    Project p;
    for (int r = 1; r <= 2; ++r) {
        p.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("10"));
        p.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("50"));
        p.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("2"));
        p.water.PickWallType(r, 1);
        p.gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("10"));
        p.gas.TypeGasCell(r, GasColumn::tipofi, QStringLiteral("1''"));
        p.gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2"));
        p.gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
        p.gas.TypeGasCell(r, GasColumn::diam, QStringLiteral("27.9"));
    }
    p.cover.progetto = name;
    [&] { QVERIFY(SaveProjectFile(p, path).ok()); }();
}

// The program's shell with its three main windows enrolled (opening a
// project loads them) and a folder for project files.
struct ProjectFixture : ShellFixture {
    QTemporaryDir dir;

    ProjectFixture() {
        forms.enrol<dati>();
        forms.enrol<datigas>();
        forms.enrol<frontespizio>();
    }
    dati& water() { return forms.get<dati>(); }
    datigas& gas() { return forms.get<datigas>(); }
    frontespizio& cover() { return forms.get<frontespizio>(); }

    // A project named `name` written as `file` in the folder; its path.
    QString write(const QString& file, const QString& name) const {
        const QString path = dir.filePath(file);
        WriteProject(path, name);
        return path;
    }
};
