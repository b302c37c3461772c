// Speed of the printed outputs of a full network (500 segments): the
// listing drawn into a PDF file and the word-processor document written as a
// .docx package, for water and for gas; and the technical report of both
// networks on both routes. Files go to a folder held in memory, as the save
// does.
#include "BenchProject.h"
#include "BenchTarget.h"
#include "documents/DocxWriter.h"
#include "documents/GasPrintout.h"
#include "documents/PainterPageSink.h"
#include "documents/TechnicalReport.h"
#include "documents/WaterPrintout.h"
#include "documents/WordDocument.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

ApplicationState& project() {
    static ApplicationState state = [] {
        ApplicationState s = fullProject();
        InitApplicationState(s);
        return s;
    }();
    return state;
}

void WaterListingToPdf(benchmark::State& bench) {
    QTemporaryDir dir(MemoryFolder() + QStringLiteral("/tubarex-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("acqua.pdf"));
    for (auto _ : bench) {
        const Result<> ok =
            PrintToPdf(path, [](PrinterPage& page) { PrintWaterListing(project().project, page); });
        benchmark::DoNotOptimize(ok);
    }
    SetTarget(bench, 30);
}
BENCHMARK(WaterListingToPdf)->Unit(benchmark::kMillisecond);

void GasListingToPdf(benchmark::State& bench) {
    QTemporaryDir dir(MemoryFolder() + QStringLiteral("/tubarex-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("gas.pdf"));
    for (auto _ : bench) {
        const Result<> ok =
            PrintToPdf(path, [](PrinterPage& page) { PrintGasListing(project().project, page); });
        benchmark::DoNotOptimize(ok);
    }
    SetTarget(bench, 50);
}
BENCHMARK(GasListingToPdf)->Unit(benchmark::kMillisecond);

void WaterDocumentToDocx(benchmark::State& bench) {
    const double total = ReportNetworkTotals(project().project).water;
    for (auto _ : bench) {
        WordDocument document;
        BuildWaterDocument(document, project(), total, QLocale(QLocale::Italian));
        const Result<QByteArray> bytes = DocxPackage(document);
        benchmark::DoNotOptimize(bytes->data());
    }
    SetTarget(bench, 10);
}
BENCHMARK(WaterDocumentToDocx)->Unit(benchmark::kMillisecond);

void GasDocumentToDocx(benchmark::State& bench) {
    const double total = ReportNetworkTotals(project().project).gas;
    for (auto _ : bench) {
        WordDocument document;
        BuildGasDocument(document, project(), total, QLocale(QLocale::Italian));
        const Result<QByteArray> bytes = DocxPackage(document);
        benchmark::DoNotOptimize(bytes->data());
    }
    SetTarget(bench, 25);
}
BENCHMARK(GasDocumentToDocx)->Unit(benchmark::kMillisecond);

void ReportToPdf(benchmark::State& bench) {
    QTemporaryDir dir(MemoryFolder() + QStringLiteral("/tubarex-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
    for (auto _ : bench) {
        const Result<> ok =
            PrintToPdf(path, [](PrinterPage& page) { PrintTechnicalReport(project(), page); });
        benchmark::DoNotOptimize(ok);
    }
    SetTarget(bench, 250);
}
BENCHMARK(ReportToPdf)->Unit(benchmark::kMillisecond);

void ReportToDocx(benchmark::State& bench) {
    const ReportTotals totals = ReportNetworkTotals(project().project);
    for (auto _ : bench) {
        WordDocument document;
        BuildTechnicalReport(document, project(), totals, QLocale(QLocale::Italian));
        const Result<QByteArray> bytes = DocxPackage(document);
        benchmark::DoNotOptimize(bytes->data());
    }
    SetTarget(bench, 60);
}
BENCHMARK(ReportToDocx)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
