// Finding and the verdict overview on the largest record file (65,535
// records, 196,609 rows by 13 columns):
// - a search that finds nothing (every cell read once, the answer to typing);
// - one slice of counting the matches (what runs between two keystrokes) and
//   the whole count;
// - opening the verdict overview until its first paint.
// Run: bench_find_overview [path.bin]; default build/samples/large.bin.
#include "app/COrvik50View.h"
#include "app/VerdictOverview.h"
#include "grid/CGridCtrl.h"
#include "grid/GridFind.h"

#include <QPixmap>
#include <benchmark/benchmark.h>
#include "RecordFileBenchMain.h"

namespace {

// The slice the view counts between two looks at the event queue.
constexpr long long kCountSlice = 60000;

COrvik50View& OpenedView()
{
    static COrvik50View* view = [] {
        auto* v = new COrvik50View;
        v->resize(1280, 900);
        v->OpenRecordFile(gRecordFile);
        return v;
    }();
    return *view;
}

void BM_FindNothingInLargestFile(benchmark::State& state)
{
    const GridCellStore& store = OpenedView().GetGrid()->Store();
    const GridTextMatcher matcher(state.range(0) ? "No Such ONT" : "no such ont", state.range(0) != 0);
    for (auto _ : state) {
        const GridFindResult found = FindCell(store, matcher, {3, 1}, true, false);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindNothingInLargestFile)->ArgName("matchCase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CountMatchesOneSlice(benchmark::State& state)
{
    const GridCellStore& store = OpenedView().GetGrid()->Store();
    const GridTextMatcher matcher("-2", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountMatches(store, matcher, 0, kCountSlice));
}
BENCHMARK(BM_CountMatchesOneSlice)->Unit(benchmark::kMillisecond);

void BM_CountAllMatches(benchmark::State& state)
{
    const GridCellStore& store = OpenedView().GetGrid()->Store();
    const GridTextMatcher matcher("-2", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountMatches(store, matcher, 0, GridSearchOrder(store).Size()));
}
BENCHMARK(BM_CountAllMatches)->Unit(benchmark::kMillisecond);

void BM_OpenVerdictOverview(benchmark::State& state)
{
    const COrvik50View& view = OpenedView();
    for (auto _ : state) {
        VerdictOverview overview;
        overview.Describe(view.Records(), gRecordFile);
        QPixmap shown = overview.grab();   // laid out and painted once
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_OpenVerdictOverview)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnRecordFile(argc, argv);
}
