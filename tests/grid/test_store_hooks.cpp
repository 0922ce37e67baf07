// A grid that replaces NewCell, ReleaseCell and GetItemText is honoured:
// every created cell comes from its NewCell, every deleted cell passes its
// ReleaseCell exactly once, and shown texts come from its GetItemText.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "store_test_support.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

// Records the hook calls. Texts are stored in reverse and shown upright, so a
// test can tell the hook's text from the stored one; new cells of row 1 come
// selected and those of column 3 merge-locked.
class RecordingGrid : public GridCellHooks {
public:
    RecordingGrid() { store.SetHooks(this); }

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
        cell.state = row == 1 ? CELL_SELECTED : 0;
        cell.mergeLocked = col == 3 ? 6 : 0;
        return cell;
    }
    void ReleaseCell(const GridCellView& cell, int row, int col) override
    {
        released.emplace_back(row, col);
        releasedTexts[{row, col}] = std::string(cell.Text());
        EXPECT_EQ(cell.Param(), store.GetItemParam(row, col));
        if (!keepSelection)   // a replacement may forget to unselect
            store.DefaultReleaseCell(row, col);
    }

    GridCellStore store;
    Cells created, released;
    std::map<std::pair<int, int>, std::string> releasedTexts;
    bool keepSelection = false;
};

// Each cell once, row by row.
Cells Block(int firstRow, int endRow, int firstCol, int endCol)
{
    Cells cells;
    for (int row = firstRow; row < endRow; ++row)
        for (int col = firstCol; col < endCol; ++col)
            cells.emplace_back(row, col);
    return cells;
}

TEST(StoreHooks, NewCellAndReleaseCellRunOncePerCell)
{
    for (const bool keepSelection : {false, true}) {
        SCOPED_TRACE(keepSelection ? "release keeps the selection" : "release unselects");
        RecordingGrid grid;
        grid.keepSelection = keepSelection;
        GridCellStore& store = grid.store;
        store.SetRowCount(2);   // no columns yet: no cells
        store.SetColumnCount(4);
        store.SetRowCount(5);
        EXPECT_EQ(grid.created, Block(0, 5, 0, 4));
        EXPECT_EQ(store.GetItemText(2, 1), "new 2,1");
        EXPECT_EQ(store.GetItemParam(4, 2), 402);
        EXPECT_EQ(store.SelectedCells().size(), 4u);
        EXPECT_EQ(store.GetCellMerge(0, 3).mergeLocked, 6);

        store.SetItemState(4, 0, CELL_SELECTED);
        store.SetItemText(4, 3, "a text longer than the inline part");
        store.SetRowCount(3);
        EXPECT_EQ(grid.releasedTexts[std::make_pair(4, 3)], "a text longer than the inline part");
        EXPECT_EQ(store.SelectedCells().size(), 4u);
        store.SetColumnCount(1);
        EXPECT_EQ(store.SelectedCells().size(), 1u);
        store.DeleteAllItems();
        Cells expected = Block(0, 5, 0, 4);   // rows 3, 4, then columns 1 to 3, then the rest: each once
        std::sort(grid.released.begin(), grid.released.end());
        EXPECT_EQ(grid.released, expected);
        EXPECT_TRUE(store.SelectedCells().empty());
        EXPECT_CONSISTENT(store);
    }

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

TEST(StoreHooks, GetItemAndSortUseTheShownText)
{
    RecordingGrid grid;
    GridCellStore& store = grid.store;
    store.SetRowCount(3);
    store.SetColumnCount(1);
    for (const auto& [row, text] : {std::pair(0, "a1"), std::pair(1, "b0"), std::pair(2, "c2")})
        store.SetItemText(row, 0, text);   // shown "1a", "0b", "2c"
    GridItem item;
    item.mask = ITEM_TEXT;
    ASSERT_EQ(store.GetItem(&item), TRUE);   // row and column 0
    EXPECT_EQ(item.text, "1a");
    store.SortRowsByText(0, TRUE);
    EXPECT_EQ(ColumnTexts(store, 0), (std::vector<std::string>{"b0", "a1", "c2"}));
}

} // namespace
