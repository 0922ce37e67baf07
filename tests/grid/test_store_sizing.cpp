// Row and column counts, fixed counts, emptying the store.
#include <gtest/gtest.h>

#include "store_test_support.h"

namespace {

// One sizing call and the counts after it.
struct SizingStep {
    enum Op { Rows, Columns, FixedRows, FixedColumns, DeleteAll } op;
    int value;
    BOOL result;
    int rows, columns, fixedRows, fixedColumns;
};

struct SizingCase { const char* name; std::vector<SizingStep> steps; };

BOOL Apply(GridCellStore& store, const SizingStep& step)
{
    switch (step.op) {
    case SizingStep::Rows: return store.SetRowCount(step.value);
    case SizingStep::Columns: return store.SetColumnCount(step.value);
    case SizingStep::FixedRows: return store.SetFixedRows(step.value);
    case SizingStep::FixedColumns: return store.SetFixedColumns(step.value);
    case SizingStep::DeleteAll: return store.DeleteAllItems();
    }
    return FALSE;
}

using S = SizingStep;

TEST(StoreSizing, CountsAfterEachStep)
{
    const SizingCase cases[] = {
        {"shrinking below the fixed counts clamps them",
         {{S::Columns, 6, TRUE, 0, 6, 0, 0}, {S::Rows, 5, TRUE, 5, 6, 0, 0}, {S::FixedRows, 3, TRUE, 5, 6, 3, 0},
          {S::FixedColumns, 4, TRUE, 5, 6, 3, 4}, {S::Rows, 2, TRUE, 2, 6, 2, 4}, {S::Columns, 1, TRUE, 2, 1, 2, 1},
          {S::Rows, 0, TRUE, 0, 1, 0, 1}}},
        {"fixed counts beyond the count grow the grid",
         {{S::Rows, 2, TRUE, 2, 0, 0, 0}, {S::FixedRows, 4, TRUE, 4, 0, 4, 0}, {S::FixedColumns, 3, TRUE, 4, 3, 4, 3}}},
        {"same count accepted, negative refused",
         {{S::Rows, 3, TRUE, 3, 0, 0, 0}, {S::Columns, 2, TRUE, 3, 2, 0, 0}, {S::Rows, 3, TRUE, 3, 2, 0, 0},
          {S::Rows, -1, FALSE, 3, 2, 0, 0}, {S::Columns, -5, FALSE, 3, 2, 0, 0}, {S::FixedRows, -1, FALSE, 3, 2, 0, 0},
          {S::FixedColumns, -1, FALSE, 3, 2, 0, 0}}},
        {"DeleteAllItems empties everything",
         {{S::FixedRows, 2, TRUE, 2, 0, 2, 0}, {S::FixedColumns, 1, TRUE, 2, 1, 2, 1}, {S::Rows, 5, TRUE, 5, 1, 2, 1},
          {S::DeleteAll, 0, TRUE, 0, 0, 0, 0}, {S::Rows, 2, TRUE, 2, 0, 0, 0}}}};
    for (const SizingCase& c : cases) {
        GridCellStore store;
        int index = 0;
        for (const SizingStep& step : c.steps) {
            SCOPED_TRACE(testing::Message() << c.name << ", step " << index++);
            EXPECT_EQ(Apply(store, step), step.result);
            EXPECT_EQ(std::tuple(store.RowCount(), store.ColumnCount(), store.FixedRowCount(), store.FixedColumnCount()),
                      std::tuple(step.rows, step.columns, step.fixedRows, step.fixedColumns));
            EXPECT_CONSISTENT(store);
        }
    }
}

} // namespace
