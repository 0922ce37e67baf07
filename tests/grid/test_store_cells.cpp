// Cell texts: the compact text itself and texts of every length in the store;
// values that new cells inherit and the modified marks.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "grid/store/CompactText.h"
#include "store_test_support.h"

namespace {

TEST(CompactText, CopiesMovesAndTheFifteenByteInlineLimit)
{
    for (const std::string& text : {std::string(15, 'a'), std::string(16, 'b'), std::string("nul\0inside, long", 16)}) {
        SCOPED_TRACE(text.size());
        CompactText a;
        a.Assign(text);
        EXPECT_EQ(a.OnHeap(), text.size() > 15);
        CompactText copy(a), moved(std::move(a));
        EXPECT_TRUE(a.Empty());   // NOLINT: a moved-from text is empty
        CompactText assigned;
        assigned = copy;
        assigned = assigned;   // self-assignment keeps the text
        EXPECT_EQ(assigned.View(), text);
        assigned = std::move(moved);
        EXPECT_EQ(assigned.View(), text);
        assigned.Clear();
        EXPECT_TRUE(assigned.Empty() && !assigned.OnHeap());
    }
}

TEST(StoreTexts, EveryLengthKeepsItsBytesAndASliceOfItselfIsSafe)
{
    GridCellStore store;
    store.SetRowCount(2);
    store.SetColumnCount(2);
    for (const std::string& text : {std::string(), std::string(300, 'z'), std::string("\xE4\xB8\xAD\xFF\x80"),
                                    std::string("a\0b", 3)}) {
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
