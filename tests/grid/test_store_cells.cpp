// The compact cell text and the row-major cell block under the store.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "grid/store/CellArray.h"
#include "grid/store/CompactText.h"

namespace {

TEST(CompactText, CopiesMovesAndTheFifteenByteInlineLimit)
{
    for (const std::string& text : {std::string("short"), std::string(15, 'a'), std::string(16, 'b'),
                                    std::string(100, 'L')}) {
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

// Long enough to live on the heap, so a lost or doubled cell shows up under
// the address sanitizer.
std::string Label(int row, int col)
{
    return "cell " + std::to_string(row) + "," + std::to_string(col) + " with a long text";
}

void Label(CellArray& cells)
{
    for (int row = 0; row < cells.Rows(); ++row)
        for (int col = 0; col < cells.Columns(); ++col)
            cells.At(row, col).text.Assign(Label(row, col));
}

TEST(CellArray, GrowShrinkSwapTruncateKeepEveryCellInPlace)
{
    CellArray cells;
    CompactCell blank;
    blank.text.Assign("blank");
    cells.SetColumns(3, blank);
    cells.AppendRows(2, blank);
    Label(cells);
    for (int step = 0; step < 5; ++step)   // several reallocations
        cells.AppendRows(3, blank);
    EXPECT_EQ(cells.Rows(), 17);
    EXPECT_EQ(cells.At(1, 2).text.View(), Label(1, 2));
    EXPECT_EQ(cells.At(16, 0).text.View(), "blank");
    cells.SetColumns(5, blank);
    EXPECT_EQ(cells.At(1, 2).text.View(), Label(1, 2));
    EXPECT_EQ(cells.At(1, 4).text.View(), "blank");
    cells.SetColumns(2, blank);
    EXPECT_EQ(cells.At(1, 1).text.View(), Label(1, 1));

    cells.SwapRows(0, 3);
    EXPECT_EQ(cells.At(0, 1).text.View(), "blank");
    EXPECT_EQ(cells.At(3, 0).text.View(), Label(0, 0));
    cells.TruncateRows(4);
    EXPECT_EQ(cells.Rows(), 4);
    EXPECT_EQ(cells.At(3, 1).text.View(), Label(0, 1));
    cells.TruncateRows(0);
    EXPECT_EQ(cells.Columns(), 2);   // columns stay without rows
    cells.AppendRows(1, CompactCell{});
    EXPECT_TRUE(cells.At(0, 1).text.Empty());
    cells.Clear();
    EXPECT_EQ(cells.Rows(), 0);
    EXPECT_EQ(cells.Columns(), 0);
}

} // namespace
