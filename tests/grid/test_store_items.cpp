// Cell attributes through SetItem/GetItem and the single setters, their
// answers on invalid cells, and the selected-cell set.
#include <gtest/gtest.h>

#include <tuple>

#include "case_names.h"
#include "store_test_support.h"

namespace {

using case_names::PrintTo;

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

struct MaskCase { const char* name; UINT mask; };

class StoreSetItemMask : public ::testing::TestWithParam<MaskCase> {};

// Exactly the masked attributes change; the others, and every other cell,
// keep the blank new-cell values with the grid font.
TEST_P(StoreSetItemMask, MovesOnlyTheMaskedAttributes)
{
    GridCellStore store;
    const LOGFONT gridFont = TestFont("Grid Face", -13);
    store.SetGridLogFont(gridFont);
    store.SetRowCount(3);
    store.SetColumnCount(3);
    const UINT mask = GetParam().mask;
    const GridItem item = FullItem(1, 2, mask);
    ASSERT_EQ(store.SetItem(&item), TRUE);
    for (const CellId id : {CellId(1, 2), CellId(1, 1), CellId(2, 2)}) {
        SCOPED_TRACE(testing::Message() << id.row << "," << id.col);
        const UINT m = id == CellId(1, 2) ? mask : 0;
        const GridCell cell = store.GetCell(id.row, id.col);
        EXPECT_EQ(cell.text, (m & ITEM_TEXT) ? item.text : "");
        EXPECT_EQ(cell.image, (m & ITEM_IMAGE) ? item.image : -1);
        EXPECT_EQ(cell.param, (m & ITEM_PARAM) ? item.param : 0);
        EXPECT_EQ(cell.state, (m & ITEM_STATE) ? item.state : 0u);
        EXPECT_EQ(cell.bkColor, (m & ITEM_BKCOLOR) ? item.bkColor : CLR_DEFAULT);
        EXPECT_EQ(cell.textColor, (m & ITEM_TEXTCOLOR) ? item.textColor : CLR_DEFAULT);
        EXPECT_EQ(cell.format, (m & ITEM_FORMAT) ? item.format : 0u);
        EXPECT_EQ(cell.font, (m & ITEM_FONT) ? item.font : gridFont);
        EXPECT_EQ(cell.Merge(), GridCellMerge{});
    }

    // GetItem writes the masked fields only.
    GridItem out;
    out.row = 1;
    out.column = 2;
    out.mask = mask;
    out.text = "untouched";
    ASSERT_EQ(store.GetItem(&out), TRUE);
    EXPECT_EQ(out.text, (mask & ITEM_TEXT) ? item.text : "untouched");
    EXPECT_EQ(out.image, (mask & ITEM_IMAGE) ? item.image : -1);
    EXPECT_EQ(out.font, (mask & ITEM_FONT) ? item.font : LOGFONT{});
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Masks, StoreSetItemMask,
                         ::testing::Values(MaskCase{"Text", ITEM_TEXT}, MaskCase{"Image", ITEM_IMAGE},
                                           MaskCase{"Param", ITEM_PARAM}, MaskCase{"State", ITEM_STATE},
                                           MaskCase{"BkColor", ITEM_BKCOLOR}, MaskCase{"TextColor", ITEM_TEXTCOLOR},
                                           MaskCase{"Format", ITEM_FORMAT}, MaskCase{"Font", ITEM_FONT},
                                           MaskCase{"All", 0xFF}, MaskCase{"None", 0}), case_names::ByName);

struct InvalidCell { const char* name; int row; int col; };

class StoreInvalidCell : public ::testing::TestWithParam<InvalidCell> {};

// Every setter answers FALSE and every getter its failure value; nothing changes.
TEST_P(StoreInvalidCell, AnswersFailureValuesAndChangesNothing)
{
    GridCellStore store;
    const LOGFONT gridFont = TestFont("Grid", -12);
    store.SetGridLogFont(gridFont);
    store.SetRowCount(3);
    store.SetColumnCount(3);
    const auto [name, row, col] = GetParam();
    const GridItem item = FullItem(row, col, 0xFF);
    EXPECT_FALSE(store.SetItem(&item) || store.SetItem(nullptr) || store.GetItem(nullptr));
    GridItem out = FullItem(row, col, 0xFF);
    EXPECT_EQ(store.GetItem(&out), FALSE);
    EXPECT_EQ(out.text, "moved");
    EXPECT_FALSE(store.SetItemText(row, col, "x") || store.SetItemState(row, col, CELL_SELECTED)
                  || store.SetItemFormat(row, col, 1) || store.SetItemImage(row, col, 1)
                  || store.SetItemParam(row, col, 1) || store.SetItemBkColor(row, col, 1)
                  || store.SetItemTextColor(row, col, 1) || store.SetItemFont(row, col, TestFont("x", 1)));
    EXPECT_EQ(std::make_tuple(store.GetItemText(row, col), store.GetItemState(row, col),
                              store.GetItemFormat(row, col), store.GetItemImage(row, col), store.GetItemParam(row, col),
                              store.GetItemBkColor(row, col), store.GetItemTextColor(row, col)),
              std::make_tuple(std::string(), 0u, 0u, -1, CellParam{0}, CLR_DEFAULT, CLR_DEFAULT));
    EXPECT_EQ(store.GetItemFont(row, col), gridFont);
    EXPECT_EQ(store.GetCellMerge(row, col), GridCellMerge{});
    EXPECT_EQ(store.IsCellEditable(row, col), FALSE);
    EXPECT_TRUE(store.SelectedCells().empty());
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(ColumnTexts(store, c), std::vector<std::string>(3));
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Cells, StoreInvalidCell,
                         ::testing::Values(InvalidCell{"NegativeRow", -1, 0}, InvalidCell{"NegativeColumn", 0, -1},
                                           InvalidCell{"RowAtCount", 3, 0}, InvalidCell{"ColumnAtCount", 0, 3}),
                         case_names::ByName);

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
    EXPECT_CONSISTENT(store);
    store.SetItemState(4464, 0, CELL_FOCUSED);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(*store.SelectedCells().begin(), CellId(70000, 0));
    EXPECT_EQ(store.GetItemState(70000, 0), CELL_SELECTED);
    EXPECT_CONSISTENT(store);
}

} // namespace
