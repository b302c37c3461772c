// Speed of the core: recomputing full tables and reading and writing a full
// project (500 water and 500 gas segments).
#include "BenchProject.h"
#include "BenchTarget.h"
#include "core/ApplicationState.h"
#include "core/ProjectFile.h"
#include "core/Sizing.h"
#include "core/Verification.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void RecomputeThousandRows(benchmark::State& bench) {
    ApplicationState state = fullProject();
    for (auto _ : bench) {
        RecalculateAllWaterRows(state);
        CalculateAllGasRows(state);
        benchmark::DoNotOptimize(state.water.at(MaxRows, WaterColumn::perd));
    }
    bench.SetItemsProcessed(bench.iterations() * 2 * MaxRows);
    SetTarget(bench, 40);
}
BENCHMARK(RecomputeThousandRows)->Unit(benchmark::kMicrosecond);

// One keystroke in the length box of a 500-row table, as the water window
// handles it: store, count, hint, the row, the total and the ten rows of the
// band recomputed for redisplay.
void WaterKeystroke(benchmark::State& bench) {
    ApplicationState state = fullProject();
    state.WaterBandTop = 491;
    int n = 0;
    for (auto _ : bench) {
        const int row = 495;
        StoreWaterCell(state, row, WaterColumn::lungh, QString::number(10 + (++n % 7)));
        RecountRows(state);
        const QString hint = WaterHint(state);
        RecalculateRow(state, row);
        const double total = WaterRunningTotal(state);
        for (int r = state.WaterBandTop; r < state.WaterBandTop + BandLines; ++r) {
            RecalculateRow(state, r);
            benchmark::DoNotOptimize(state.water.at(r, WaterColumn::perd).displayText());
        }
        benchmark::DoNotOptimize(hint);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(WaterKeystroke)->Unit(benchmark::kMicrosecond);

// The verification of a full project as the open window redoes it on every
// keystroke: both networks computed, each a binary tree (row r fed from row
// r / 2, so 250 terminals, paths of up to nine segments), with the input
// check.
void VerifyFullProject(benchmark::State& bench) {
    ApplicationState state = fullProject();
    RecalculateAllWaterRows(state);
    CalculateAllGasRows(state);
    for (int r = 2; r <= MaxRows; ++r) {
        state.water.setUpstream(r, r / 2);
        state.gas.setUpstream(r, r / 2);
    }
    for (auto _ : bench) {
        const NetworkVerification water = VerifyWaterNetwork(state);
        const NetworkVerification gas = VerifyGasNetwork(state);
        benchmark::DoNotOptimize(water.critical + gas.critical);
    }
    SetTarget(bench, 50);
}
BENCHMARK(VerifyFullProject)->Unit(benchmark::kMicrosecond);

// Sizing a network of 500 segments, from the catalogue and limits as the
// window's "Dimensiona" takes them: the gas network as a binary tree (250
// paths), and the water network as one path of 500 segments with an
// available head, which every segment shares.
void SizeGasNetworkOf500(benchmark::State& bench) {
    ApplicationState state = fullProject();
    for (int r = 2; r <= MaxRows; ++r)
        state.gas.setUpstream(r, r / 2);
    CalculateAllGasRows(state);
    for (auto _ : bench) {
        const SizingProposal p = SizeGasNetwork(state);
        if (!p.passed)
            bench.SkipWithError(p.message.toUtf8().constData());
        benchmark::DoNotOptimize(p.pipeProposed);
    }
    SetTarget(bench, 50);
}
BENCHMARK(SizeGasNetworkOf500)->Unit(benchmark::kMillisecond);

void SizeWaterNetworkOf500(benchmark::State& bench) {
    ApplicationState state = fullProject();
    RecalculateAllWaterRows(state);
    state.extension.waterLimits.head = 40.0;
    for (auto _ : bench) {
        const SizingProposal p = SizeWaterNetwork(state, ShippedWaterSeries().front());
        if (!p.passed)
            bench.SkipWithError(p.message.toUtf8().constData());
        benchmark::DoNotOptimize(p.pipeProposed);
    }
    SetTarget(bench, 50);
}
BENCHMARK(SizeWaterNetworkOf500)->Unit(benchmark::kMillisecond);

void ReadAndValidateFullFile(benchmark::State& bench) {
    const QByteArray bytes = std::get<QByteArray>(BuildProjectFile(fullProject()));
    for (auto _ : bench) {
        auto parsed = ParseProjectFile(bytes);
        benchmark::DoNotOptimize(parsed);
    }
    bench.SetBytesProcessed(bench.iterations() * bytes.size());
}
BENCHMARK(ReadAndValidateFullFile)->Unit(benchmark::kMicrosecond);

void BuildFullFile(benchmark::State& bench) {
    const ApplicationState state = fullProject();
    for (auto _ : bench) {
        auto built = BuildProjectFile(state);
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BuildFullFile)->Unit(benchmark::kMicrosecond);

void SaveFullFileToDisk(benchmark::State& bench) {
    const ApplicationState state = fullProject();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    for (auto _ : bench) {
        const QString message = SaveProjectFile(state, path);
        benchmark::DoNotOptimize(message);
    }
}
BENCHMARK(SaveFullFileToDisk)->Unit(benchmark::kMicrosecond);

// The same save in a folder held in memory, where the flush that lets a save
// survive a power cut has no disk to wait for: the CPU time is the program's
// own work (the file built, written, flushed and renamed into place).
void SaveFullFileInMemory(benchmark::State& bench) {
    const ApplicationState state = fullProject();
    QTemporaryDir dir(MemoryFolder() + QStringLiteral("/tubarex-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    for (auto _ : bench) {
        const QString message = SaveProjectFile(state, path);
        benchmark::DoNotOptimize(message);
    }
    SetTarget(bench, 1000);
}
BENCHMARK(SaveFullFileInMemory)->Unit(benchmark::kMicrosecond);

void LoadFullFileFromDisk(benchmark::State& bench) {
    const ApplicationState full = fullProject();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    SaveProjectFile(full, path);
    ApplicationState state;
    for (auto _ : bench) {
        const QString message = LoadProjectFile(state, path);
        benchmark::DoNotOptimize(message);
    }
}
BENCHMARK(LoadFullFileFromDisk)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
