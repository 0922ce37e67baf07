// Row heights, column widths and the offset queries over the prefix cache:
// after any change every answer must equal the plain sum.
#include <gtest/gtest.h>

#include <random>

#include "store_test_support.h"

namespace {

// One axis of the store: rows or columns.
struct Axis {
    using Count = int (GridCellStore::*)() const;
    using Query = int (GridCellStore::*)(int) const;
    const char* name;
    Count count, fixedCount;
    BOOL (GridCellStore::*setCount)(int);
    BOOL (GridCellStore::*setFixed)(int);
    void (GridCellStore::*setDefault)(int);
    BOOL (GridCellStore::*setSize)(int, int);
    Query size, start;
    int (GridCellStore::*span)(int, int) const;
    Query atOffset;
    Count total, fixedTotal;
};

const Axis kAxes[] = {
    {"rows", &GridCellStore::RowCount, &GridCellStore::FixedRowCount, &GridCellStore::SetRowCount,
     &GridCellStore::SetFixedRows, &GridCellStore::SetDefaultRowHeight, &GridCellStore::SetRowHeight,
     &GridCellStore::GetRowHeight, &GridCellStore::RowTop, &GridCellStore::RowsHeight, &GridCellStore::RowAtOffset,
     &GridCellStore::TotalRowsHeight, &GridCellStore::FixedRowsHeight},
    {"columns", &GridCellStore::ColumnCount, &GridCellStore::FixedColumnCount, &GridCellStore::SetColumnCount,
     &GridCellStore::SetFixedColumns, &GridCellStore::SetDefaultColumnWidth, &GridCellStore::SetColumnWidth,
     &GridCellStore::GetColumnWidth, &GridCellStore::ColumnLeft, &GridCellStore::ColumnsWidth,
     &GridCellStore::ColumnAtOffset, &GridCellStore::TotalColumnsWidth, &GridCellStore::FixedColumnsWidth},
};

void ExpectQueriesMatchPlainSums(const GridCellStore& store, const Axis& a)
{
    const int n = (store.*a.count)();
    std::vector<int> top{0};   // plain prefix sums
    for (int i = 0; i < n; ++i)
        top.push_back(top.back() + (store.*a.size)(i));
    EXPECT_EQ((store.*a.total)(), top[static_cast<std::size_t>(n)]);
    EXPECT_EQ((store.*a.fixedTotal)(), top[static_cast<std::size_t>((store.*a.fixedCount)())]);
    for (int i = 0; i <= n; ++i)
        ASSERT_EQ((store.*a.start)(i), top[static_cast<std::size_t>(i)]) << i;
    for (int i = 0; i < n; ++i)
        ASSERT_EQ((store.*a.span)(i, n - 1), top[static_cast<std::size_t>(n)] - top[static_cast<std::size_t>(i)]);
    int expected = -1;   // the entry holding each offset, empty ones skipped
    for (int y = -2; y <= top.back() + 2; ++y) {
        while (y >= 0 && expected < n && (expected < 0 || y >= top[static_cast<std::size_t>(expected) + 1]))
            ++expected;
        ASSERT_EQ((store.*a.atOffset)(y), expected) << y;
    }
    // Out of range: -1; a span ending before it starts: 0.
    EXPECT_EQ((store.*a.size)(n), -1);
    EXPECT_EQ((store.*a.start)(n + 1), -1);
    EXPECT_EQ((store.*a.start)(-1), -1);
    EXPECT_EQ((store.*a.span)(0, n), -1);
    EXPECT_EQ((store.*a.span)(1, 0), 0);
}

// Random sizes, counts, fixed counts, defaults, sorts and clearing; a query
// at a random place first leaves the cache partly filled.
TEST(StoreGeometry, RandomChangesKeepEveryAnswerEqualToThePlainSums)
{
    std::mt19937 random(11);
    for (const Axis& a : kAxes) {
        SCOPED_TRACE(a.name);
        GridCellStore store;
        store.SetRowCount(3);
        store.SetColumnCount(3);
        for (int step = 0; step < 400; ++step) {
            const int n = (store.*a.count)();
            const int pick = static_cast<int>(random() % 100);
            const int index = static_cast<int>(random() % static_cast<unsigned>(n + 3)) - 1;
            const int value = static_cast<int>(random() % 30) - 2;
            if (pick < 60) {
                const bool valid = index >= 0 && index < n && value >= 0;
                const int before = (store.*a.size)(index);
                EXPECT_EQ((store.*a.setSize)(index, value), valid ? TRUE : FALSE);
                EXPECT_EQ((store.*a.size)(index), valid ? value : before);
            } else if (pick < 75) {
                (store.*a.setDefault)(value + 2);
                (store.*a.setCount)(static_cast<int>(random() % 40));
                const int grown = (store.*a.count)();
                if (grown > n) {   // new entries take the default size
                    EXPECT_EQ((store.*a.size)(grown - 1), value + 2);
                }
            } else if (pick < 85) {
                (store.*a.setFixed)(static_cast<int>(random() % 4));
            } else if (pick < 98) {
                for (int row = 0; row < store.RowCount(); ++row)
                    store.SetItemText(row, 0, std::to_string(random() % 10));
                store.SortRowsByText(0, random() % 2 ? TRUE : FALSE);   // heights move with their rows
            } else {
                store.DeleteAllItems();
                store.SetRowCount(2);
                store.SetColumnCount(2);
            }
            (store.*a.atOffset)(static_cast<int>(random() % 200));
            SCOPED_TRACE("step " + std::to_string(step));
            ExpectQueriesMatchPlainSums(store, a);
            EXPECT_CONSISTENT(store);
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
