// The view with the largest record file (65,535 records, 196,609 rows):
// Open until the first screen is painted, then closing the file (File New).
// Reports the process's peak resident memory as a counter.
// Run: bench_open_view [path.bin]; default build/samples/large.bin.
#include "app/COrvik50View.h"
#include "grid/CGridCtrl.h"
#include "../PeakMemory.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include "RecordFileBenchMain.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Open, then paint the first screen of the grid into a pixmap (a full paint).
void OpenAndPaint(COrvik50View& view)
{
    if (!view.OpenRecordFile(gRecordFile))
        return;
    QPixmap screen = view.grab();
    benchmark::DoNotOptimize(screen);
}

void BM_OpenLargestFileAndPaintFirstScreen(benchmark::State& state)
{
    COrvik50View view;
    view.resize(1280, 900);
    for (auto _ : state) {
        OpenAndPaint(view);
        state.PauseTiming();
        view.OnInitialUpdate();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_OpenLargestFileAndPaintFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CloseLargestFile(benchmark::State& state)
{
    COrvik50View view;
    view.resize(1280, 900);
    for (auto _ : state) {
        state.PauseTiming();
        OpenAndPaint(view);
        state.ResumeTiming();
        view.OnInitialUpdate();   // File New: the grid and the records go
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_CloseLargestFile)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnRecordFile(argc, argv);
}
