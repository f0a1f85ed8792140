// The road of one sensor report, one chart replot, the memory per reading
// (memo and chart) and one auto-save, at long histories. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_history
#include "tests/fixture/ProgramFixture.h"

#include "readings/HistoryChart.h"
#include "readings/MeasurementLog.h"
#include "readings/MemoView.h"

#include <QApplication>
#include <QFile>
#include <QToolButton>

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

long residentBytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * 4096 : 0;
}

// The program with a history of readings, one per simulated second.
struct History
{
    ProgramFixture f;
    int sensor = 0;
    long count = 0;
    double bytesPerReading = 0;

    explicit History(long readings)
    {
        sensor = f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        // Adaptive sampling on, the chart's fast mode for long histories.
        main.DrawAll->click();
        push(); // the first report of a run does extra work once
        QCoreApplication::processEvents();
        const long before = residentBytes();
        for (long i = 1; i < readings; ++i) {
            push();
            // As the running program does between reports; here every
            // thousandth, so the fill stays quick.
            if (i % 1000 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        bytesPerReading
            = static_cast<double>(residentBytes() - before) / static_cast<double>(readings - 1);
    }

    void push()
    {
        // A slow daily curve, as the simulated sensor sends.
        const double t = static_cast<double>(count++);
        f.push(sensor,
            ProgramFixture::report(
                22.0 + 3.0 * std::sin(t / 43200.0 * 3.14159), 45.0 + (count % 7)));
        f.clock.advance(1000);
    }
};

std::unique_ptr<History> g_history;

History& historyOf(long readings)
{
    if (!g_history || g_history->count < readings || g_history->count > readings + 100000) {
        g_history.reset();
        g_history = std::make_unique<History>(readings);
    }
    return *g_history;
}

template <class Step> void timed(benchmark::State& state, Step step)
{
    std::vector<double> times;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
        state.SetIterationTime(elapsed.count());
        times.push_back(elapsed.count() * 1e6);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times.empty() ? 0 : times[times.size() / 2];
}

void Road(benchmark::State& state)
{
    History& h = historyOf(state.range(0));
    // The report handler and then the queued replot it asked for.
    timed(state, [&h] {
        h.push();
        QCoreApplication::processEvents();
    });
}

void ReportHandlerOnly(benchmark::State& state)
{
    History& h = historyOf(state.range(0));
    timed(state, [&h] { h.push(); });
    QCoreApplication::processEvents();
}

void Replot(benchmark::State& state)
{
    History& h = historyOf(state.range(0));
    QCustomPlot* plot = h.f.main().Grafico;
    timed(state, [plot] { plot->replot(QCustomPlot::rpImmediateRefresh); });
}

void Memory(benchmark::State& state)
{
    History& h = historyOf(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(h.count);
    state.counters["bytes_per_reading"] = h.bytesPerReading;
    // What the memo's store and the two series hold, without allocator slack.
    const MemoStore& store = h.f.main().LogMemo->store();
    const double memo = static_cast<double>(store.byteCount()) + 8.0 * static_cast<double>(store.count());
    const double chart = 2.0 * sizeof(QCPGraphData) * h.f.main().Grafico->graph(0)->dataCount();
    state.counters["held_bytes_per_reading"] = (memo + chart) / static_cast<double>(h.count);
}

void AutoSave(benchmark::State& state)
{
    History& h = historyOf(state.range(0));
    MeasurementLog& log = h.f.main().measurementLog();
    timed(state, [&log] { log.TimerAutoSaveTimer(); });
}

} // namespace

BENCHMARK(Memory)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Road)->Arg(1000)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportHandlerOnly)
    ->Arg(1000)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Replot)->Arg(1000)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(AutoSave)->Arg(1000)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Memory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Road)->Arg(100000)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportHandlerOnly)
    ->Arg(100000)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Replot)->Arg(100000)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(AutoSave)->Arg(100000)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Memory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Road)->Arg(1000000)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportHandlerOnly)
    ->Arg(1000000)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Replot)->Arg(1000000)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(AutoSave)->Arg(1000000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    g_history.reset();
    benchmark::Shutdown();
    return 0;
}
