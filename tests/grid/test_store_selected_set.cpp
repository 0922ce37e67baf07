// The selected-cell set: blocks, single cells, row swaps and truncation,
// with columns on both sides of a 64-bit word; size, bounds, membership and
// row-major iteration must agree.
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "grid/store/SelectedCellSet.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells Members(const SelectedCellSet& set)
{
    Cells members;
    for (const CellId cell : set)
        members.emplace_back(cell.row, cell.col);
    EXPECT_EQ(members.size(), set.size());
    return members;
}

TEST(StoreSelectedCellSet, BlocksAcrossAWordBoundarySwapsAndTruncation)
{
    SelectedCellSet set;
    set.InsertBlock(CellRange(2, 62, 3, 65));   // columns 62..65 straddle the first word
    set.Set(0, 0, true);
    set.Set(0, 129, true);
    set.Set(3, 63, false);
    set.Set(-1, 5, true);   // outside: ignored
    set.Set(5, -1, true);
    EXPECT_EQ(Members(set), (Cells{{0, 0}, {0, 129}, {2, 62}, {2, 63}, {2, 64}, {2, 65}, {3, 62}, {3, 64}, {3, 65}}));
    EXPECT_EQ(set.Bounds(), CellRange(0, 0, 3, 129));
    EXPECT_TRUE(set.Contains(2, 64) && !set.Contains(3, 63) && !set.Contains(1, 64) && !set.Contains(0, 130));

    set.SwapRows(0, 3);
    EXPECT_EQ(Members(set), (Cells{{0, 62}, {0, 64}, {0, 65}, {2, 62}, {2, 63}, {2, 64}, {2, 65}, {3, 0}, {3, 129}}));
    set.Truncate(3, 64);   // rows 0..2, columns 0..63
    EXPECT_EQ(Members(set), (Cells{{0, 62}, {2, 62}, {2, 63}}));
    EXPECT_EQ(set.Bounds(), CellRange(0, 62, 2, 63));

    SelectedCellSet other;
    other.InsertBlock(CellRange(1, 1, 1, 2));
    set.InsertAll(other);
    set.InsertBlock(CellRange(2, 5, 1, 5));   // inverted: nothing
    EXPECT_EQ(Members(set), (Cells{{0, 62}, {1, 1}, {1, 2}, {2, 62}, {2, 63}}));
    EXPECT_EQ(set.Bounds(), CellRange(0, 1, 2, 63));
    set.Clear();
    EXPECT_TRUE(set.empty() && Members(set).empty());
}

// Select All of the largest record file: 196,609 rows of 13 columns.
TEST(StoreSelectedCellSet, WholeLargestGridIsOneBlock)
{
    SelectedCellSet set;
    set.InsertBlock(CellRange(3, 1, 196608, 12));
    EXPECT_EQ(set.Bounds(), CellRange(3, 1, 196608, 12));
    EXPECT_TRUE(set.Contains(70000, 5) && !set.Contains(70000, 0) && !set.Contains(2, 5));
    set.Set(196608, 12, false);
    EXPECT_EQ(set.size(), 196606u * 12u - 1);
}

}  // namespace
