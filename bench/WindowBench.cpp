// Speed of a keystroke as the user waits for it: the real water and gas
// windows on the offscreen platform, a 500-row project, the band at the end
// of the table and one key typed into a length box, timed until the event
// loop has nothing left to do (the repaint of what changed included).
#include "BenchProject.h"
#include "BenchTarget.h"
#include "ShellFixture.h"

#include "windows/gas/datigas.h"
#include "windows/verify/verifica.h"
#include "windows/water/dati.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Counts the events the application delivers: a pass of the event loop
// that delivers none means nothing is left to do.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent*) override {
        ++delivered;
        return false;
    }
    quint64 delivered = 0;
};

void runUntilIdle(const EventCounter& counter) {
    for (;;) {
        const quint64 before = counter.delivered;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (counter.delivered == before)
            return;
    }
}

// Row 495 of 500: line 5 of the band that starts at row 491.
constexpr int BandTop = 491;
constexpr int Line = 5;

// Types alternately a digit at the end of the length and a backspace that
// takes it away again: every key changes the row, as typing does.
template <typename Window> void keystroke(benchmark::State& bench, bool verifying = false) {
    ShellFixture f;
    f.state = fullProject();
    InitApplicationState(f.state);
    InitMessageTitles(f.state);
    // The verification window open beside it, following every key.
    if (verifying)
        f.forms.show<verifica>();
    Window& w = f.forms.show<Window>();
    w.VScroll1->setValue(BandTop);
    QLineEdit* box = w.lungh(Line);
    box->setFocus();
    box->end(false);
    EventCounter counter;
    qApp->installEventFilter(&counter);
    runUntilIdle(counter);

    bool typed = false;
    for (auto _ : bench) {
        QTest::keyClick(box, typed ? Qt::Key_Backspace : Qt::Key_7);
        runUntilIdle(counter);
        typed = !typed;
    }
    qApp->removeEventFilter(&counter);
    f.forms.unload(&w);
}

void WaterWindowKeystroke(benchmark::State& bench) {
    keystroke<dati>(bench);
    SetTarget(bench, 150);
}
BENCHMARK(WaterWindowKeystroke)->Unit(benchmark::kMicrosecond);

void GasWindowKeystroke(benchmark::State& bench) {
    keystroke<datigas>(bench);
    SetTarget(bench, 200);
}
BENCHMARK(GasWindowKeystroke)->Unit(benchmark::kMicrosecond);

void WaterWindowKeystrokeVerifying(benchmark::State& bench) {
    keystroke<dati>(bench, true);
    SetTarget(bench, 150);
}
BENCHMARK(WaterWindowKeystrokeVerifying)->Unit(benchmark::kMicrosecond);

void GasWindowKeystrokeVerifying(benchmark::State& bench) {
    keystroke<datigas>(bench, true);
    SetTarget(bench, 200);
}
BENCHMARK(GasWindowKeystrokeVerifying)->Unit(benchmark::kMicrosecond);

// The offscreen platform says, for every window shown, which window
// manager requests it ignores; the figures are easier to read without.
void quietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietPlatform);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
