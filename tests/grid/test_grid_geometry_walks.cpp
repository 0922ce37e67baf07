// The geometry queries use prefix sums and binary search; these tests walk
// row by row and column by column, as the queries are defined, and demand the
// same answers on grids with uneven sizes, empty rows and columns, and fixed
// row counts that are not a multiple of three.
#include <random>
#include <gtest/gtest.h>

#include "grid_test_client.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

// ---- Reference walks, one entry at a time ----

int WalkFirstScrolling(int pos, int fixedCount, int count, const std::vector<int>& sizes)
{
    int index = fixedCount;
    int sum = 0;
    while (pos > sum && index < count - 1)
        sum += sizes[static_cast<std::size_t>(index++)];
    return index;
}

CellId WalkTopLeft(const CGridCtrl& grid, const std::vector<int>& heights, const std::vector<int>& widths)
{
    const int col = WalkFirstScrolling(grid.GetScrollPosition(SB_HORZ), grid.GetFixedColumnCount(),
                                       grid.GetColumnCount(), widths);
    int row = WalkFirstScrolling(grid.GetScrollPosition(SB_VERT), grid.GetFixedRowCount(), grid.GetRowCount(),
                                 heights);
    return CellId(row - row % 3, col);
}

int Sum(const std::vector<int>& sizes, int first, int end)
{
    int sum = 0;
    for (int i = first; i < end; ++i)
        sum += sizes[static_cast<std::size_t>(i)];
    return sum;
}

struct Walked {
    int last;
    int end;
};

// From `first` with the running end starting at the fixed strip, stopping at the limit.
Walked WalkVisible(int first, int count, int fixedSize, int limit, const std::vector<int>& sizes, bool clip)
{
    int end = fixedSize;
    for (int i = first; i < count; ++i) {
        end += sizes[static_cast<std::size_t>(i)];
        if (end >= limit) {
            if (clip)
                end = limit;
            return {i, end};
        }
    }
    return {count - 1, end};
}

int WalkHit(int offset, int first, int count, int fixedCount, int fixedSize, const std::vector<int>& sizes)
{
    if (offset < 0)
        return -1;
    if (offset < fixedSize) {
        int sum = 0;
        for (int i = 0; i < fixedCount; ++i) {
            sum += sizes[static_cast<std::size_t>(i)];
            if (sum > offset)
                return i;
        }
        return -1;
    }
    int sum = fixedSize;
    for (int i = first; i < count; ++i) {
        sum += sizes[static_cast<std::size_t>(i)];
        if (sum > offset)
            return i;
    }
    return -1;
}

struct WalkGrid {
    const char* name;
    int fixedRows;
    int fixedCols;
    unsigned seed;
};

class GridGeometryWalks : public ::testing::TestWithParam<WalkGrid> {};

TEST_P(GridGeometryWalks, PrefixSumsGiveTheWalkedAnswers)
{
    const WalkGrid& p = GetParam();
    constexpr int kRows = 120;
    constexpr int kCols = 17;
    std::mt19937 random(p.seed);
    std::vector<int> heights(kRows);
    std::vector<int> widths(kCols);
    for (int& h : heights)
        h = random() % 5 == 0 ? 0 : 5 + static_cast<int>(random() % 30);   // some rows hidden
    for (int& w : widths)
        w = random() % 6 == 0 ? 0 : 10 + static_cast<int>(random() % 90);

    GridWindow g(new CGridCtrl(kRows, kCols, p.fixedRows, p.fixedCols), 400, 300);
    SetSizes(*g, heights, widths);
    SetClientSize(*g, 400, 300);
    g->UpdateScrollRanges();
    const RECT client = g->GetClientRect();
    const int frh = Sum(heights, 0, p.fixedRows);
    const int fcw = Sum(widths, 0, p.fixedCols);

    for (int step = 0; step < 60; ++step) {
        g->SetScrollPosition(SB_VERT, static_cast<int>(random() % 3000));
        g->SetScrollPosition(SB_HORZ, static_cast<int>(random() % 1500));
        const CellId topLeft = WalkTopLeft(*g, heights, widths);
        SCOPED_TRACE(testing::Message() << "positions " << g->GetScrollPosition(SB_HORZ) << ", "
                                        << g->GetScrollPosition(SB_VERT));
        ASSERT_EQ(g->GetTopLeftScrollCell(), topLeft);

        const Walked rows = WalkVisible(topLeft.row, kRows, frh, client.bottom, heights, true);
        const Walked cols = WalkVisible(topLeft.col, kCols, fcw, client.right, widths, true);
        RECT extent;
        EXPECT_EQ(g->GetVisibleScrollRange(&extent), CellRange(topLeft.row, topLeft.col, rows.last, cols.last));
        EXPECT_EQ(extent, (RECT{0, 0, cols.end, rows.end}));

        Walked fullRows = WalkVisible(topLeft.row, kRows, frh, client.bottom, heights, false);
        Walked fullCols = WalkVisible(topLeft.col, kCols, fcw, client.right, widths, false);
        if (fullRows.last > 0 && fullRows.end > client.bottom)
            --fullRows.last;
        if (fullCols.last > 0 && fullCols.end > client.right)
            --fullCols.last;
        EXPECT_EQ(g->GetFullyVisibleScrollRange(),
                  CellRange(topLeft.row, topLeft.col, fullRows.last, fullCols.last));

        for (int probe = 0; probe < 20; ++probe) {
            const POINT point{static_cast<int>(random() % 460) - 20, static_cast<int>(random() % 360) - 20};
            const BOOL allowFixed = probe % 2 ? TRUE : FALSE;
            const int col = WalkHit(point.x, topLeft.col, kCols, allowFixed ? p.fixedCols : 0,
                                    fcw, widths);
            const int row = WalkHit(point.y, topLeft.row, kRows, allowFixed ? p.fixedRows : 0,
                                    frh, heights);
            EXPECT_EQ(g->GetCellFromPoint(point, allowFixed), CellId(row, col))
                << "point " << point.x << ", " << point.y;
        }

        const int row = static_cast<int>(random() % kRows);
        const int col = static_cast<int>(random() % kCols);
        const bool hidden = (row >= p.fixedRows && row < topLeft.row) || (col >= p.fixedCols && col < topLeft.col);
        POINT origin;
        ASSERT_EQ(g->GetCellOrigin(row, col, &origin), hidden ? FALSE : TRUE);
        if (!hidden) {
            EXPECT_EQ(origin.x, col < p.fixedCols ? Sum(widths, 0, col) : fcw + Sum(widths, topLeft.col, col));
            EXPECT_EQ(origin.y, row < p.fixedRows ? Sum(heights, 0, row) : frh + Sum(heights, topLeft.row, row));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, GridGeometryWalks,
                         ::testing::Values(WalkGrid{"ThreeFixedRows", 3, 1, 1u}, WalkGrid{"NoFixed", 0, 0, 2u},
                                           WalkGrid{"TwoFixedRows", 2, 2, 3u},
                                           WalkGrid{"FourFixedRows", 4, 1, 4u}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
