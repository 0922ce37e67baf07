// Merged blocks, their refusals, and which cells may be edited.
#include <gtest/gtest.h>

#include <climits>

#include "case_names.h"
#include "store_test_support.h"

namespace {

using case_names::PrintTo;

using M = GridCellMerge;

TEST(StoreMerge, TwoByThreeBlockMarksMasterAndCoveredCells)
{
    GridCellStore store;
    store.SetRowCount(4);
    store.SetColumnCount(13);
    store.MergeCells(0, 8, 1, 2, 0);
    const struct { int row, col; GridCellMerge merge; } expected[] = {
        {0, 8, M{1, 1, 0, 0, 1, 2, 0, 0}},  {0, 9, M{1, 1, 1, 0, 0, 0, 0, 8}},
        {0, 10, M{0, 1, 1, 0, 0, 0, 0, 8}}, {1, 8, M{1, 0, 1, 0, 0, 0, 0, 8}},
        {1, 9, M{1, 0, 1, 0, 0, 0, 0, 8}},  {1, 10, M{0, 0, 1, 0, 0, 0, 0, 8}},
        {0, 7, GridCellMerge{}},            {2, 8, GridCellMerge{}},
        {0, 11, GridCellMerge{}},
    };
    for (const auto& e : expected)
        EXPECT_EQ(store.GetCellMerge(e.row, e.col), e.merge) << "(" << e.row << ", " << e.col << ")";
    EXPECT_CONSISTENT(store);

    // Shrinking cuts the block; cells that come back start unmerged.
    store.SetRowCount(1);
    store.SetColumnCount(10);
    EXPECT_CONSISTENT(store);
    store.SetRowCount(4);
    store.SetColumnCount(13);
    EXPECT_EQ(store.GetCellMerge(1, 9), GridCellMerge{});
    EXPECT_EQ(store.GetCellMerge(0, 10), GridCellMerge{});
    EXPECT_CONSISTENT(store);

    // Negative extents count as positive; a single cell only takes the lock.
    store.MergeCells(2, 1, -1, -2, 3);
    store.MergeCells(3, 5, 0, 0, 4);
    EXPECT_EQ(store.GetCellMerge(2, 1), (M{1, 1, 0, 3, 1, 2, 0, 0}));
    EXPECT_EQ(store.GetCellMerge(3, 3), (M{0, 0, 1, 3, 0, 0, 2, 1}));
    EXPECT_EQ(store.GetCellMerge(3, 5), (M{0, 0, 0, 4, 0, 0, 0, 0}));
    EXPECT_CONSISTENT(store);
}

// A first merge, then a second call that must change nothing.
struct RefusedMerge { const char* name; int fixedRows, fixedColumns; int row, col, down, right; };

class StoreMergeRefusal : public ::testing::TestWithParam<RefusedMerge> {};

TEST_P(StoreMergeRefusal, LeavesEveryCellUnchanged)
{
    GridCellStore store;
    store.SetRowCount(6);
    store.SetColumnCount(6);
    store.MergeCells(2, 2, 1, 1, 0);   // block rows 2-3, columns 2-3
    const RefusedMerge& call = GetParam();
    store.SetFixedRows(call.fixedRows);
    store.SetFixedColumns(call.fixedColumns);
    const auto before = AllMerges(store);
    store.MergeCells(call.row, call.col, call.down, call.right, 5);
    EXPECT_EQ(AllMerges(store), before);
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreMergeRefusal,
    ::testing::Values(
        RefusedMerge{"SameBlockAgain", 0, 0, 2, 2, 1, 1}, RefusedMerge{"MasterOfBlockAlone", 0, 0, 2, 2, 0, 0},
        RefusedMerge{"StartsOnCoveredCell", 0, 0, 3, 3, 1, 1}, RefusedMerge{"SurroundsBlock", 0, 0, 1, 1, 3, 3},
        RefusedMerge{"ReachesIntoBlockFromAbove", 0, 0, 0, 3, 2, 0},
        RefusedMerge{"ReachesIntoBlockFromLeft", 0, 0, 2, 0, 0, 2},
        RefusedMerge{"CornerBelowGrid", 0, 0, 4, 0, 2, 0}, RefusedMerge{"CornerRightOfGrid", 0, 0, 0, 5, 0, 1},
        RefusedMerge{"MasterOutsideGrid", 0, 0, 6, 0, 0, 0}, RefusedMerge{"NegativeMaster", 0, 0, -1, 0, 1, 1},
        RefusedMerge{"MasterInFixedRow", 1, 0, 0, 0, 1, 1}, RefusedMerge{"MasterInFixedColumn", 0, 1, 4, 0, 1, 1},
        RefusedMerge{"HugeExtent", 0, 0, 0, 0, INT_MIN, 0},
        RefusedMerge{"ExtentPastIntMax", 0, 0, 4, 4, INT_MAX, INT_MAX}), case_names::ByName);

// Whether a cell may be edited, here a covered cell of a locked block.
TEST(StoreMerge, LockFlagGridFlagAndReadOnlyBitDecideEditing)
{
    const struct { const char* name; BOOL gridEditable; int lock; UINT state; BOOL expected; } cases[] = {
        {"Plain", TRUE, 0, 0, TRUE},          {"Locked", TRUE, 1, 0, FALSE},
        {"NegativeLock", TRUE, -1, 0, FALSE}, {"GridNotEditable", FALSE, 0, 0, FALSE},
        {"ReadOnly", TRUE, 0, CELL_READONLY, FALSE},
        {"OtherBits", TRUE, 0, CELL_SELECTED | CELL_MODIFIED, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridCellStore store;
        store.SetRowCount(3);
        store.SetColumnCount(3);
        store.SetEditable(c.gridEditable);
        store.MergeCells(1, 1, 1, 0, c.lock);
        store.SetItemState(2, 1, c.state);
        EXPECT_EQ(store.IsCellEditable(2, 1), c.expected);
    }
}

} // namespace
