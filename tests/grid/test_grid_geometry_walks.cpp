// The geometry queries use prefix sums and binary search; this test walks
// (top-left cell, visible range, hit test) row by row and column by column, as the queries are defined, and demands the
// same answers on grids with uneven sizes, hidden rows and columns, and fixed
// row counts that are not a multiple of three.
#include <random>
#include <gtest/gtest.h>

#include "grid_test_client.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

int Sum(const std::vector<int>& sizes, int first, int end)
{
    int sum = 0;
    for (int i = first; i < end; ++i)
        sum += sizes[static_cast<std::size_t>(i)];
    return sum;
}

// First scrolling entry shown at a scroll position.
int WalkFirst(int pos, int fixedCount, const std::vector<int>& sizes)
{
    int index = fixedCount;
    for (int sum = 0; pos > sum && index < static_cast<int>(sizes.size()) - 1;)
        sum += sizes[static_cast<std::size_t>(index++)];
    return index;
}

// Last entry reaching the limit from `first` (after the fixed strip), and where it ends, clipped.
std::pair<int, int> WalkVisible(int first, int fixedSize, int limit, const std::vector<int>& sizes)
{
    int end = fixedSize;
    for (int i = first; i < static_cast<int>(sizes.size()); ++i)
        if ((end += sizes[static_cast<std::size_t>(i)]) >= limit)
            return {i, limit};
    return {static_cast<int>(sizes.size()) - 1, end};
}

int WalkHit(int offset, int first, int fixedCount, int fixedSize, const std::vector<int>& sizes)
{
    if (offset < 0)
        return -1;
    const bool inFixed = offset < fixedSize;
    int sum = inFixed ? 0 : fixedSize;
    const int end = inFixed ? fixedCount : static_cast<int>(sizes.size());
    for (int i = inFixed ? 0 : first; i < end; ++i)
        if ((sum += sizes[static_cast<std::size_t>(i)]) > offset)
            return i;
    return -1;
}

struct WalkGrid { const char* name; int fixedRows, fixedCols; unsigned seed; };

class GridGeometryWalks : public ::testing::TestWithParam<WalkGrid> {};

TEST_P(GridGeometryWalks, PrefixSumsGiveTheWalkedAnswers)
{
    const WalkGrid& p = GetParam();
    std::mt19937 random(p.seed);
    std::vector<int> heights(120), widths(17);
    for (int& h : heights)
        h = random() % 5 == 0 ? 0 : 5 + static_cast<int>(random() % 30);   // some rows hidden
    for (int& w : widths)
        w = random() % 6 == 0 ? 0 : 10 + static_cast<int>(random() % 90);

    GridWindow g(new CGridCtrl(120, 17, p.fixedRows, p.fixedCols), 400, 300);
    SetSizes(*g, heights, widths);
    SetClientSize(*g, 400, 300);
    g->UpdateScrollRanges();
    const int frh = Sum(heights, 0, p.fixedRows);
    const int fcw = Sum(widths, 0, p.fixedCols);

    for (int step = 0; step < 30; ++step) {
        g->SetScrollPosition(SB_VERT, static_cast<int>(random() % 3000));
        g->SetScrollPosition(SB_HORZ, static_cast<int>(random() % 1500));
        const int top = WalkFirst(g->GetScrollPosition(SB_VERT), p.fixedRows, heights);
        const CellId topLeft(top - top % 3, WalkFirst(g->GetScrollPosition(SB_HORZ), p.fixedCols, widths));
        SCOPED_TRACE(testing::Message() << "positions " << g->GetScrollPosition(SB_HORZ) << ", "
                                        << g->GetScrollPosition(SB_VERT));
        ASSERT_EQ(g->GetTopLeftScrollCell(), topLeft);

        const auto [lastRow, bottom] = WalkVisible(topLeft.row, frh, 300, heights);
        const auto [lastCol, right] = WalkVisible(topLeft.col, fcw, 400, widths);
        RECT extent;
        EXPECT_EQ(g->GetVisibleScrollRange(&extent), CellRange(topLeft.row, topLeft.col, lastRow, lastCol));
        EXPECT_EQ(extent, (RECT{0, 0, right, bottom}));

        for (int probe = 0; probe < 10; ++probe) {
            const POINT point{static_cast<int>(random() % 460) - 20, static_cast<int>(random() % 360) - 20};
            const BOOL allowFixed = probe % 2 ? TRUE : FALSE;
            const CellId expected(WalkHit(point.y, topLeft.row, allowFixed ? p.fixedRows : 0, frh, heights),
                                  WalkHit(point.x, topLeft.col, allowFixed ? p.fixedCols : 0, fcw, widths));
            EXPECT_EQ(g->GetCellFromPoint(point, allowFixed), expected) << "point " << point.x << ", " << point.y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, GridGeometryWalks,
                         ::testing::Values(WalkGrid{"NoFixed", 0, 0, 2u}, WalkGrid{"TwoFixedRows", 2, 2, 3u},
                                           WalkGrid{"FourFixedRows", 4, 1, 4u}), case_names::ByName);

}  // namespace
