// Texts of every length in the store;
// values that new cells inherit and the modified marks.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "store_test_support.h"

namespace {

TEST(StoreTexts, EveryLengthKeepsItsBytesAndASliceOfItselfIsSafe)
{
    GridCellStore store;
    store.SetRowCount(2);
    store.SetColumnCount(2);
    // Up to 15 bytes a text lies in the cell, longer ones on the heap.
    for (const std::string& text : {std::string(), std::string(15, 'a'), std::string(16, 'b'), std::string(300, 'z'),
                                    std::string("\xE4\xB8\xAD\xFF\x80"), std::string("a\0b", 3)}) {
        store.SetItemText(0, 0, text);
        EXPECT_EQ(store.GetItemText(0, 0), text);
    }
    // Regression: the new text was a view into the cell's own heap buffer.
    store.SetItemText(1, 1, std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1));
    EXPECT_EQ(store.GetItemText(1, 1), std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1).substr(0, 3));
    EXPECT_EQ(store.GetItemText(1, 1), "qqq");
    EXPECT_CONSISTENT(store);
}

TEST(StoreNewCells, TakeTheFormatOfTheCellAboveButTheFirstRowGetsZero)
{
    GridCellStore store;
    store.SetColumnCount(2);
    store.SetRowCount(1);
    store.SetItemFormat(0, 0, 0x18);
    store.SetRowCount(3);
    store.SetColumnCount(3);   // a new column starts with 0 in row 0
    EXPECT_EQ(std::vector<UINT>({store.GetItemFormat(2, 0), store.GetItemFormat(1, 1), store.GetItemFormat(2, 2)}),
              std::vector<UINT>({0x18, 0, 0}));
}

TEST(StoreModified, CellMarksFollowTheGridWideFlag)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(3);
    store.SetModified(TRUE, 1, 1);
    store.SetModified(TRUE, 0, 2);    // row 0: only the grid-wide flag
    store.SetModified(FALSE, 2, 2);   // unmarking another cell keeps the flag
    EXPECT_TRUE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1), CELL_MODIFIED);
    EXPECT_EQ(store.GetItemState(0, 2), 0u);
    store.SetModified(FALSE, -1, -1);   // clearing the grid flag clears every cell
    EXPECT_FALSE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1), 0u);
}

} // namespace
