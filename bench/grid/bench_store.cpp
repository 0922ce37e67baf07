// The cell store at the size of the largest record file: 196,609 rows by 13
// columns (2.56 million cells) filled with short texts the way the record
// view fills them, freed, sorted, and asked geometry questions.
//
// Peak memory: run one benchmark alone, e.g.
//   bench_store --benchmark_filter=BM_OpenLikeRecordView
// and read the peak_rss_MB counter (getrusage ru_maxrss of the process).
#include <benchmark/benchmark.h>
#include "../PeakMemory.h"

#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "grid/store/GridCellStore.h"

namespace {

constexpr int kRecords = 65535;
constexpr int kRows = 3 * kRecords + 4;   // 196,609
constexpr int kColumns = 13;
constexpr UINT kRecordFormat = 0x18;      // as the record view's cells

// A grid's hooks with CGridCtrl's defaults, called virtually like the real
// grid calls them.
class DefaultHooksGrid : public GridCellHooks {
public:
    DefaultHooksGrid() { store.SetHooks(this); }
    ~DefaultHooksGrid() override { store.DeleteAllItems(); }
    std::string GetItemText(int row, int col) const override { return store.GetItemText(row, col); }
    GridCell NewCell(int row, int col) override { return store.DefaultNewCell(row, col); }
    void ReleaseCell(const GridCellView&, int row, int col) override { store.DefaultReleaseCell(row, col); }

    GridCellStore store;
};

// Texts like a record's columns: numbers, names, powers, units, verdicts,
// dates and times; a few names longer than 15 bytes.
const std::vector<std::array<std::string, kColumns>>& SampleTexts()
{
    static const auto texts = [] {
        std::vector<std::array<std::string, kColumns>> rows(997);
        std::mt19937 random(7);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto power = [&] { return std::to_string(-(random() % 4000) / 100.0).substr(0, 6); };
            rows[i] = {std::to_string(i + 1), i % 5 ? "OLT-" + std::to_string(i) : "OLT_CENTRAL_" + std::to_string(1000 + i),
                       "ONT-" + std::to_string(i * 7), i % 3 == 0 ? "1310" : "1490", power(), "dBm", power(),
                       i % 4 ? "pass" : "fail", "-20.00", "-25.00", "-28.00", "2024-03-15", "12:34:56"};
        }
        return rows;
    }();
    return texts;
}

void FillLikeRecordView(GridCellStore& store)
{
    store.SetRowCount(kRows);
    store.SetColumnCount(kColumns);
    const auto& samples = SampleTexts();
    GridItem item;
    item.mask = ITEM_TEXT | ITEM_FORMAT;
    item.format = kRecordFormat;
    for (int row = 3; row < kRows; ++row) {
        const auto& texts = samples[static_cast<std::size_t>(row) % samples.size()];
        item.row = row;
        for (int col = 0; col < kColumns; ++col) {
            item.column = col;
            item.text = texts[static_cast<std::size_t>(col)];
            store.SetItem(&item);
        }
    }
}

template <class Grid>
GridCellStore& StoreOf(Grid& grid);
template <>
GridCellStore& StoreOf(DefaultHooksGrid& grid) { return grid.store; }
template <>
GridCellStore& StoreOf(GridCellStore& store) { return store; }

// SetRowCount + SetColumnCount + SetItem on every record cell.
template <class Grid>
void BM_FillLargestGrid(benchmark::State& state)
{
    for (auto _ : state) {
        auto grid = std::make_unique<Grid>();
        FillLikeRecordView(StoreOf(*grid));
        benchmark::DoNotOptimize(StoreOf(*grid).RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["cells"] = static_cast<double>(kRows) * kColumns;
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_FillLargestGrid<DefaultHooksGrid>)->Name("BM_FillLargestGrid/hooks")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLargestGrid<GridCellStore>)->Name("BM_FillLargestGrid/no_hooks")->Unit(benchmark::kMillisecond);

// The whole of the record view's filling: texts, verdict colours, the
// per-record blocks (merge called on every row, as the view does), and the
// fixed rows and column.
void OpenLikeRecordView(GridCellStore& store)
{
    FillLikeRecordView(store);
    const COLORREF verdictColours[] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 0, 0)};
    for (int row = 3; row < kRows; ++row)
        store.SetItemBkColor(row, 7, verdictColours[row % 3]);
    for (int row = 3; row < kRows; ++row)
        for (int col : {0, 1, 2, 5, 11, 12})
            store.MergeCells(row, col, 2, 0, 0);
    store.SetFixedRows(3);
    store.SetFixedColumns(1);
}

void BM_OpenLikeRecordView(benchmark::State& state)
{
    for (auto _ : state) {
        auto grid = std::make_unique<DefaultHooksGrid>();
        OpenLikeRecordView(grid->store);
        benchmark::DoNotOptimize(grid->store.RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_OpenLikeRecordView)->Unit(benchmark::kMillisecond);

// DeleteAllItems of the filled grid: ReleaseCell for every cell, then free.
void BM_DeleteAllItems(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<DefaultHooksGrid>();
        OpenLikeRecordView(grid->store);
        state.ResumeTiming();
        grid->store.DeleteAllItems();
        grid.reset();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_DeleteAllItems)->Unit(benchmark::kMillisecond);

// Sorting all record rows by the power column (fixed header rows stay).
void BM_SortRowsByText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<DefaultHooksGrid>();
        FillLikeRecordView(grid->store);
        grid->store.SetFixedRows(3);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid->store.SortRowsByText(4, TRUE));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortRowsByText)->Unit(benchmark::kMillisecond);

// Row at a pixel offset and offset of a row near the end of the grid, as the
// geometry code asks for the top-left cell and for hit testing.
void BM_RowAtOffsetAtEnd(benchmark::State& state)
{
    GridCellStore store;
    store.SetRowCount(kRows);
    store.SetColumnCount(kColumns);
    const int total = store.TotalRowsHeight();
    std::mt19937 random(3);
    for (auto _ : state) {
        const int y = total - 1 - static_cast<int>(random() % 2000);
        benchmark::DoNotOptimize(store.RowAtOffset(y));
        benchmark::DoNotOptimize(store.RowTop(kRows - 1 - static_cast<int>(random() % 100)));
    }
}
BENCHMARK(BM_RowAtOffsetAtEnd);

// The same after each change of a row height near the top, which empties
// most of the prefix cache.
void BM_RowAtOffsetAfterResize(benchmark::State& state)
{
    GridCellStore store;
    store.SetRowCount(kRows);
    store.SetColumnCount(kColumns);
    int height = 10;
    for (auto _ : state) {
        store.SetRowHeight(5, height = 30 - height);
        benchmark::DoNotOptimize(store.RowAtOffset(store.TotalRowsHeight() - 1));
    }
}
BENCHMARK(BM_RowAtOffsetAfterResize)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
