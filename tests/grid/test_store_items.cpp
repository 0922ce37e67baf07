// Cell attributes: SetItem/GetItem, the single setters and getters, their
// answers on invalid cells, the selected-cell set, fonts and texts.
#include <gtest/gtest.h>

#include "store_test_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

GridCellStore& Grid3x3(GridCellStore& store)
{
    store.SetRowCount(3);
    store.SetColumnCount(3);
    return store;
}

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

struct MaskCase {
    const char* name;
    UINT mask;
};

class StoreSetItemMask : public ::testing::TestWithParam<MaskCase> {};

// Exactly the masked attributes change; the others keep the new-cell values.
TEST_P(StoreSetItemMask, MovesOnlyTheMaskedAttributes)
{
    GridCellStore store;
    Grid3x3(store);
    const UINT mask = GetParam().mask;
    const GridItem item = FullItem(1, 2, mask);
    ASSERT_EQ(store.SetItem(&item), TRUE);
    const GridCell cell = store.GetCell(1, 2);
    const GridCell blank = store.DefaultNewCell(0, 0);
    EXPECT_EQ(cell.text, (mask & ITEM_TEXT) ? item.text : blank.text);
    EXPECT_EQ(cell.image, (mask & ITEM_IMAGE) ? item.image : blank.image);
    EXPECT_EQ(cell.param, (mask & ITEM_PARAM) ? item.param : blank.param);
    EXPECT_EQ(cell.state, (mask & ITEM_STATE) ? item.state : blank.state);
    EXPECT_EQ(cell.bkColor, (mask & ITEM_BKCOLOR) ? item.bkColor : blank.bkColor);
    EXPECT_EQ(cell.textColor, (mask & ITEM_TEXTCOLOR) ? item.textColor : blank.textColor);
    EXPECT_EQ(cell.format, (mask & ITEM_FORMAT) ? item.format : blank.format);
    EXPECT_EQ(cell.font, (mask & ITEM_FONT) ? item.font : blank.font);
    EXPECT_EQ(store.CellView(1, 2).Text(), cell.text);

    // GetItem writes the masked fields only.
    GridItem out;
    out.row = 1;
    out.column = 2;
    out.mask = mask;
    out.text = "untouched";
    ASSERT_EQ(store.GetItem(&out), TRUE);
    EXPECT_EQ(out.text, (mask & ITEM_TEXT) ? item.text : "untouched");
    EXPECT_EQ(out.image, (mask & ITEM_IMAGE) ? item.image : -1);
    EXPECT_EQ(out.param, (mask & ITEM_PARAM) ? item.param : 0);
    EXPECT_EQ(out.font, (mask & ITEM_FONT) ? item.font : LOGFONT{});
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Masks, StoreSetItemMask,
                         ::testing::Values(MaskCase{"Text", ITEM_TEXT}, MaskCase{"Image", ITEM_IMAGE},
                                           MaskCase{"Param", ITEM_PARAM}, MaskCase{"State", ITEM_STATE},
                                           MaskCase{"BkColor", ITEM_BKCOLOR}, MaskCase{"TextColor", ITEM_TEXTCOLOR},
                                           MaskCase{"Format", ITEM_FORMAT}, MaskCase{"Font", ITEM_FONT},
                                           MaskCase{"ColoursAndFont", ITEM_BKCOLOR | ITEM_TEXTCOLOR | ITEM_FONT},
                                           MaskCase{"All", 0xFF}, MaskCase{"None", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct InvalidCell {
    const char* name;
    int row;
    int col;
};

class StoreInvalidCell : public ::testing::TestWithParam<InvalidCell> {};

// Every setter answers FALSE and every getter its failure value; nothing changes.
TEST_P(StoreInvalidCell, AnswersFailureValuesAndChangesNothing)
{
    GridCellStore store;
    const LOGFONT gridFont = TestFont("Grid", -12);
    store.SetGridLogFont(gridFont);
    Grid3x3(store);
    const auto [name, row, col] = GetParam();
    const GridItem item = FullItem(row, col, 0xFF);
    EXPECT_EQ(store.SetItem(&item), FALSE);
    EXPECT_EQ(store.SetItem(nullptr), FALSE);
    EXPECT_EQ(store.GetItem(nullptr), FALSE);
    GridItem out = FullItem(row, col, 0xFF);
    EXPECT_EQ(store.GetItem(&out), FALSE);
    EXPECT_EQ(out.text, "moved");
    EXPECT_EQ(store.SetItemText(row, col, "x"), FALSE);
    EXPECT_EQ(store.SetItemState(row, col, CELL_SELECTED), FALSE);
    EXPECT_EQ(store.SetItemFormat(row, col, 1), FALSE);
    EXPECT_EQ(store.SetItemImage(row, col, 1), FALSE);
    EXPECT_EQ(store.SetItemParam(row, col, 1), FALSE);
    EXPECT_EQ(store.SetItemBkColor(row, col, 1), FALSE);
    EXPECT_EQ(store.SetItemTextColor(row, col, 1), FALSE);
    EXPECT_EQ(store.SetItemFont(row, col, TestFont("x", 1)), FALSE);
    EXPECT_EQ(store.GetItemText(row, col), "");
    EXPECT_EQ(store.GetItemState(row, col), 0u);
    EXPECT_EQ(store.GetItemFormat(row, col), 0u);
    EXPECT_EQ(store.GetItemImage(row, col), -1);
    EXPECT_EQ(store.GetItemParam(row, col), 0);
    EXPECT_EQ(store.GetItemBkColor(row, col), CLR_DEFAULT);
    EXPECT_EQ(store.GetItemTextColor(row, col), CLR_DEFAULT);
    EXPECT_EQ(store.GetItemFont(row, col), gridFont);
    EXPECT_EQ(store.GetCellMerge(row, col), GridCellMerge{});
    EXPECT_EQ(store.IsCellEditable(row, col), FALSE);
    EXPECT_TRUE(store.SelectedCells().empty());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(store.GetCell(r, c).text, "");
    EXPECT_CONSISTENT(store);
}

INSTANTIATE_TEST_SUITE_P(Cells, StoreInvalidCell,
                         ::testing::Values(InvalidCell{"NegativeRow", -1, 0},
                                           InvalidCell{"NegativeColumn", 0, -1}, InvalidCell{"RowAtCount", 3, 0},
                                           InvalidCell{"ColumnAtCount", 0, 3}, InvalidCell{"FarAway", 70000, 70000}),
                         [](const auto& info) { return std::string(info.param.name); });

// Attributes live in shared styles: setting one cell's must not reach its neighbours.
TEST(StoreItems, SingleSettersChangeOnlyTheirCell)
{
    GridCellStore store;
    Grid3x3(store);
    const LOGFONT font = TestFont("Single", 15);
    EXPECT_EQ(store.SetItemBkColor(2, 1, RGB(255, 0, 0)) && store.SetItemTextColor(2, 1, RGB(0, 0, 255))
                  && store.SetItemFont(2, 1, font) && store.SetItemFormat(2, 1, 0x18),
              TRUE);
    EXPECT_EQ(store.GetItemBkColor(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(store.GetItemTextColor(2, 1), RGB(0, 0, 255));
    EXPECT_EQ(store.GetItemFont(2, 1), font);
    EXPECT_EQ(store.GetItemFormat(2, 1), 0x18u);
    EXPECT_EQ(store.GetItemBkColor(2, 0), CLR_DEFAULT);
    EXPECT_EQ(store.GetItemTextColor(1, 1), CLR_DEFAULT);
    EXPECT_EQ(store.GetItemFont(1, 1), LOGFONT{});
    EXPECT_EQ(store.GetItemFormat(2, 2), 0u);
    EXPECT_CONSISTENT(store);
}

TEST(StoreItems, TextsOfEveryLengthKeepTheirBytes)
{
    GridCellStore store;
    Grid3x3(store);
    const std::string texts[] = {"", "a", std::string(15, 'x'), std::string(16, 'y'), std::string(300, 'z'),
                                 "\xE4\xB8\xAD\xE6\x96\x87", std::string("nul\0inside", 10), "\xFF\x80"};
    for (const std::string& text : texts) {
        store.SetItemText(0, 0, text);
        EXPECT_EQ(store.GetItemText(0, 0), text);
    }
    // Replacing a long text with itself, and long with short, keeps it right.
    store.SetItemText(1, 1, std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1));
    EXPECT_EQ(store.GetItemText(1, 1), std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1).substr(0, 3));
    EXPECT_EQ(store.GetItemText(1, 1), "qqq");
}

TEST(StoreItems, FontsThatCompareEqualAreOneFont)
{
    GridCellStore store;
    Grid3x3(store);
    LOGFONT a = TestFont("Face", 10);
    LOGFONT b = a;
    b.lfFaceName[10] = 'J';   // bytes after the terminator do not matter
    store.SetItemFont(0, 0, a);
    store.SetItemFont(0, 1, b);
    EXPECT_EQ(store.GetItemFont(0, 0), store.GetItemFont(0, 1));
    LOGFONT c = a;
    c.lfItalic = 1;
    store.SetItemFont(0, 2, c);
    EXPECT_EQ(store.GetItemFont(0, 2).lfItalic, 1);
    EXPECT_EQ(store.GetItemFont(0, 0).lfItalic, 0);
    EXPECT_CONSISTENT(store);
}

TEST(StoreSelection, SetItemStateKeepsTheSetInStep)
{
    GridCellStore store;
    Grid3x3(store);
    store.SetItemState(0, 1, CELL_SELECTED);
    store.SetItemState(2, 2, CELL_SELECTED | CELL_FOCUSED);
    EXPECT_CONSISTENT(store);
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    store.SetItemState(0, 1, CELL_SELECTED | CELL_MODIFIED);   // still selected: one entry
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    store.SetItemState(2, 2, CELL_FOCUSED);
    EXPECT_CONSISTENT(store);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(store.SelectedCells().at(MakeCellKey(0, 1)), CellId(0, 1));

    GridItem item;
    item.row = 1;
    item.column = 0;
    item.mask = ITEM_STATE;
    item.state = CELL_SELECTED;
    store.SetItem(&item);
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    item.state = 0;
    store.SetItem(&item);
    EXPECT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_CONSISTENT(store);
}

// Rows 70000 and 4464 share their low 16 bits; the 64-bit key keeps both.
TEST(StoreSelection, RowsPast65535KeepTheirOwnKey)
{
    GridCellStore store;
    store.SetRowCount(70001);
    store.SetColumnCount(2);
    store.SetItemState(70000, 0, CELL_SELECTED);
    store.SetItemState(4464, 0, CELL_SELECTED);
    EXPECT_EQ(store.SelectedCells().size(), 2u);
    EXPECT_NE(MakeCellKey(70000, 0), MakeCellKey(4464, 0));
    EXPECT_NE(MakeCellKey(0, 1), MakeCellKey(65536, 0));
    EXPECT_CONSISTENT(store);
    store.SetItemState(4464, 0, 0);
    ASSERT_EQ(store.SelectedCells().size(), 1u);
    EXPECT_EQ(store.SelectedCells().begin()->second, CellId(70000, 0));
    EXPECT_CONSISTENT(store);
}

} // namespace
