// Row heights, column widths, their sums and the offset queries over the
// prefix cache: every answer must equal the plain sum.
#include <gtest/gtest.h>

#include <random>

#include "store_test_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

// The plain sums the cached answers must equal.
int PlainRowsHeight(const GridCellStore& store, int first, int end)
{
    int sum = 0;
    for (int row = first; row < end; ++row)
        sum += store.GetRowHeight(row);
    return sum;
}

int PlainRowAtOffset(const GridCellStore& store, int y)
{
    if (y < 0)
        return -1;
    int top = 0;
    for (int row = 0; row < store.RowCount(); ++row) {
        top += store.GetRowHeight(row);
        if (y < top)
            return row;
    }
    return store.RowCount();
}

void ExpectRowQueriesMatchPlainSums(const GridCellStore& store)
{
    EXPECT_EQ(store.TotalRowsHeight(), PlainRowsHeight(store, 0, store.RowCount()));
    EXPECT_EQ(store.FixedRowsHeight(), PlainRowsHeight(store, 0, store.FixedRowCount()));
    for (int row = 0; row <= store.RowCount(); ++row)
        ASSERT_EQ(store.RowTop(row), PlainRowsHeight(store, 0, row)) << row;
    for (int y = -2; y <= store.TotalRowsHeight() + 2; ++y)
        ASSERT_EQ(store.RowAtOffset(y), PlainRowAtOffset(store, y)) << y;
    EXPECT_CONSISTENT(store);
}

TEST(StoreGeometry, SumsFollowEveryKindOfChange)
{
    GridCellStore store;
    store.SetDefaultRowHeight(7);
    store.SetRowCount(6);
    store.SetColumnCount(2);
    store.SetFixedRows(2);
    ExpectRowQueriesMatchPlainSums(store);

    store.SetRowHeight(0, 3);
    store.SetRowHeight(4, 0);   // empty rows are passed over by RowAtOffset
    store.SetRowHeight(5, 11);
    ExpectRowQueriesMatchPlainSums(store);

    store.SetRowCount(9);
    ExpectRowQueriesMatchPlainSums(store);
    store.SetRowCount(4);
    ExpectRowQueriesMatchPlainSums(store);

    for (int row = 0; row < 4; ++row)
        store.SetItemText(row, 0, std::string(1, static_cast<char>('d' - row)));
    store.SetRowHeight(2, 40);
    store.SortRowsByText(0, TRUE);   // heights move with their rows
    ExpectRowQueriesMatchPlainSums(store);
    EXPECT_EQ(store.GetRowHeight(2), 7);
    EXPECT_EQ(store.GetRowHeight(3), 40);

    store.DeleteAllItems();
    ExpectRowQueriesMatchPlainSums(store);
}

TEST(StoreGeometry, ColumnQueriesMatchPlainSums)
{
    GridCellStore store;
    store.SetDefaultColumnWidth(10);
    store.SetColumnCount(4);
    store.SetFixedColumns(1);
    store.SetColumnWidth(1, 0);
    store.SetColumnWidth(3, 25);
    EXPECT_EQ(store.FixedColumnsWidth(), 10);
    EXPECT_EQ(store.TotalColumnsWidth(), 45);
    EXPECT_EQ(store.ColumnLeft(2), 10);
    EXPECT_EQ(store.ColumnLeft(4), 45);
    EXPECT_EQ(store.ColumnsWidth(1, 3), 35);
    EXPECT_EQ(store.ColumnAtOffset(9), 0);
    EXPECT_EQ(store.ColumnAtOffset(10), 2);   // column 1 is empty
    EXPECT_EQ(store.ColumnAtOffset(44), 3);
    EXPECT_EQ(store.ColumnAtOffset(45), 4);
    EXPECT_EQ(store.ColumnAtOffset(-1), -1);
    // Out of range: -1 (an empty span is 0).
    EXPECT_EQ(store.GetColumnWidth(4), -1);
    EXPECT_EQ(store.ColumnLeft(5), -1);
    EXPECT_EQ(store.ColumnLeft(-1), -1);
    EXPECT_EQ(store.ColumnsWidth(0, 4), -1);
    EXPECT_EQ(store.ColumnsWidth(1, 0), 0);
    EXPECT_CONSISTENT(store);
}

struct SizeCall {
    const char* name;
    int index;
    int size;
    BOOL result;
};

class StoreSizeRefusal : public ::testing::TestWithParam<SizeCall> {};

TEST_P(StoreSizeRefusal, RowAndColumnSettersAnswerAndKeepTheSizes)
{
    GridCellStore store;
    store.SetDefaultRowHeight(12);
    store.SetDefaultColumnWidth(34);
    store.SetRowCount(3);
    store.SetColumnCount(3);
    const SizeCall& call = GetParam();
    EXPECT_EQ(store.SetRowHeight(call.index, call.size), call.result);
    EXPECT_EQ(store.SetColumnWidth(call.index, call.size), call.result);
    const int expectedRow = call.result ? call.size : 12;
    const int expectedCol = call.result ? call.size : 34;
    if (call.index >= 0 && call.index < 3) {
        EXPECT_EQ(store.GetRowHeight(call.index), expectedRow);
        EXPECT_EQ(store.GetColumnWidth(call.index), expectedCol);
    } else {
        EXPECT_EQ(store.GetRowHeight(call.index), -1);
        EXPECT_EQ(store.RowTop(call.index < 0 ? call.index : 4), -1);
    }
    EXPECT_EQ(store.TotalRowsHeight(), call.result ? 24 + call.size : 36);
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreSizeRefusal,
                         ::testing::Values(SizeCall{"Valid", 1, 50, TRUE}, SizeCall{"Zero", 2, 0, TRUE},
                                           SizeCall{"NegativeIndex", -1, 50, FALSE},
                                           SizeCall{"IndexAtCount", 3, 50, FALSE},
                                           SizeCall{"NegativeSize", 0, -1, FALSE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoreGeometry, OffsetsAtTheEndOfALargeGridEqualPlainSums)
{
    GridCellStore store;
    store.SetRowCount(70000);
    store.SetColumnCount(1);
    std::mt19937 random(11);
    for (int i = 0; i < 500; ++i)
        store.SetRowHeight(static_cast<int>(random() % 70000), static_cast<int>(random() % 40));
    const int total = PlainRowsHeight(store, 0, 70000);
    EXPECT_EQ(store.TotalRowsHeight(), total);
    for (int i = 0; i < 200; ++i) {
        const int row = 70000 - 1 - static_cast<int>(random() % 3000);
        ASSERT_EQ(store.RowTop(row), PlainRowsHeight(store, 0, row));
        const int y = total - 1 - static_cast<int>(random() % 30000);
        const int found = store.RowAtOffset(y);
        ASSERT_LE(store.RowTop(found), y);
        ASSERT_GT(store.RowTop(found + 1), y);
    }
    // A change near the top must reach the sums at the end.
    store.SetRowHeight(3, store.GetRowHeight(3) + 100);
    EXPECT_EQ(store.TotalRowsHeight(), total + 100);
    EXPECT_CONSISTENT(store);
}

TEST(StoreGeometry, FitTakesTheLargestMeasure)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(2);
    auto measure = [](int row, int col) { return SIZE{10 * row + col + 1, 7 - row - col}; };
    EXPECT_EQ(store.FitColumnWidth(1, measure), TRUE);
    EXPECT_EQ(store.GetColumnWidth(1), 22);
    EXPECT_EQ(store.FitRowHeight(1, measure), TRUE);
    EXPECT_EQ(store.GetRowHeight(1), 6);
    EXPECT_EQ(store.FitColumnWidth(2, measure), FALSE);
    EXPECT_EQ(store.FitRowHeight(-1, measure), FALSE);
    // Starts from 0: only negative measures give width 0.
    EXPECT_EQ(store.FitColumnWidth(0, [](int, int) { return SIZE{-5, -5}; }), TRUE);
    EXPECT_EQ(store.GetColumnWidth(0), 0);
    EXPECT_CONSISTENT(store);
}

} // namespace
