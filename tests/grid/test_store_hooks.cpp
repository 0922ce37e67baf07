// A grid that replaces NewCell, ReleaseCell and GetItemText is honoured:
// every created cell comes from its NewCell, every deleted cell passes its
// ReleaseCell exactly once, and shown texts come from its GetItemText.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

#include "store_test_support.h"

namespace {

// Records the hook calls; texts are stored in reverse and shown upright, so a
// test can tell the hook's text from the stored one.
class RecordingGrid : public GridCellHooks {
public:
    RecordingGrid() { store.SetHooks(this); }
    ~RecordingGrid() override { store.DeleteAllItems(); }   // as CGridCtrl's destructor

    std::string GetItemText(int row, int col) const override
    {
        const std::string stored = store.GetItemText(row, col);
        return std::string(stored.rbegin(), stored.rend());
    }
    GridCell NewCell(int row, int col) override
    {
        created.emplace_back(row, col);
        GridCell cell = store.DefaultNewCell(row, col);
        cell.text = "new " + std::to_string(row) + "," + std::to_string(col);
        cell.param = row * 100 + col;
        cell.bkColor = RGB(row, col, 0);
        return cell;
    }
    void ReleaseCell(const GridCellView& cell, int row, int col) override
    {
        ++released[{row, col}];
        if (releasedOut)
            ++(*releasedOut)[{row, col}];
        releasedTexts[{row, col}] = std::string(cell.Text());
        EXPECT_EQ(cell.Param(), store.GetItemParam(row, col));
        if (keepSelection)
            return;   // a replacement that forgets to unselect
        store.DefaultReleaseCell(row, col);
    }

    GridCellStore store;
    std::vector<std::pair<int, int>> created;
    std::map<std::pair<int, int>, int> released;
    std::map<std::pair<int, int>, std::string> releasedTexts;
    bool keepSelection = false;
    std::map<std::pair<int, int>, int>* releasedOut = nullptr;   // outlives the grid
};

std::map<std::pair<int, int>, int> OncePerCell(int firstRow, int endRow, int firstCol, int endCol)
{
    std::map<std::pair<int, int>, int> cells;
    for (int row = firstRow; row < endRow; ++row)
        for (int col = firstCol; col < endCol; ++col)
            cells[{row, col}] = 1;
    return cells;
}

TEST(StoreHooks, NewCellMakesEveryCellInRowMajorOrder)
{
    RecordingGrid grid;
    grid.store.SetRowCount(2);   // no columns yet: no cells
    EXPECT_TRUE(grid.created.empty());
    grid.store.SetColumnCount(2);
    grid.store.SetRowCount(3);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    EXPECT_EQ(grid.created, expected);
    EXPECT_EQ(grid.store.GetItemText(2, 1), "new 2,1");
    EXPECT_EQ(grid.store.GetItemParam(1, 0), 100);
    EXPECT_EQ(grid.store.GetItemBkColor(2, 1), RGB(2, 1, 0));
    EXPECT_CONSISTENT(grid.store);
}

TEST(StoreHooks, ReleaseCellRunsOnceForEveryRemovedCell)
{
    RecordingGrid grid;
    grid.store.SetRowCount(5);
    grid.store.SetColumnCount(4);
    grid.store.SetItemText(4, 3, "a text longer than the inline part");

    grid.store.SetRowCount(3);
    EXPECT_EQ(grid.released, OncePerCell(3, 5, 0, 4));
    EXPECT_EQ(grid.releasedTexts[std::make_pair(4, 3)], "a text longer than the inline part");
    EXPECT_CONSISTENT(grid.store);

    grid.released.clear();
    grid.store.SetColumnCount(1);
    EXPECT_EQ(grid.released, OncePerCell(0, 3, 1, 4));
    EXPECT_CONSISTENT(grid.store);

    grid.released.clear();
    grid.store.DeleteAllItems();
    EXPECT_EQ(grid.released, OncePerCell(0, 3, 0, 1));
    EXPECT_CONSISTENT(grid.store);
}

TEST(StoreHooks, DestroyingTheGridReleasesEveryCellOnce)
{
    std::map<std::pair<int, int>, int> releasedAfterDeath;
    auto grid = std::make_unique<RecordingGrid>();
    grid->releasedOut = &releasedAfterDeath;
    grid->store.SetRowCount(3);
    grid->store.SetColumnCount(3);
    grid->store.SetItemState(1, 1, CELL_SELECTED);
    grid.reset();
    EXPECT_EQ(releasedAfterDeath, OncePerCell(0, 3, 0, 3));

    // A store destroyed with its cells (no DeleteAllItems) calls no hooks.
    RecordingGrid hooks;
    {
        GridCellStore store(&hooks);
        store.SetRowCount(2);
        store.SetColumnCount(2);
        EXPECT_EQ(hooks.created.size(), 4u);
    }
    EXPECT_TRUE(hooks.released.empty());
}

TEST(StoreHooks, ReleaseThatKeepsTheSelectionStillEmptiesTheSet)
{
    RecordingGrid grid;
    grid.keepSelection = true;
    grid.store.SetRowCount(4);
    grid.store.SetColumnCount(2);
    grid.store.SetItemState(3, 1, CELL_SELECTED);
    grid.store.SetItemState(0, 0, CELL_SELECTED);
    grid.store.SetRowCount(3);
    EXPECT_EQ(grid.store.SelectedCells().size(), 1u);
    EXPECT_CONSISTENT(grid.store);
    grid.store.DeleteAllItems();
    EXPECT_TRUE(grid.store.SelectedCells().empty());
    EXPECT_CONSISTENT(grid.store);
}

TEST(StoreHooks, GetItemAndSortUseTheShownText)
{
    RecordingGrid grid;
    grid.store.SetRowCount(3);
    grid.store.SetColumnCount(1);
    grid.store.SetItemText(0, 0, "a1");   // shown "1a"
    grid.store.SetItemText(1, 0, "b0");   // shown "0b"
    grid.store.SetItemText(2, 0, "c2");   // shown "2c"
    GridItem item;
    item.row = 0;
    item.column = 0;
    item.mask = ITEM_TEXT;
    ASSERT_EQ(grid.store.GetItem(&item), TRUE);
    EXPECT_EQ(item.text, "1a");
    EXPECT_EQ(grid.store.GetItemText(0, 0), "a1");   // the stored text stays available

    grid.store.SortRowsByText(0, TRUE);
    EXPECT_EQ(ColumnTexts(grid.store, 0), (std::vector<std::string>{"b0", "a1", "c2"}));
    EXPECT_CONSISTENT(grid.store);
}

// A NewCell may hand out selected or merged cells; the store stays consistent.
class UnusualNewCellGrid : public GridCellHooks {
public:
    UnusualNewCellGrid() { store.SetHooks(this); }
    ~UnusualNewCellGrid() override { store.DeleteAllItems(); }
    std::string GetItemText(int row, int col) const override { return store.GetItemText(row, col); }
    GridCell NewCell(int row, int col) override
    {
        GridCell cell = store.DefaultNewCell(row, col);
        if (row == 1)
            cell.state = CELL_SELECTED;
        if (col == 1) {
            cell.mergeLocked = 6;
            cell.font = TestFont("Hook Face", 9);
        }
        return cell;
    }
    void ReleaseCell(const GridCellView&, int row, int col) override { store.DefaultReleaseCell(row, col); }
    GridCellStore store;
};

TEST(StoreHooks, NewCellStateAndMergeFieldsAreKept)
{
    UnusualNewCellGrid grid;
    grid.store.SetRowCount(3);
    grid.store.SetColumnCount(2);
    EXPECT_EQ(grid.store.SelectedCells().size(), 2u);
    EXPECT_EQ(grid.store.GetCellMerge(0, 1).mergeLocked, 6);
    EXPECT_EQ(grid.store.IsCellEditable(0, 1), FALSE);
    EXPECT_EQ(grid.store.GetItemFont(2, 1), TestFont("Hook Face", 9));
    EXPECT_CONSISTENT(grid.store);
    grid.store.SetRowCount(1);
    EXPECT_TRUE(grid.store.SelectedCells().empty());
    EXPECT_CONSISTENT(grid.store);
}

} // namespace
