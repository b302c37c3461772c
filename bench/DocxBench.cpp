// Speed of the word-processor output: a report's largest table (500
// segments, 15 columns) built in the document model, written as a .docx
// package, and counted in pages.
#include "documents/DocxWriter.h"
#include "documents/WordDocument.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Segments = 500;
constexpr int Columns = 15;

WordDocument fullTableDocument() {
    WordDocument doc;
    doc.StandardSetup();
    doc.setFontSize(12);
    doc.TypeText(QStringLiteral("Si riportano, sotto forma tabellare, tutti i dati ed i risultati "
                                "del calcolo eseguito.\r"));
    doc.addParagraphAtEnd();
    const int t = doc.addTableAtEnd(Segments + 3, Columns);
    doc.setTableFontSize(t, 7);
    for (int c = 1; c <= Columns; ++c) {
        doc.setCellText(t, 1, c, QStringLiteral("perdita"));
        doc.setCellText(t, 2, c, QStringLiteral("mbar"));
    }
    for (int r = 3; r <= Segments + 2; ++r) {
        const QString number = QStringLiteral(" %1").arg(r - 2);
        doc.setCellText(t, r, 1, number);
        for (int c = 2; c <= Columns; ++c)
            doc.setCellText(t, r, c, QStringLiteral("%1.%2").arg(r * c % 997).arg(r % 100));
    }
    doc.setCellText(t, Segments + 3, Columns - 1, QStringLiteral("totale"));
    doc.setCellText(t, Segments + 3, Columns, QStringLiteral("1234.56"));
    doc.autoFormat(t, 9);
    for (int c = 1; c <= Columns; ++c) {
        doc.selectColumn(t, c);
        doc.setAlignment(WordAlignment::Right);
    }
    doc.collapseSelection();
    doc.addParagraphAtEnd();
    return doc;
}

void DocxFullTable(benchmark::State& bench) {
    for (auto _ : bench) {
        const WordDocument doc = fullTableDocument();
        const Result<QByteArray> package = DocxPackage(doc);
        benchmark::DoNotOptimize(package->size());
    }
}
BENCHMARK(DocxFullTable)->Unit(benchmark::kMillisecond);

void DocxPageCountFullTable(benchmark::State& bench) {
    const WordDocument doc = fullTableDocument();
    for (auto _ : bench)
        benchmark::DoNotOptimize(doc.pageCount());
}
BENCHMARK(DocxPageCountFullTable)->Unit(benchmark::kMillisecond);

} // namespace
