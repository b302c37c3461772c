// Speed of the core: computing full tables and reading and writing a full
// project (500 water and 500 gas segments).
#include "BenchProject.h"
#include "BenchTarget.h"
#include "core/file/ProjectFile.h"
#include "core/model/DesignFlows.h"
#include "core/model/Sizing.h"
#include "core/model/Verification.h"
#include "core/session/ApplicationState.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

namespace {

// Every row of both networks computed, as a project put in place computes
// them (a data file opened): the tables move in, then each row's results.
// Only that is timed: the copy of the file's data and the project's own end
// are not.
void RecomputeThousandRows(benchmark::State& bench) {
    const ProjectData data = fullProjectData();
    for (auto _ : bench) {
        auto state = std::make_unique<ApplicationState>();
        ProjectData copy = data;
        const auto start = std::chrono::steady_clock::now();
        ApplyProjectData(*state, std::move(copy));
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(state->project.water.at(MaxRows, WaterColumn::perd));
        bench.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    bench.SetItemsProcessed(bench.iterations() * 2 * MaxRows);
    SetTarget(bench, 40);
}
BENCHMARK(RecomputeThousandRows)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One keystroke in the length box of a 500-row table, as the water window
// handles it: the model stores, counts and computes the row; the window
// reads the hint, the total and the ten rows of the band.
void WaterKeystroke(benchmark::State& bench) {
    ApplicationState state = fullProject();
    state.view.WaterBandTop = 491;
    int n = 0;
    for (auto _ : bench) {
        const int row = 495;
        state.project.water.StoreWaterCell(row, WaterColumn::lungh,
                                           QString::number(10 + (++n % 7)));
        const QString hint = state.project.water.WaterHint();
        const double total = WaterRunningTotal(state);
        for (int r = state.view.WaterBandTop; r < state.view.WaterBandTop + BandLines; ++r)
            benchmark::DoNotOptimize(state.project.water.at(r, WaterColumn::perd).displayText());
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
    for (int r = 2; r <= MaxRows; ++r) {
        state.project.water.setUpstream(r, r / 2);
        state.project.gas.setUpstream(r, r / 2);
    }
    const Project& p = state.project;
    for (auto _ : bench) {
        const NetworkVerification water =
            VerifyWater(p.water.table(), p.water.rows(), p.extension().waterLimits);
        const NetworkVerification gas =
            VerifyGas(p.gas.table(), p.gas.rows(), p.extension().gasLimits);
        benchmark::DoNotOptimize(water.critical + gas.critical);
    }
    SetTarget(bench, 50);
}
BENCHMARK(VerifyFullProject)->Unit(benchmark::kMicrosecond);

// The same with a rise on every segment, a meter on the first, the
// pressures at the source and the complete gas height effect: what the
// heights and pressures add to every keystroke.
void VerifyFullProjectWithPressures(benchmark::State& bench) {
    ApplicationState state = fullProject();
    for (int r = 2; r <= MaxRows; ++r) {
        state.project.water.setUpstream(r, r / 2);
        state.project.gas.setUpstream(r, r / 2);
    }
    for (int r = 1; r <= MaxRows; ++r) {
        state.project.water.setElevationValue(r, WaterColumn::disl, r % 3 ? 0.5 : -0.5);
        state.project.gas.setElevationValue(r, GasColumn::disl, r % 3 ? 0.5 : -0.5);
    }
    state.project.water.setElevationValue(1, WaterColumn::pconc, 2.5);
    state.project.gas.setElevationValue(1, GasColumn::pconc, 0.3);
    WaterLimits water;
    water.sourceKPa = 400;
    water.staticKPa = 450;
    SetWaterLimits(state, water);
    GasLimits gas;
    gas.heightEffect = HeightEffect::Full;
    SetGasLimits(state, gas);
    const Project& p = state.project;
    for (auto _ : bench) {
        const NetworkVerification w =
            VerifyWater(p.water.table(), p.water.rows(), p.extension().waterLimits,
                        p.extension().waterFlows.types);
        const NetworkVerification g =
            VerifyGas(p.gas.table(), p.gas.rows(), p.extension().gasLimits);
        benchmark::DoNotOptimize(w.critical + g.critical);
    }
    SetTarget(bench, 50);
}
BENCHMARK(VerifyFullProjectWithPressures)->Unit(benchmark::kMicrosecond);

// The design flows of both networks of a full project as "Utenze e
// portate" and the verification redo them on every keystroke: binary trees
// (row r fed from row r / 2), two utenze on each of the 500 segments of
// each network (1000 per network), water by the DIN 1988-300 peak flow.
void DesignFlowsOf500(benchmark::State& bench) {
    ApplicationState state = fullProject();
    WaterFlowSettings water{WaterFlowMethod::Din, QStringLiteral("abitazioni"), {}, {}};
    for (const FixtureCatalogue& c : ShippedFixtureCatalogues()) {
        if (c.name == u"DIN 1988-300")
            water.types = c.types;
    }
    for (int r = 1; r <= MaxRows; ++r) {
        if (r > 1) {
            state.project.water.setUpstream(r, r / 2);
            state.project.gas.setUpstream(r, r / 2);
        }
        state.project.water.SetWaterOutlets(
            r, {{water.types[0].name, 1 + r % 3}, {water.types[1].name, 1}});
        state.project.gas.SetGasAppliances(
            r, {{QStringLiteral("caldaia"), 24, 1}, {QStringLiteral("piano cottura"), 7.5, 1}});
    }
    const Project& p = state.project;
    for (auto _ : bench) {
        const DesignFlows w = WaterDesignFlows(p.water.table(), p.water.rows(), water);
        const DesignFlows g = GasDesignFlows(p.gas.table(), p.gas.rows(), {});
        benchmark::DoNotOptimize(w.rows.front().flow);
        benchmark::DoNotOptimize(g.rows.front().flow);
    }
    SetTarget(bench, 200);
}
BENCHMARK(DesignFlowsOf500)->Unit(benchmark::kMicrosecond);

// Sizing a network of 500 segments, from the catalogue and limits as the
// window's "Dimensiona" takes them: the gas network as a binary tree (250
// paths), and the water network as one path of 500 segments with an
// available head, which every segment shares. The search is exact (see
// SizingSearch.h); the one path sharing one head makes the largest sets.
void SizeGasNetworkOf500(benchmark::State& bench) {
    ApplicationState state = fullProject();
    for (int r = 2; r <= MaxRows; ++r)
        state.project.gas.setUpstream(r, r / 2);
    for (auto _ : bench) {
        const SizingProposal p = SizeGasNetwork(state.project);
        if (!p.passed)
            bench.SkipWithError(p.message.toUtf8().constData());
        benchmark::DoNotOptimize(p.pipeProposed);
    }
    SetTarget(bench, 50);
}
BENCHMARK(SizeGasNetworkOf500)->Unit(benchmark::kMillisecond);

void SizeWaterNetworkOf500(benchmark::State& bench) {
    ApplicationState state = fullProject();
    WaterLimits limits;
    limits.head = 40.0;
    state.project.setWaterLimits(limits);
    for (auto _ : bench) {
        const SizingProposal p = SizeWaterNetwork(state.project, ShippedWaterSeries().front());
        if (!p.passed)
            bench.SkipWithError(p.message.toUtf8().constData());
        benchmark::DoNotOptimize(p.pipeProposed);
    }
    SetTarget(bench, 200);
}
BENCHMARK(SizeWaterNetworkOf500)->Unit(benchmark::kMillisecond);

void ReadAndValidateFullFile(benchmark::State& bench) {
    const QByteArray bytes = BuildProjectFile(fullProject().project).value();
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
        auto built = BuildProjectFile(state.project);
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BuildFullFile)->Unit(benchmark::kMicrosecond);

void SaveFullFileToDisk(benchmark::State& bench) {
    const ApplicationState state = fullProject();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    for (auto _ : bench) {
        const Result<> saved = SaveProjectFile(state.project, path);
        benchmark::DoNotOptimize(saved);
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
        const Result<> saved = SaveProjectFile(state.project, path);
        benchmark::DoNotOptimize(saved);
    }
    SetTarget(bench, 1000);
}
BENCHMARK(SaveFullFileInMemory)->Unit(benchmark::kMicrosecond);

void LoadFullFileFromDisk(benchmark::State& bench) {
    const ApplicationState full = fullProject();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    if (!SaveProjectFile(full.project, path))
        bench.SkipWithError("the file could not be written");
    ApplicationState state;
    for (auto _ : bench) {
        const Result<> loaded = LoadProjectFile(state, path);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(LoadFullFileFromDisk)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
