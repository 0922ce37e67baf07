// Merged blocks, their refusals, and which cells may be edited.
#include <gtest/gtest.h>

#include <climits>

#include "store_test_support.h"

namespace {

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
    store.SetRowCount(4);
    store.SetColumnCount(13);
    EXPECT_EQ(store.GetCellMerge(1, 9), GridCellMerge{});
    EXPECT_EQ(store.GetCellMerge(0, 10), GridCellMerge{});

    // Negative extents count as positive; a single cell only takes the lock.
    store.MergeCells(2, 1, -1, -2, 3);
    store.MergeCells(3, 5, 0, 0, 4);
    EXPECT_EQ(store.GetCellMerge(2, 1), (M{1, 1, 0, 3, 1, 2, 0, 0}));
    EXPECT_EQ(store.GetCellMerge(3, 3), (M{0, 0, 1, 3, 0, 0, 2, 1}));
    EXPECT_EQ(store.GetCellMerge(3, 5), (M{0, 0, 0, 4, 0, 0, 0, 0}));
    EXPECT_CONSISTENT(store);
}

// After a first merge (block rows 2-3, columns 2-3), a call that must change nothing.
TEST(StoreMerge, RefusedMergesLeaveEveryCellUnchanged)
{
    const struct { const char* name; int fixedRows, fixedColumns, row, col, down, right; } cases[] = {
        {"same block again", 0, 0, 2, 2, 1, 1}, {"master of a block alone", 0, 0, 2, 2, 0, 0},
        {"starts on a covered cell", 0, 0, 3, 3, 1, 1}, {"surrounds the block", 0, 0, 1, 1, 3, 3},
        {"reaches in from above", 0, 0, 0, 3, 2, 0}, {"reaches in from the left", 0, 0, 2, 0, 0, 2},
        {"corner below the grid", 0, 0, 4, 0, 2, 0}, {"corner right of the grid", 0, 0, 0, 5, 0, 1},
        {"master outside the grid", 0, 0, 6, 0, 0, 0}, {"negative master", 0, 0, -1, 0, 1, 1},
        {"master in a fixed row", 1, 0, 0, 0, 1, 1}, {"master in a fixed column", 0, 1, 4, 0, 1, 1},
        {"huge extent", 0, 0, 0, 0, INT_MIN, 0}, {"extent past INT_MAX", 0, 0, 4, 4, INT_MAX, INT_MAX}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridCellStore store;
        store.SetRowCount(6);
        store.SetColumnCount(6);
        store.MergeCells(2, 2, 1, 1, 0);
        store.SetFixedRows(c.fixedRows);
        store.SetFixedColumns(c.fixedColumns);
        const auto before = AllMerges(store);
        store.MergeCells(c.row, c.col, c.down, c.right, 5);
        EXPECT_EQ(AllMerges(store), before);
    }
}

// Whether a cell may be edited, here a covered cell of a locked block.
TEST(StoreMerge, LockFlagGridFlagAndReadOnlyBitDecideEditing)
{
    const struct { BOOL gridEditable; int lock; UINT state; BOOL expected; } cases[] = {
        {TRUE, 0, 0, TRUE}, {TRUE, 1, 0, FALSE}, {TRUE, -1, 0, FALSE}, {FALSE, 0, 0, FALSE},
        {TRUE, 0, CELL_READONLY, FALSE}, {TRUE, 0, CELL_SELECTED | CELL_MODIFIED, TRUE}};
    for (const auto& c : cases) {
        GridCellStore store;
        store.SetRowCount(3);
        store.SetColumnCount(3);
        store.SetEditable(c.gridEditable);
        store.MergeCells(1, 1, 1, 0, c.lock);
        store.SetItemState(2, 1, c.state);
        EXPECT_EQ(store.IsCellEditable(2, 1), c.expected) << c.gridEditable << " " << c.lock << " " << c.state;
    }
}

} // namespace
