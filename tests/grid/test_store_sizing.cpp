// Row and column counts, fixed counts, new cells, emptying the store.
#include <gtest/gtest.h>

#include <tuple>

#include "store_test_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

// Each step is one sizing call; the counts after it are checked.
struct SizingStep {
    enum Op { Rows, Columns, FixedRows, FixedColumns } op;
    int value;
    BOOL result;
    int rows, columns, fixedRows, fixedColumns;
};

struct SizingCase {
    const char* name;
    std::vector<SizingStep> steps;
};

void Apply(GridCellStore& store, const SizingStep& step)
{
    BOOL result = FALSE;
    switch (step.op) {
    case SizingStep::Rows: result = store.SetRowCount(step.value); break;
    case SizingStep::Columns: result = store.SetColumnCount(step.value); break;
    case SizingStep::FixedRows: result = store.SetFixedRows(step.value); break;
    case SizingStep::FixedColumns: result = store.SetFixedColumns(step.value); break;
    }
    EXPECT_EQ(result, step.result);
}

class StoreSizingSequence : public ::testing::TestWithParam<SizingCase> {};

TEST_P(StoreSizingSequence, CountsAfterEachStep)
{
    GridCellStore store;
    int index = 0;
    for (const SizingStep& step : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(index++));
        Apply(store, step);
        EXPECT_EQ(store.RowCount(), step.rows);
        EXPECT_EQ(store.ColumnCount(), step.columns);
        EXPECT_EQ(store.FixedRowCount(), step.fixedRows);
        EXPECT_EQ(store.FixedColumnCount(), step.fixedColumns);
        EXPECT_CONSISTENT(store);
    }
}

using S = SizingStep;
INSTANTIATE_TEST_SUITE_P(
    Cases, StoreSizingSequence,
    ::testing::Values(
        SizingCase{"ShrinkBelowFixedRowsClampsThem",
                   {{S::Columns, 2, TRUE, 0, 2, 0, 0}, {S::Rows, 5, TRUE, 5, 2, 0, 0},
                    {S::FixedRows, 3, TRUE, 5, 2, 3, 0}, {S::Rows, 2, TRUE, 2, 2, 2, 0}}},
        SizingCase{"ShrinkBelowFixedColumnsClampsThem",
                   {{S::Rows, 2, TRUE, 2, 0, 0, 0}, {S::Columns, 6, TRUE, 2, 6, 0, 0},
                    {S::FixedColumns, 4, TRUE, 2, 6, 0, 4}, {S::Columns, 1, TRUE, 2, 1, 0, 1}}},
        SizingCase{"FixedRowsBeyondCountGrowTheGrid",
                   {{S::Rows, 2, TRUE, 2, 0, 0, 0}, {S::FixedRows, 4, TRUE, 4, 0, 4, 0}}},
        SizingCase{"FixedColumnsBeyondCountGrowTheGrid",
                   {{S::Columns, 1, TRUE, 0, 1, 0, 0}, {S::FixedColumns, 3, TRUE, 0, 3, 0, 3}}},
        SizingCase{"SameCountAcceptedNegativeRefused",
                   {{S::Rows, 3, TRUE, 3, 0, 0, 0}, {S::Columns, 2, TRUE, 3, 2, 0, 0},
                    {S::Rows, 3, TRUE, 3, 2, 0, 0}, {S::Rows, -1, FALSE, 3, 2, 0, 0}, {S::Columns, -5, FALSE, 3, 2, 0, 0},
                    {S::FixedRows, -1, FALSE, 3, 2, 0, 0}, {S::FixedColumns, -1, FALSE, 3, 2, 0, 0}}},
        SizingCase{"ShrinkToZeroAndGrowAgain",
                   {{S::Rows, 4, TRUE, 4, 0, 0, 0}, {S::Columns, 3, TRUE, 4, 3, 0, 0},
                    {S::FixedRows, 1, TRUE, 4, 3, 1, 0}, {S::Rows, 0, TRUE, 0, 3, 0, 0},
                    {S::Rows, 2, TRUE, 2, 3, 0, 0}, {S::Columns, 0, TRUE, 2, 0, 0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoreSizing, NewCellsAreBlankWithTheGridFont)
{
    GridCellStore store;
    const LOGFONT font = TestFont("Grid Face", -13);
    store.SetGridLogFont(font);
    store.SetRowCount(2);
    store.SetColumnCount(3);
    const GridCell cell = store.GetCell(1, 2);
    EXPECT_EQ(std::tie(cell.text, cell.state, cell.format, cell.image, cell.bkColor, cell.textColor, cell.param),
              std::make_tuple(std::string(), 0u, 0u, -1, CLR_DEFAULT, CLR_DEFAULT, CellParam{0}));
    EXPECT_EQ(cell.font, font);
    EXPECT_EQ(cell.Merge(), GridCellMerge{});
}

TEST(StoreSizing, NewRowsTakeTheFormatOfTheCellAbove)
{
    GridCellStore store;
    store.SetColumnCount(3);
    store.SetRowCount(1);
    store.SetItemFormat(0, 0, 0x18);
    store.SetItemFormat(0, 2, 0x25);
    store.SetRowCount(4);
    for (int row = 1; row < 4; ++row) {
        EXPECT_EQ(store.GetItemFormat(row, 0), 0x18u) << row;
        EXPECT_EQ(store.GetItemFormat(row, 1), 0u) << row;
        EXPECT_EQ(store.GetItemFormat(row, 2), 0x25u) << row;
    }
    // New columns flow down from their own (new, format 0) cells above.
    store.SetColumnCount(4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(store.GetItemFormat(row, 3), 0u) << row;
    EXPECT_CONSISTENT(store);
}

TEST(StoreSizing, NewRowsAndColumnsTakeTheDefaultSizes)
{
    GridCellStore store;
    store.SetDefaultRowHeight(21);
    store.SetDefaultColumnWidth(64);
    store.SetRowCount(2);
    store.SetColumnCount(2);
    store.SetDefaultRowHeight(30);
    store.SetDefaultColumnWidth(90);
    store.SetRowCount(3);
    store.SetColumnCount(3);
    EXPECT_EQ(store.GetRowHeight(0), 21);
    EXPECT_EQ(store.GetRowHeight(2), 30);
    EXPECT_EQ(store.GetColumnWidth(1), 64);
    EXPECT_EQ(store.GetColumnWidth(2), 90);
    EXPECT_EQ(store.TotalRowsHeight(), 72);
    EXPECT_EQ(store.TotalColumnsWidth(), 218);
    EXPECT_CONSISTENT(store);
}

TEST(StoreSizing, ShrinkingDropsTheRemovedCellsFromTheSelection)
{
    GridCellStore store;
    store.SetRowCount(4);
    store.SetColumnCount(4);
    store.SetItemState(1, 1, CELL_SELECTED);
    store.SetItemState(3, 0, CELL_SELECTED);
    store.SetItemState(0, 3, CELL_SELECTED | CELL_FOCUSED);
    store.SetItemText(3, 3, "a text longer than fifteen bytes");
    store.SetRowCount(3);
    EXPECT_CONSISTENT(store);
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    store.SetColumnCount(3);
    EXPECT_CONSISTENT(store);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(store.SelectedCells().begin()->second, CellId(1, 1));
    // Growing again brings blank cells, not the old ones back.
    store.SetRowCount(4);
    store.SetColumnCount(4);
    EXPECT_EQ(store.GetItemText(3, 3), "");
    EXPECT_EQ(store.GetItemState(0, 3), 0u);
    EXPECT_CONSISTENT(store);
}

TEST(StoreSizing, DeleteAllItemsEmptiesEverything)
{
    GridCellStore store;
    store.SetRowCount(5);
    store.SetColumnCount(4);
    store.SetFixedRows(2);
    store.SetFixedColumns(1);
    store.SetItemState(3, 2, CELL_SELECTED);
    store.MergeCells(2, 1, 1, 1, 0);
    store.SetItemFont(4, 3, TestFont("Other", 20));
    EXPECT_EQ(store.DeleteAllItems(), TRUE);
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.ColumnCount(), 0);
    EXPECT_EQ(store.FixedRowCount(), 0);
    EXPECT_EQ(store.FixedColumnCount(), 0);
    EXPECT_EQ(store.TotalRowsHeight(), 0);
    EXPECT_TRUE(store.SelectedCells().empty());
    EXPECT_CONSISTENT(store);
    // A new table after clearing starts unmerged.
    store.SetRowCount(5);
    store.SetColumnCount(4);
    EXPECT_EQ(store.GetCellMerge(2, 1), GridCellMerge{});
    EXPECT_CONSISTENT(store);
}

TEST(StoreSizing, ValidityOfCellsAndRanges)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(2);
    EXPECT_TRUE(store.IsValid(2, 1));
    EXPECT_FALSE(store.IsValid(3, 0) || store.IsValid(0, 2) || store.IsValid(CellId()));
    EXPECT_TRUE(store.IsValid(CellRange(0, 0, 2, 1)));
    EXPECT_FALSE(store.IsValid(CellRange(0, 0, 3, 1)) || store.IsValid(CellRange(1, 0, 0, 1))
                 || store.IsValid(CellRange()));
}

} // namespace
