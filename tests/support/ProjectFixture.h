#pragma once

#include "ShellFixture.h"

#include "core/ProjectFile.h"
#include "windows/cover/frontespizio.h"
#include "windows/gas/datigas.h"
#include "windows/water/ProjectFileCommands.h"
#include "windows/water/dati.h"

#include <QTemporaryDir>
#include <QTest>

// Writes a small complete project named `name` to `path`: two segments of
// each network, every input given.
inline void WriteProject(const QString& path, const QString& name) {
    ApplicationState s;
    for (int r = 1; r <= 2; ++r) {
        StoreWaterCell(s, r, WaterColumn::lungh, QStringLiteral("10"));
        StoreWaterCell(s, r, WaterColumn::diam, QStringLiteral("50"));
        StoreWaterCell(s, r, WaterColumn::port, QStringLiteral("2"));
        PickWallType(s, r, 1);
        SetGasCell(s, r, GasColumn::lungh, QStringLiteral("10"));
        SetGasCell(s, r, GasColumn::tipofi, QStringLiteral("1''"));
        SetGasCell(s, r, GasColumn::portgas, QStringLiteral("2"));
        SetGasCell(s, r, GasColumn::tipoc, QStringLiteral("metano"));
        SetGasCell(s, r, GasColumn::diam, QStringLiteral("27.9"));
    }
    RecountRows(s);
    CountGasRows(s);
    s.cover.progetto = name;
    [&] { QCOMPARE(SaveProjectFile(s, path), QString()); }();
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
