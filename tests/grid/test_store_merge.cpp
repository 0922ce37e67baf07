// Merged blocks, their refusals, and the editing marks.
#include <gtest/gtest.h>

#include <climits>

#include "store_test_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

GridCellMerge M(int jr, int jd, int cov, int lock, int rs, int cs, int mr, int mc)
{
    return {jr, jd, cov, lock, rs, cs, mr, mc};
}

struct CellMergeExpectation {
    int row;
    int col;
    GridCellMerge merge;
};

TEST(StoreMerge, TwoByThreeBlockMarksMasterAndCoveredCells)
{
    GridCellStore store;
    store.SetRowCount(4);
    store.SetColumnCount(13);
    store.MergeCells(0, 8, 1, 2, 0);
    const CellMergeExpectation expected[] = {
        {0, 8, M(1, 1, 0, 0, 1, 2, 0, 0)},  {0, 9, M(1, 1, 1, 0, 0, 0, 0, 8)},
        {0, 10, M(0, 1, 1, 0, 0, 0, 0, 8)}, {1, 8, M(1, 0, 1, 0, 0, 0, 0, 8)},
        {1, 9, M(1, 0, 1, 0, 0, 0, 0, 8)},  {1, 10, M(0, 0, 1, 0, 0, 0, 0, 8)},
        {0, 7, M(0, 0, 0, 0, 0, 0, 0, 0)},  {2, 8, M(0, 0, 0, 0, 0, 0, 0, 0)},
        {0, 11, M(0, 0, 0, 0, 0, 0, 0, 0)},
    };
    for (const auto& e : expected)
        EXPECT_EQ(store.GetCellMerge(e.row, e.col), e.merge) << "(" << e.row << ", " << e.col << ")";
    EXPECT_CONSISTENT(store);
}

TEST(StoreMerge, NegativeExtentsCountAsPositive)
{
    GridCellStore a;
    GridCellStore b;
    for (GridCellStore* store : {&a, &b}) {
        store->SetRowCount(5);
        store->SetColumnCount(5);
    }
    a.MergeCells(1, 1, -2, -1, 3);
    b.MergeCells(1, 1, 2, 1, 3);
    EXPECT_EQ(AllMerges(a), AllMerges(b));
    EXPECT_EQ(a.GetCellMerge(1, 1), M(1, 1, 0, 3, 2, 1, 0, 0));
    EXPECT_CONSISTENT(a);
}

// A first merge, then a second call that must change nothing.
struct RefusedMerge {
    const char* name;
    int fixedRows;
    int fixedColumns;
    int row, col, down, right;
};

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
    ::testing::Values(RefusedMerge{"SameBlockAgain", 0, 0, 2, 2, 1, 1},
                      RefusedMerge{"MasterOfBlockAlone", 0, 0, 2, 2, 0, 0},
                      RefusedMerge{"StartsOnCoveredCell", 0, 0, 3, 3, 1, 1},
                      RefusedMerge{"ReachesIntoBlockFromAbove", 0, 0, 0, 3, 2, 0},
                      RefusedMerge{"ReachesIntoBlockFromLeft", 0, 0, 2, 0, 0, 2},
                      RefusedMerge{"SurroundsBlock", 0, 0, 1, 1, 3, 3},
                      RefusedMerge{"CornerBelowGrid", 0, 0, 4, 0, 2, 0},
                      RefusedMerge{"CornerRightOfGrid", 0, 0, 0, 5, 0, 1},
                      RefusedMerge{"MasterOutsideGrid", 0, 0, 6, 0, 0, 0},
                      RefusedMerge{"NegativeMaster", 0, 0, -1, 0, 1, 1},
                      RefusedMerge{"MasterInFixedRow", 1, 0, 0, 0, 1, 1},
                      RefusedMerge{"MasterInFixedColumn", 0, 1, 4, 0, 1, 1},
                      RefusedMerge{"HugeExtent", 0, 0, 0, 0, INT_MIN, 0},
                      RefusedMerge{"ExtentPastIntMax", 0, 0, 4, 4, INT_MAX, INT_MAX}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoreMerge, MergeBeforeFixingTheMasterSucceeds)
{
    GridCellStore store;
    store.SetRowCount(6);
    store.SetColumnCount(3);
    store.MergeCells(0, 0, 2, 0, 0);
    store.SetFixedRows(3);
    store.SetFixedColumns(1);
    EXPECT_EQ(store.GetCellMerge(0, 0).rowSpan, 2);
    EXPECT_EQ(store.GetCellMerge(2, 0).covered, 1);
    EXPECT_CONSISTENT(store);
}

TEST(StoreMerge, SingleCellMergeOnlySetsTheLockAndCanBeMergedAgain)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(3);
    store.MergeCells(1, 1, 0, 0, 4);
    EXPECT_EQ(store.GetCellMerge(1, 1), M(0, 0, 0, 4, 0, 0, 0, 0));
    EXPECT_EQ(store.IsCellEditable(1, 1), FALSE);
    store.MergeCells(0, 0, 1, 1, 0);   // the locked cell becomes a covered one
    EXPECT_EQ(store.GetCellMerge(1, 1), M(0, 0, 1, 0, 0, 0, 0, 0));
    EXPECT_EQ(store.IsCellEditable(1, 1), TRUE);
    EXPECT_CONSISTENT(store);
}

TEST(StoreMerge, ShrinkingCutsBlocksAndNewCellsStartUnmerged)
{
    GridCellStore store;
    store.SetRowCount(4);
    store.SetColumnCount(4);
    store.MergeCells(1, 1, 2, 2, 0);
    store.SetRowCount(2);
    store.SetColumnCount(2);
    EXPECT_CONSISTENT(store);
    store.SetRowCount(4);
    store.SetColumnCount(4);
    EXPECT_EQ(store.GetCellMerge(1, 1).rowSpan, 2);   // the master keeps its fields
    EXPECT_EQ(store.GetCellMerge(2, 2), GridCellMerge{});
    EXPECT_CONSISTENT(store);
}

struct EditableCase {
    const char* name;
    BOOL gridEditable;
    int lock;
    UINT state;
    BOOL expected;
};

class StoreEditable : public ::testing::TestWithParam<EditableCase> {};

TEST_P(StoreEditable, LockFlagAndReadOnlyBitDecide)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(3);
    const EditableCase& c = GetParam();
    store.SetEditable(c.gridEditable);
    store.MergeCells(1, 1, 1, 0, c.lock);
    store.SetItemState(2, 1, c.state);
    EXPECT_EQ(store.IsCellEditable(2, 1), c.expected);   // a covered cell of the block
    EXPECT_EQ(store.IsCellEditable(CellId(2, 1)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreEditable,
                         ::testing::Values(EditableCase{"Plain", TRUE, 0, 0, TRUE},
                                           EditableCase{"Locked", TRUE, 1, 0, FALSE},
                                           EditableCase{"NegativeLock", TRUE, -1, 0, FALSE},
                                           EditableCase{"GridNotEditable", FALSE, 0, 0, FALSE},
                                           EditableCase{"ReadOnly", TRUE, 0, CELL_READONLY, FALSE},
                                           EditableCase{"OtherBits", TRUE, 0, CELL_SELECTED | CELL_MODIFIED, TRUE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoreModified, CellMarksAndClearingTheGridFlag)
{
    GridCellStore store;
    store.SetRowCount(4);
    store.SetColumnCount(4);
    store.SetItemState(1, 1, CELL_SELECTED);
    store.SetModified(TRUE, 1, 1);
    store.SetModified(TRUE, 2, 3);
    EXPECT_EQ(store.GetModified(), TRUE);
    EXPECT_EQ(store.GetItemState(1, 1), CELL_SELECTED | CELL_MODIFIED);
    EXPECT_EQ(store.GetItemState(2, 3), CELL_MODIFIED);

    store.SetModified(FALSE, 2, 3);   // the cell loses its mark, the grid keeps its flag
    EXPECT_EQ(store.GetItemState(2, 3), 0u);
    EXPECT_EQ(store.GetModified(), TRUE);
    EXPECT_EQ(store.GetItemState(1, 1), CELL_SELECTED | CELL_MODIFIED);

    store.SetModified(TRUE, 0, 3);    // row or column 0: only the grid flag
    store.SetModified(TRUE, 3, 0);
    EXPECT_EQ(store.GetItemState(0, 3) | store.GetItemState(3, 0), 0u);
    store.SetModified(TRUE, 9, 9);    // an invalid cell changes nothing
    store.SetModified(FALSE);         // clearing the grid flag clears every cell
    EXPECT_EQ(store.GetModified(), FALSE);
    EXPECT_EQ(store.GetItemState(1, 1), CELL_SELECTED);
    EXPECT_CONSISTENT(store);
}

} // namespace
