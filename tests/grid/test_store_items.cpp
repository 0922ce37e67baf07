// Cell attributes through SetItem/GetItem and the single setters, their
// answers on invalid cells, and the selected-cell set.
#include <gtest/gtest.h>

#include <tuple>

#include "store_test_support.h"

namespace {

GridItem FullItem(int row, int col, UINT mask)
{
    GridItem item;
    item.row = row;
    item.column = col;
    item.mask = mask;
    item.state = CELL_READONLY;
    item.format = 0x25;
    item.text = "moved";
    item.image = 4;
    item.bkColor = RGB(1, 2, 3);
    item.textColor = RGB(4, 5, 6);
    item.param = 77;
    item.font = TestFont("Item Face", -17);
    return item;
}

// The attributes of a cell, in mask bit order, from the fields of `item` that `mask` names and blank values for the rest.
auto Fields(const GridItem& item, UINT mask, const LOGFONT& font)
{
    return std::make_tuple((mask & ITEM_TEXT) ? item.text : "", (mask & ITEM_IMAGE) ? item.image : -1,
                           (mask & ITEM_PARAM) ? item.param : CellParam{0}, (mask & ITEM_STATE) ? item.state : 0u,
                           (mask & ITEM_BKCOLOR) ? item.bkColor : CLR_DEFAULT,
                           (mask & ITEM_TEXTCOLOR) ? item.textColor : CLR_DEFAULT,
                           (mask & ITEM_FORMAT) ? item.format : 0u, (mask & ITEM_FONT) ? item.font : font);
}

// Exactly the masked attributes change, in the cell only; GetItem writes the masked fields only.
TEST(StoreItems, SetItemAndGetItemMoveOnlyTheMaskedAttributes)
{
    for (const UINT mask : {ITEM_TEXT, ITEM_IMAGE, ITEM_PARAM, ITEM_STATE, ITEM_BKCOLOR, ITEM_TEXTCOLOR, ITEM_FORMAT,
                            ITEM_FONT, 0xFFu, 0u}) {
        SCOPED_TRACE(mask);
        GridCellStore store;
        const LOGFONT gridFont = TestFont("Grid Face", -13);
        store.SetGridLogFont(gridFont);
        store.SetRowCount(3);
        store.SetColumnCount(3);
        const GridItem item = FullItem(1, 2, mask);
        ASSERT_EQ(store.SetItem(&item), TRUE);
        for (const CellId id : {CellId(1, 2), CellId(1, 1), CellId(2, 2)}) {
            const GridCell c = store.GetCell(id.row, id.col);
            EXPECT_EQ(std::make_tuple(c.text, c.image, c.param, c.state, c.bkColor, c.textColor, c.format, c.font),
                      Fields(item, id == CellId(1, 2) ? mask : 0, gridFont)) << id.row << "," << id.col;
            EXPECT_EQ(c.Merge(), GridCellMerge{});
        }
        GridItem out = FullItem(1, 2, mask);
        out.text = "untouched";
        out.image = 9;
        ASSERT_EQ(store.GetItem(&out), TRUE);
        EXPECT_EQ(out.text, (mask & ITEM_TEXT) ? "moved" : "untouched");
        EXPECT_EQ(out.image, (mask & ITEM_IMAGE) ? 4 : 9);
    }
}

// Every setter answers FALSE and every getter its failure value; nothing changes.
TEST(StoreItems, InvalidCellsAnswerFailureValuesAndChangeNothing)
{
    for (const auto& [row, col] : {std::pair(-1, 0), std::pair(0, -1), std::pair(3, 0), std::pair(0, 3)}) {
        SCOPED_TRACE(testing::Message() << row << "," << col);
        GridCellStore store;
        const LOGFONT gridFont = TestFont("Grid", -12);
        store.SetGridLogFont(gridFont);
        store.SetRowCount(3);
        store.SetColumnCount(3);
        const GridItem item = FullItem(row, col, 0xFF);
        EXPECT_FALSE(store.SetItem(&item) || store.SetItem(nullptr) || store.GetItem(nullptr));
        GridItem out = item;
        EXPECT_EQ(store.GetItem(&out), FALSE);
        EXPECT_EQ(out.text, "moved");
        EXPECT_FALSE(store.SetItemText(row, col, "x") || store.SetItemState(row, col, CELL_SELECTED)
                      || store.SetItemFormat(row, col, 1) || store.SetItemImage(row, col, 1)
                      || store.SetItemParam(row, col, 1) || store.SetItemBkColor(row, col, 1)
                      || store.SetItemTextColor(row, col, 1) || store.SetItemFont(row, col, TestFont("x", 1)));
        EXPECT_EQ(std::make_tuple(store.GetItemText(row, col), store.GetItemState(row, col),
                                  store.GetItemFormat(row, col), store.GetItemImage(row, col),
                                  store.GetItemParam(row, col), store.GetItemBkColor(row, col),
                                  store.GetItemTextColor(row, col), store.GetItemFont(row, col)),
                  std::make_tuple(std::string(), 0u, 0u, -1, CellParam{0}, CLR_DEFAULT, CLR_DEFAULT, gridFont));
        EXPECT_EQ(store.GetCellMerge(row, col), GridCellMerge{});
        EXPECT_EQ(store.IsCellEditable(row, col), FALSE);
        EXPECT_TRUE(store.SelectedCells().empty());
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(ColumnTexts(store, c), std::vector<std::string>(3));
    }
}

// Rows 70000 and 4464 share their low 16 bits; the set keeps both apart.
TEST(StoreSelection, RowsPast65535StayDistinct)
{
    GridCellStore store;
    store.SetRowCount(70001);
    store.SetColumnCount(2);
    store.SetItemState(70000, 0, CELL_SELECTED);
    store.SetItemState(4464, 0, CELL_SELECTED | CELL_FOCUSED);
    store.SetItemState(4464, 0, CELL_SELECTED | CELL_MODIFIED);   // still selected: one entry
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    EXPECT_EQ(store.GetItemState(4464, 0), CELL_SELECTED | CELL_MODIFIED);
    store.SetItemState(4464, 0, CELL_FOCUSED);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(*store.SelectedCells().begin(), CellId(70000, 0));
    EXPECT_EQ(store.GetItemState(70000, 0), CELL_SELECTED);
    EXPECT_CONSISTENT(store);
}

} // namespace
