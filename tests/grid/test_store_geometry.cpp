// Row heights and the offset queries over the prefix cache (the columns share
// its code): after any change every answer must equal the plain sum.
#include <gtest/gtest.h>

#include <random>

#include "store_test_support.h"

namespace {

void ExpectQueriesMatchPlainSums(const GridCellStore& store)
{
    const int n = store.RowCount();
    std::vector<int> top{0};   // plain prefix sums
    for (int i = 0; i < n; ++i)
        top.push_back(top.back() + store.GetRowHeight(i));
    EXPECT_EQ(store.FixedRowsHeight(), top[static_cast<std::size_t>(store.FixedRowCount())]);
    for (int i = 0; i <= n; ++i)
        ASSERT_EQ(store.RowTop(i), top[static_cast<std::size_t>(i)]) << i;
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(store.RowsHeight(i, n - 1), top.back() - top[static_cast<std::size_t>(i)]);
    int expected = -1;   // the row holding each offset, empty ones skipped
    for (int y = -2; y <= top.back() + 2; ++y) {
        while (y >= 0 && expected < n && (expected < 0 || y >= top[static_cast<std::size_t>(expected) + 1]))
            ++expected;
        ASSERT_EQ(store.RowAtOffset(y), expected) << y;
    }
    // Out of range: -1; a span ending before it starts: 0.
    EXPECT_EQ(std::tuple(store.GetRowHeight(n), store.RowTop(n + 1), store.RowTop(-1), store.RowsHeight(0, n),
                         store.RowsHeight(1, 0)),
              std::tuple(-1, -1, -1, -1, 0));
}

// Random heights, counts, fixed counts, defaults, sorts and clearing; a query
// at a random place first leaves the cache partly filled.
TEST(StoreGeometry, RandomChangesKeepEveryAnswerEqualToThePlainSums)
{
    std::mt19937 random(11);
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(1);
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const int n = store.RowCount();
        const int pick = static_cast<int>(random() % 100);
        const int index = static_cast<int>(random() % static_cast<unsigned>(n + 3)) - 1;
        const int value = static_cast<int>(random() % 30) - 2;
        if (pick < 60) {
            const bool valid = index >= 0 && index < n && value >= 0;
            const int before = store.GetRowHeight(index);
            EXPECT_EQ(store.SetRowHeight(index, value), valid ? TRUE : FALSE);
            EXPECT_EQ(store.GetRowHeight(index), valid ? value : before);
        } else if (pick < 75) {
            store.SetDefaultRowHeight(value + 2);
            store.SetRowCount(static_cast<int>(random() % 40));
            if (store.RowCount() > n) {   // new rows take the default height
                EXPECT_EQ(store.GetRowHeight(store.RowCount() - 1), value + 2);
            }
        } else if (pick < 85) {
            store.SetFixedRows(static_cast<int>(random() % 4));
        } else if (pick < 98) {
            for (int row = 0; row < store.RowCount(); ++row)
                store.SetItemText(row, 0, std::to_string(random() % 10));
            store.SortRowsByText(0, random() % 2 ? TRUE : FALSE);   // heights move with their rows
        } else {
            store.DeleteAllItems();
            store.SetRowCount(2);
            store.SetColumnCount(1);
        }
        store.RowAtOffset(static_cast<int>(random() % 200));
        ExpectQueriesMatchPlainSums(store);
        EXPECT_CONSISTENT(store);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
