// Sorting rows by a column's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "store_test_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

// One text per row in column 0; the row's original index in its param.
void FillColumn(GridCellStore& store, const std::vector<std::string>& texts, int fixedRows = 0)
{
    store.SetRowCount(static_cast<int>(texts.size()));
    store.SetColumnCount(2);
    for (int row = 0; row < store.RowCount(); ++row) {
        store.SetItemText(row, 0, texts[static_cast<std::size_t>(row)]);
        store.SetItemParam(row, 1, row);
    }
    store.SetFixedRows(fixedRows);
}

std::vector<int> RowOrigins(const GridCellStore& store)
{
    std::vector<int> origins;
    for (int row = 0; row < store.RowCount(); ++row)
        origins.push_back(store.GetItemParam(row, 1));
    return origins;
}

struct SortCase {
    const char* name;
    std::vector<std::string> texts;
    int fixedRows;
    BOOL ascending;
    std::vector<int> expectedOrigins;   // original row index, top to bottom
};

class StoreSortOrder : public ::testing::TestWithParam<SortCase> {};

TEST_P(StoreSortOrder, RowsEndInTheQuicksortOrder)
{
    GridCellStore store;
    const SortCase& c = GetParam();
    FillColumn(store, c.texts, c.fixedRows);
    EXPECT_EQ(store.SortRowsByText(0, c.ascending), TRUE);
    EXPECT_EQ(RowOrigins(store), c.expectedOrigins);
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreSortOrder,
    ::testing::Values(
        // Byte order: digits before capitals before small letters.
        SortCase{"ByteOrderAscending", {"a", "A", "9", "10"}, 0, TRUE, {3, 2, 1, 0}},
        SortCase{"ByteOrderDescending", {"10", "9", "A", "a"}, 0, FALSE, {3, 2, 1, 0}},
        SortCase{"HighBytesSortAfterAscii", {"\xC3\xA9", "z", "\xE4\xB8\xAD"}, 0, TRUE, {1, 0, 2}},
        // Equal texts are never swapped: not a stable order, but fixed.
        SortCase{"EqualTextsStayWhereThePartitionLeavesThem", {"B", "A", "B", "A"}, 0, TRUE, {3, 1, 2, 0}},
        SortCase{"AllEqualNothingMoves", {"x", "x", "x", "x", "x"}, 0, TRUE, {0, 1, 2, 3, 4}},
        SortCase{"FixedRowsNeverMove", {"z", "y", "c", "b", "a"}, 2, TRUE, {0, 1, 4, 3, 2}},
        SortCase{"EmptyTextsFirst", {"b", "", "a", ""}, 0, TRUE, {3, 1, 2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedSort {
    const char* name;
    int rows;
    int fixedRows;
    int col;
    int lo;
    int hi;
};

class StoreSortRefusal : public ::testing::TestWithParam<RefusedSort> {};

TEST_P(StoreSortRefusal, AnswersFalseAndMovesNothing)
{
    GridCellStore store;
    const RefusedSort& c = GetParam();
    std::vector<std::string> texts;
    for (int row = 0; row < c.rows; ++row)
        texts.push_back(std::string(1, static_cast<char>('z' - row)));
    FillColumn(store, texts, c.fixedRows);
    const auto before = RowOrigins(store);
    EXPECT_EQ(store.SortRowsByText(c.col, TRUE, c.lo < -1 ? store.FixedRowCount() : c.lo, c.hi), FALSE);
    EXPECT_EQ(RowOrigins(store), before);
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreSortRefusal,
                         ::testing::Values(RefusedSort{"ColumnTooLarge", 4, 0, 2, -2, -1},
                                           RefusedSort{"NegativeColumn", 4, 0, -1, -2, -1},
                                           RefusedSort{"OneScrollingRow", 3, 2, 0, -2, -1},
                                           RefusedSort{"OnlyFixedRows", 3, 3, 0, -2, -1},
                                           RefusedSort{"EmptyGrid", 0, 0, 0, -2, -1},
                                           RefusedSort{"RangeBeforeFirstRow", 4, 0, 0, -1, 2},
                                           RefusedSort{"RangePastLastRow", 4, 0, 0, 1, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoreSort, RowsMoveWholeWithHeightsAndAttributes)
{
    GridCellStore store;
    FillColumn(store, {"c", "a", "b"});
    store.SetRowHeight(0, 30);
    store.SetItemBkColor(0, 1, RGB(9, 9, 9));
    store.SetItemText(0, 1, "row of c");
    store.SortRowsByText(0, TRUE);
    EXPECT_EQ(ColumnTexts(store, 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(store.GetRowHeight(2), 30);
    EXPECT_EQ(store.GetItemBkColor(2, 1), RGB(9, 9, 9));
    EXPECT_EQ(store.GetItemText(2, 1), "row of c");
    EXPECT_CONSISTENT(store);
}

TEST(StoreSort, SubRangeSortsOnlyThoseRows)
{
    GridCellStore store;
    FillColumn(store, {"e", "d", "c", "b", "a"});
    EXPECT_EQ(store.SortRowsByText(0, TRUE, 1, 3), TRUE);
    EXPECT_EQ(ColumnTexts(store, 0), (std::vector<std::string>{"e", "b", "c", "d", "a"}));
}

// The selected-cell set and merge marks follow the moved rows (callers
// normally clear the selection first); "" moves to the top, so the master "b"
// and its covered cell end apart.
TEST(StoreSort, SelectionAndMergeMarksMoveWithTheirRows)
{
    GridCellStore store;
    FillColumn(store, {"b", "", "a"});
    store.SetItemState(2, 1, CELL_SELECTED);
    store.MergeCells(0, 0, 1, 0, 2);
    store.SortRowsByText(0, TRUE);
    EXPECT_EQ(store.GetItemState(1, 1), CELL_SELECTED);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(store.SelectedCells().begin()->second, CellId(1, 1));
    EXPECT_EQ(store.GetCellMerge(0, 0).covered, 1);
    EXPECT_EQ(store.GetCellMerge(2, 0).rowSpan, 1);
    EXPECT_EQ(store.GetCellMerge(2, 0).mergeLocked, 2);
    EXPECT_CONSISTENT(store);
}

TEST(StoreSort, LargeInputsEndSortedWithTheirRows)
{
    const std::vector<std::vector<std::string>> inputs = [] {
        std::vector<std::vector<std::string>> all(3);
        std::mt19937 random(5);
        for (int i = 0; i < 20000; ++i) {
            all[0].push_back(std::to_string(random() % 5000));                 // random with repeats
            all[1].push_back(std::to_string(100000 + (i < 10000 ? i : 30000 - i)));   // organ pipe
            all[2].push_back(i % 2 ? "odd" : std::to_string(i));               // half equal
        }
        return all;
    }();
    for (const BOOL ascending : {TRUE, FALSE})
        for (const auto& texts : inputs) {
            GridCellStore store;
            FillColumn(store, texts);
            for (int row = 0; row < store.RowCount(); ++row)
                store.SetRowHeight(row, row % 7);
            ASSERT_EQ(store.SortRowsByText(0, ascending), TRUE);
            const auto sorted = ColumnTexts(store, 0);
            if (ascending)
                EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
            else
                EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend()));
            // Every row kept its own text and height.
            for (int row = 0; row < store.RowCount(); ++row) {
                const int origin = store.GetItemParam(row, 1);
                ASSERT_EQ(sorted[static_cast<std::size_t>(row)], texts[static_cast<std::size_t>(origin)]);
                ASSERT_EQ(store.GetRowHeight(row), origin % 7);
            }
            EXPECT_CONSISTENT(store);
        }
}

} // namespace
