// CGridCtrl with the largest record file's table: 196,609 rows (3 header
// rows, three rows per record) by 13 columns of short texts, filled as the
// record view fills it. Measures the fill, the first full paint, paints at
// the top and at the bottom, line and page scrolling at the bottom, the hit
// tests there, keyboard moves, selection steps and wheel notches at the
// bottom, and selecting all. Reports the process's peak resident memory.
#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "grid/CGridCtrl.h"
#include "platform/QPainterDC.h"
#include "../PeakMemory.h"

namespace {

constexpr int kRecords = 65535;
constexpr int kRows = 3 * kRecords + 4;   // 196,609
constexpr int kCols = 13;
constexpr int kClientWidth = 1200;
constexpr int kClientHeight = 800;

std::string Number(int value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Texts of one table row, like the record view's (number, wavelength, power,
// unit, levels, verdict, names, date and time).
void FillRow(CGridCtrl& grid, GridItem& item, int row)
{
    static const char* const kWavelengths[] = {"1310", "1490", "1550"};
    static const char* const kVerdicts[] = {"pass", "wrng", "fail"};
    static const COLORREF kVerdictColours[] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 0, 0)};
    const int record = (row - 3) / 3;
    const int band = (row - 3) % 3;
    const char* texts[kCols] = {nullptr, kWavelengths[band], "-12.34", "dBm", "-15.00", "-20.00",
                                "-25.00",  nullptr,            "OLT-A",  "ONT-B", "2024-05-01", "12:34:56", "3.00"};
    const std::string number = Number(record + 1);
    texts[0] = number.c_str();
    texts[7] = kVerdicts[record % 3];
    item.row = row;
    item.mask = ITEM_TEXT;
    for (int col = 0; col < kCols; ++col) {
        item.column = col;
        item.text = texts[col];
        grid.SetItem(&item);
    }
    grid.SetItemBkColor(row, 7, kVerdictColours[record % 3]);
}

// Sizes and fills the grid, merges each record's number and names over its
// three rows, and fixes the header rows, in the record view's order.
void FillGrid(CGridCtrl& grid)
{
    grid.SetColumnCount(kCols);
    grid.SetRowCount(kRows);
    GridItem item;
    for (int row = 3; row < 3 + 3 * kRecords; ++row)
        FillRow(grid, item, row);
    for (int record = 0; record < kRecords; ++record) {
        const int row = 3 + 3 * record;
        grid.MergeCells(row, 0, 2, 0, 0);
        grid.MergeCells(row, 8, 2, 0, 0);
        grid.MergeCells(row, 9, 2, 0, 0);
    }
    grid.SetFixedRows(3);
    grid.SetFixedColumns(1);
}

// A shown parent window holding one grid of the client size.
struct GridHost {
    QWidget parent;
    CGridCtrl* grid = new CGridCtrl(0, 0, 0, 0);

    GridHost()
    {
        parent.resize(kClientWidth + 100, kClientHeight + 100);
        parent.show();
        grid->Create(RECT{0, 0, kClientWidth, kClientHeight}, &parent, 1000);
    }
    ~GridHost() { delete grid; }
    void Settle() const { QApplication::processEvents(); }
};

// One filled grid shared by the benchmarks that only read or scroll it.
GridHost& FilledHost()
{
    static GridHost* host = [] {
        auto* h = new GridHost;
        FillGrid(*h->grid);
        h->Settle();
        return h;
    }();
    return *host;
}

void PaintClient(CGridCtrl& grid)
{
    const RECT client = grid.GetClientRect();
    MemoryDC dc(client.right, client.bottom);
    grid.PaintGrid(&dc);
    benchmark::DoNotOptimize(dc.GetPixel(1, 1));
}

void ScrollToBottom(CGridCtrl& grid)
{
    grid.SetScrollPosition(SB_HORZ, 0);
    grid.OnVScroll(SB_BOTTOM);
}

void BM_FillGrid(benchmark::State& state)
{
    for (auto _ : state) {
        GridHost host;
        FillGrid(*host.grid);
        state.PauseTiming();   // freeing is measured on its own
        host.Settle();
        host.grid->DeleteAllItems();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FillAndFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        GridHost host;
        FillGrid(*host.grid);
        host.Settle();
        PaintClient(*host.grid);
        state.PauseTiming();
        host.grid->DeleteAllItems();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_FillAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_DeleteAllItems(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        GridHost host;
        FillGrid(*host.grid);
        state.ResumeTiming();
        host.grid->DeleteAllItems();
    }
}
BENCHMARK(BM_DeleteAllItems)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PaintTop(benchmark::State& state)
{
    CGridCtrl& grid = *FilledHost().grid;
    grid.OnVScroll(SB_TOP);
    for (auto _ : state)
        PaintClient(grid);
}
BENCHMARK(BM_PaintTop)->Unit(benchmark::kMillisecond);

void BM_PaintBottom(benchmark::State& state)
{
    CGridCtrl& grid = *FilledHost().grid;
    ScrollToBottom(grid);
    for (auto _ : state)
        PaintClient(grid);
}
BENCHMARK(BM_PaintBottom)->Unit(benchmark::kMillisecond);

// Alternates a step back and a step forward at the end of the table, so
// every iteration is one real scroll step; with_repaint also processes the
// paint the step asks for.
void ScrollStepsAtBottom(benchmark::State& state, UINT back, UINT forward)
{
    GridHost& host = FilledHost();
    CGridCtrl& grid = *host.grid;
    ScrollToBottom(grid);
    const bool repaint = state.range(0) != 0;
    bool forwardNext = false;
    for (auto _ : state) {
        grid.OnVScroll(forwardNext ? forward : back);
        forwardNext = !forwardNext;
        if (repaint)
            host.Settle();
    }
}

void BM_LineStepAtBottom(benchmark::State& state)
{
    ScrollStepsAtBottom(state, SB_LINEUP, SB_LINEDOWN);
}
BENCHMARK(BM_LineStepAtBottom)->Arg(0)->Arg(1)->ArgName("with_repaint")->Unit(benchmark::kMicrosecond);

void BM_PageStepAtBottom(benchmark::State& state)
{
    ScrollStepsAtBottom(state, SB_PAGEUP, SB_PAGEDOWN);
}
BENCHMARK(BM_PageStepAtBottom)->Arg(0)->Arg(1)->ArgName("with_repaint")->Unit(benchmark::kMicrosecond);

void BM_GetCellFromPointAtBottom(benchmark::State& state)
{
    CGridCtrl& grid = *FilledHost().grid;
    ScrollToBottom(grid);
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % kClientWidth;
        benchmark::DoNotOptimize(grid.GetCellFromPoint(POINT{x, kClientHeight / 2}, TRUE));
    }
}
BENCHMARK(BM_GetCellFromPointAtBottom)->Unit(benchmark::kMicrosecond);

void BM_GetTopLeftScrollCellAtBottom(benchmark::State& state)
{
    CGridCtrl& grid = *FilledHost().grid;
    ScrollToBottom(grid);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.GetTopLeftScrollCell());
}
BENCHMARK(BM_GetTopLeftScrollCellAtBottom)->Unit(benchmark::kMicrosecond);

void BM_EnsureVisibleTopToBottom(benchmark::State& state)
{
    CGridCtrl& grid = *FilledHost().grid;
    for (auto _ : state) {
        grid.OnVScroll(SB_TOP);
        grid.EnsureVisible(kRows - 1, 0);
    }
}
BENCHMARK(BM_EnsureVisibleTopToBottom)->Unit(benchmark::kMillisecond);

// Puts the focus cell near the end of the table, in view, with nothing selected.
void FocusNearBottom(CGridCtrl& grid)
{
    grid.ClearSelection();
    ScrollToBottom(grid);
    grid.MoveFocusTo(kRows - 5, 4);
    grid.EnsureVisible(kRows - 5, 4);
}

// Alternates two keys with the given modifiers at the end of the table.
void KeysAtBottom(benchmark::State& state, Qt::KeyboardModifiers modifiers)
{
    GridHost& host = FilledHost();
    CGridCtrl& grid = *host.grid;
    FocusNearBottom(grid);
    grid.OnKeyDown(VK_DOWN, Qt::NoModifier);   // sets the anchor
    const bool repaint = state.range(0) != 0;
    bool downNext = false;
    for (auto _ : state) {
        grid.OnKeyDown(downNext ? VK_DOWN : VK_UP, modifiers);
        downNext = !downNext;
        if (repaint)
            host.Settle();
    }
}

void BM_KeyMoveAtBottom(benchmark::State& state)
{
    KeysAtBottom(state, Qt::NoModifier);
}
BENCHMARK(BM_KeyMoveAtBottom)->Arg(0)->Arg(1)->ArgName("with_repaint")->Unit(benchmark::kMicrosecond);

void BM_ShiftExtendAtBottom(benchmark::State& state)
{
    KeysAtBottom(state, Qt::ShiftModifier);
}
BENCHMARK(BM_ShiftExtendAtBottom)->Arg(0)->Arg(1)->ArgName("with_repaint")->Unit(benchmark::kMicrosecond);

// One wheel notch back and one forward at the end, each delivered (the
// notch posts its scroll requests) and painted.
void BM_WheelNotchAtBottom(benchmark::State& state)
{
    GridHost& host = FilledHost();
    CGridCtrl& grid = *host.grid;
    ScrollToBottom(grid);
    host.Settle();
    int delta = 120;
    for (auto _ : state) {
        grid.OnMouseWheel(0, delta, POINT{kClientWidth / 2, kClientHeight / 2});
        host.Settle();
        delta = -delta;
    }
}
BENCHMARK(BM_WheelNotchAtBottom)->Unit(benchmark::kMicrosecond);

// Select All of 2.56 million cells; emptying the selection again is timed apart.
void BM_SelectAll(benchmark::State& state)
{
    GridHost& host = FilledHost();
    CGridCtrl& grid = *host.grid;
    FocusNearBottom(grid);
    for (auto _ : state) {
        grid.OnEditSelectAll();
        state.PauseTiming();
        grid.ApplySelectionRange(-1, -1, -1, -1);
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

void BM_ClearAfterSelectAll(benchmark::State& state)
{
    GridHost& host = FilledHost();
    CGridCtrl& grid = *host.grid;
    FocusNearBottom(grid);
    for (auto _ : state) {
        state.PauseTiming();
        grid.OnEditSelectAll();
        state.ResumeTiming();
        grid.ApplySelectionRange(-1, -1, -1, -1);
    }
}
BENCHMARK(BM_ClearAfterSelectAll)->Unit(benchmark::kMillisecond);

}  // namespace

// A QApplication on the offscreen platform around the benchmark runner.
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
