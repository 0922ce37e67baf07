// Cell texts: the compact text itself and texts of every length in the store.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "grid/store/CompactText.h"
#include "store_test_support.h"

namespace {

TEST(CompactText, CopiesMovesAndTheFifteenByteInlineLimit)
{
    for (const std::string& text : {std::string("short"), std::string(15, 'a'), std::string(16, 'b'),
                                    std::string(100, 'L'), std::string("nul\0inside", 10)}) {
        SCOPED_TRACE(text.size());
        CompactText a;
        a.Assign(text);
        EXPECT_EQ(a.OnHeap(), text.size() > 15);
        CompactText copy(a);
        CompactText moved(std::move(a));
        EXPECT_EQ(copy.View(), text);
        EXPECT_EQ(moved.View(), text);
        EXPECT_TRUE(a.Empty());   // NOLINT: a moved-from text is empty
        CompactText assigned;
        assigned = copy;
        assigned = assigned;   // self-assignment keeps the text
        EXPECT_EQ(assigned.View(), text);
        assigned = std::move(moved);
        EXPECT_EQ(assigned.View(), text);
        assigned.Clear();
        EXPECT_TRUE(assigned.Empty());
        EXPECT_FALSE(assigned.OnHeap());
    }
}

TEST(StoreTexts, EveryLengthKeepsItsBytesAndASliceOfItselfIsSafe)
{
    GridCellStore store;
    store.SetRowCount(2);
    store.SetColumnCount(2);
    for (const std::string& text : {std::string(), std::string(16, 'y'), std::string(300, 'z'),
                                    std::string("\xE4\xB8\xAD\xE6\x96\x87\xFF\x80"), std::string("a\0b", 3)}) {
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

} // namespace
