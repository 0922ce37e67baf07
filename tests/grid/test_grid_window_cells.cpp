// The cell store through the grid window: count changes move the focus,
// sorting and clearing drop the selection, auto-sizing asks the virtual
// MeasureCell, and the selection range follows its rules.
#include <algorithm>
#include <gtest/gtest.h>

#include "grid_test_client.h"

namespace {

// Measures every cell as (10 x column + row, 5 x row + 1) and exposes the retained selection.
class MeasuredGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    SIZE MeasureCell(int row, int col, CDC*) override { return SIZE{10 * col + row, 5 * row + 1}; }
    void Retain(int row, int col) { retainedSelection.Set(row, col, true); }
};

std::vector<CellId> SelectedCells(const CGridCtrl& grid)
{
    std::vector<CellId> cells;
    for (const CellId cell : grid.Store().SelectedCells())
        cells.push_back(cell);
    return cells;
}

// The focus is on (4, 2) of a 6 x 4 grid with one fixed row and column.
TEST(GridFocusAfterCountChange, FocusLeavesRemovedOrFixedCells)
{
    const struct { const char* name; void (*change)(CGridCtrl&); bool focusKept; } cases[] = {
        {"fewer rows than the focus row", [](CGridCtrl& g) { g.SetRowCount(4); }, false},
        {"rows still hold the focus", [](CGridCtrl& g) { g.SetRowCount(5); }, true},
        {"focus row becomes fixed", [](CGridCtrl& g) { g.SetFixedRows(5); }, false},
        {"fixed rows above the focus", [](CGridCtrl& g) { g.SetFixedRows(4); }, true},
        {"focus column becomes fixed", [](CGridCtrl& g) { g.SetFixedColumns(3); }, false},
        {"sort clears the focus", [](CGridCtrl& g) { g.SortRowsByText(1, TRUE); }, false},
        {"DeleteAllItems", [](CGridCtrl& g) { g.DeleteAllItems(); }, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g(new CGridCtrl(6, 4, 1, 1));
        g->MoveFocusTo(4, 2);
        std::vector<int> codes;
        QObject::connect(g.grid, &CGridCtrl::ownerNotify, [&](const GridNotifyInfo& n) { codes.push_back(n.hdr.code); });
        c.change(*g);
        EXPECT_EQ(g->GetFocusCell(), c.focusKept ? CellId(4, 2) : CellId(-1, -1));
        EXPECT_EQ(codes, c.focusKept ? std::vector<int>{} : std::vector<int>{LVN_ITEMCHANGING});
    }
}

TEST(GridSelectionRange, NewBlockReplacesTheOldOneRetainedCellsStay)
{
    GridWindow g(new MeasuredGrid(6, 4, 1, 1));
    auto* grid = static_cast<MeasuredGrid*>(g.grid);
    grid->ApplySelectionRange(1, 1, 2, 2);
    EXPECT_EQ(SelectedCells(*grid), (std::vector<CellId>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    grid->ApplySelectionRange(2, 2, 3, 2);
    EXPECT_EQ(SelectedCells(*grid), (std::vector<CellId>{{2, 2}, {3, 2}}));
    EXPECT_EQ(grid->GetItemState(1, 1) & CELL_SELECTED, 0u);
    grid->ApplySelectionRange(3, 3, 9, 3);   // past the last row: nothing
    EXPECT_TRUE(SelectedCells(*grid).empty());

    grid->Retain(5, 3);
    grid->ApplySelectionRange(1, 1, 1, 1);
    EXPECT_EQ(SelectedCells(*grid), (std::vector<CellId>{{1, 1}, {5, 3}}));
    grid->SetSingleSelection(TRUE);
    grid->ApplySelectionRange(1, 1, 1, 1);
    EXPECT_EQ(SelectedCells(*grid), (std::vector<CellId>{{1, 1}}));
}

TEST(GridSelectionRange, SelectionOffKeepsItSortAndDeleteAllClearIt)
{
    GridWindow g(new CGridCtrl(6, 4, 1, 1));
    g->ApplySelectionRange(1, 1, 2, 2);
    g->EnableSelection(FALSE);
    g->ClearSelection();
    EXPECT_EQ(SelectedCells(*g).size(), 4u);
    g->EnableSelection(TRUE);
    g->SortRowsByText(1, TRUE);
    EXPECT_TRUE(SelectedCells(*g).empty());
    g->ApplySelectionRange(1, 1, 2, 2);
    g->DeleteAllItems();
    EXPECT_TRUE(SelectedCells(*g).empty());
}

TEST(GridFitSizes, AskTheVirtualMeasureCell)
{
    GridWindow g(new MeasuredGrid(4, 3, 1, 1));
    ASSERT_TRUE(g->FitColumnWidth(2));
    EXPECT_EQ(g->GetColumnWidth(2), 23) << "widest of 20..23";
    ASSERT_TRUE(g->FitRowHeight(3));
    EXPECT_EQ(g->GetRowHeight(3), 16);
    EXPECT_FALSE(g->FitColumnWidth(3));
}

}  // namespace
