// Values that new cells inherit and the modified marks.
#include <gtest/gtest.h>

#include "store_test_support.h"

TEST(StoreNewCells, TakeTheFormatOfTheCellAboveButTheFirstRowGetsZero)
{
    GridCellStore store;
    store.SetColumnCount(2);
    store.SetRowCount(1);
    store.SetItemFormat(0, 0, 0x18);
    store.SetRowCount(3);
    EXPECT_EQ(store.GetItemFormat(1, 0), 0x18u);
    EXPECT_EQ(store.GetItemFormat(2, 0), 0x18u);   // flows down row after row
    EXPECT_EQ(store.GetItemFormat(1, 1), 0u);
    store.SetColumnCount(3);                       // a new column starts with 0 in row 0
    EXPECT_EQ(store.GetItemFormat(2, 2), 0u);
    EXPECT_CONSISTENT(store);
}

TEST(StoreModified, CellMarksFollowTheGridWideFlag)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(3);

    store.SetModified(TRUE, 1, 1);
    EXPECT_TRUE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1) & CELL_MODIFIED, CELL_MODIFIED);

    store.SetModified(TRUE, 0, 2);                 // row 0: only the grid-wide flag
    EXPECT_EQ(store.GetItemState(0, 2) & CELL_MODIFIED, 0u);

    store.SetModified(FALSE, 2, 2);                // unmarking another cell keeps the flag
    EXPECT_TRUE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1) & CELL_MODIFIED, CELL_MODIFIED);

    store.SetModified(FALSE, -1, -1);              // clearing the grid flag clears every cell
    EXPECT_FALSE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1) & CELL_MODIFIED, 0u);
    EXPECT_CONSISTENT(store);
}
