// The compact cell text and the row-major cell block under the store.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "grid/store/CellArray.h"
#include "grid/store/CompactText.h"

namespace {

TEST(CompactText, CopiesAndMovesKeepTheBytes)
{
    const std::string shortText = "short";
    const std::string longText(100, 'L');
    for (const std::string& text : {shortText, longText}) {
        CompactText a;
        a.Assign(text);
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
    }
}

TEST(CompactText, InlineLimitIsFifteenBytes)
{
    CompactText text;
    text.Assign(std::string(15, 'a'));
    EXPECT_FALSE(text.OnHeap());
    text.Assign(std::string(16, 'b'));
    EXPECT_TRUE(text.OnHeap());
    EXPECT_EQ(text.View(), std::string(16, 'b'));
    text.Clear();
    EXPECT_TRUE(text.Empty());
    EXPECT_FALSE(text.OnHeap());
}

CompactCell CellWithText(const std::string& text)
{
    CompactCell cell;
    cell.text.Assign(text);
    return cell;
}

std::string Label(int row, int col)
{
    // Long enough to live on the heap, so a lost or doubled cell shows up
    // under the address sanitizer.
    return "cell " + std::to_string(row) + "," + std::to_string(col) + " with a long text";
}

void Label(CellArray& cells)
{
    for (int row = 0; row < cells.Rows(); ++row)
        for (int col = 0; col < cells.Columns(); ++col)
            cells.At(row, col).text.Assign(Label(row, col));
}

TEST(CellArray, GrowingKeepsEveryCellInPlace)
{
    CellArray cells;
    const CompactCell blank = CellWithText("blank");
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
    EXPECT_EQ(cells.Columns(), 2);
}

TEST(CellArray, SwapTruncateAndClear)
{
    CellArray cells;
    const CompactCell blank;
    cells.SetColumns(2, blank);
    cells.AppendRows(4, blank);
    Label(cells);
    cells.SwapRows(0, 3);
    EXPECT_EQ(cells.At(0, 1).text.View(), Label(3, 1));
    EXPECT_EQ(cells.At(3, 0).text.View(), Label(0, 0));
    cells.TruncateRows(2);
    EXPECT_EQ(cells.Rows(), 2);
    EXPECT_EQ(cells.At(1, 1).text.View(), Label(1, 1));
    cells.TruncateRows(0);
    EXPECT_EQ(cells.Columns(), 2);   // columns stay without rows
    cells.AppendRows(1, blank);
    EXPECT_TRUE(cells.At(0, 1).text.Empty());
    cells.Clear();
    EXPECT_EQ(cells.Rows(), 0);
    EXPECT_EQ(cells.Columns(), 0);
}

} // namespace
