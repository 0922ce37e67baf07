// Texts of every length in the store; a store filled with texts made on
// demand answers like one filled the plain way; values that new cells
// inherit and the modified marks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "store_test_support.h"

namespace {

TEST(StoreTexts, EveryLengthKeepsItsBytesAndASliceOfItselfIsSafe)
{
    GridCellStore store;
    store.SetRowCount(2);
    store.SetColumnCount(2);
    // Up to 15 bytes a text lies in the cell, longer ones on the heap.
    for (const std::string& text : {std::string(), std::string(15, 'a'), std::string(16, 'b'), std::string(300, 'z'),
                                    std::string("\xE4\xB8\xAD\xFF\x80"), std::string("a\0b", 3)}) {
        store.SetItemText(0, 0, text);
        EXPECT_EQ(store.GetItemText(0, 0), text);
    }
    // Regression: the new text was a view into the cell's own heap buffer.
    store.SetItemText(1, 1, std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1));
    EXPECT_EQ(store.GetItemText(1, 1), std::string(40, 'q'));
    store.SetItemText(1, 1, store.ItemTextView(1, 1).substr(0, 3));
    EXPECT_EQ(store.GetItemText(1, 1), "qqq");
    EXPECT_CONSISTENT(store);
}

// "#<row>:<digit>": the row a text was made for can be read back from it.
struct RowTexts : CellTextProvider {
    std::string CellText(int row, int col) const override
    {
        return "#" + std::to_string(row) + ":" + std::to_string((row * 7 + col * 3) % 5);
    }
};

// The default hooks, one cell at a time (a store without hooks makes and
// frees whole rows at once).
struct CellByCellHooks : GridCellHooks {
    GridCellStore* store = nullptr;
    std::string GetItemText(int row, int col) const override { return store->GetItemText(row, col); }
    GridCell NewCell(int row, int col) override { return store->DefaultNewCell(row, col); }
    void ReleaseCell(const GridCellView&, int row, int col) override { store->DefaultReleaseCell(row, col); }
};

// What RepeatRows does, written cell by cell: texts made for a row are made
// for the row moved, blocks are merged again.
void RepeatRowsPlainly(GridCellStore& store, const RowTexts& texts, int from, int count, int to)
{
    for (int i = 0; i < count; ++i)
        for (int col = 0; col < store.ColumnCount(); ++col) {
            const GridCell source = store.GetCell(from + i, col);
            std::string text = source.text;
            if (!text.empty() && text[0] == '#')
                text = texts.CellText(std::stoi(text.substr(1)) + to - from, col);
            store.SetItemText(to + i, col, text);
            store.SetItemFormat(to + i, col, source.format);
            store.SetItemBkColor(to + i, col, source.bkColor);
            const UINT selected = store.GetItemState(to + i, col) & CELL_SELECTED;
            store.SetItemState(to + i, col, (source.state & ~CELL_SELECTED) | selected);
            if (!source.covered)
                store.MergeCells(to + i, col, source.rowSpan, source.colSpan, source.mergeLocked);
        }
}

// Every answer of every cell, as one line per cell.
std::vector<std::string> EveryAnswer(const GridCellStore& store)
{
    std::vector<std::string> lines;
    for (int row = 0; row < store.RowCount(); ++row)
        for (int col = 0; col < store.ColumnCount(); ++col) {
            const GridCell c = store.GetCell(row, col);
            const GridCellMerge m = c.Merge();
            lines.push_back(c.text + "|" + std::string(store.ItemTextView(row, col)) + "|" + std::to_string(c.state)
                            + "|" + std::to_string(c.format) + "|" + std::to_string(c.bkColor) + "|"
                            + std::to_string(m.covered) + std::to_string(m.joinedDown) + std::to_string(m.joinedRight)
                            + "|" + std::to_string(m.masterRow) + "," + std::to_string(m.masterCol) + ","
                            + std::to_string(m.rowSpan) + "," + std::to_string(m.colSpan) + ","
                            + std::to_string(m.mergeLocked) + "|" + std::to_string(store.IsCellEditable(row, col)));
        }
    return lines;
}

// The lean store (shared row patterns, texts on demand, rows made and
// repeated whole) and a store filled the plain way, cell by cell, get the
// same random edits, pastes, cuts, colours, states, merges, sorts, repeated
// rows, resizes and Select All; every answer stays the same.
TEST(StoreOnDemand, AnswersLikeAStoreFilledThePlainWayAfterRandomChanges)
{
    RowTexts texts;
    GridCellStore lean, plain;
    CellByCellHooks hooks;
    hooks.store = &plain;
    plain.SetHooks(&hooks);
    lean.SetTextProvider(&texts);
    std::mt19937 random(5);
    auto pick = [&random](int n) { return n > 0 ? static_cast<int>(random() % static_cast<unsigned>(n)) : 0; };
    int repeats = 0;
    for (int step = 0; step < 4000; ++step) {
        const int rows = lean.RowCount(), cols = lean.ColumnCount();
        const int r = pick(rows), c = pick(cols), what = pick(100), size = pick(40), to = pick(rows);
        bool repeated = false;
        for (GridCellStore* store : {&lean, &plain}) {
            if (what < 6) {   // now and then empty, so that blocks start whole again
                store->SetRowCount(size < 6 ? 0 : size + (rows < 12 ? 12 : 0));
            } else if (what < 9) {
                store->SetColumnCount(1 + size % 6);
            } else if (what < 15 && rows > 0 && cols > 0) {   // fill rows with texts made on demand
                const CellRange block(r, 0, std::min(rows - 1, r + size / 2), cols - 1);
                if (store == &lean)
                    lean.SetItemsOnDemand(block, 0x24);
                for (int row = block.minRow; store == &plain && row <= block.maxRow; ++row)
                    for (int col = 0; col < cols; ++col) {
                        plain.SetItemText(row, col, texts.CellText(row, col));
                        plain.SetItemFormat(row, col, 0x24);
                    }
            } else if (what < 25) {   // repeat rows; refused ones change nothing
                const int count = 1 + size % 4;
                if (store == &lean)
                    repeats += (repeated = lean.RepeatRows(r, count, to));
                else if (repeated)
                    RepeatRowsPlainly(plain, texts, r, count, to);
            } else if (what < 40) {
                store->SetItemText(r, c, what % 2 ? std::string() : std::to_string(what));   // cut or paste
            } else if (what < 55) {
                store->SetItemBkColor(r, c, static_cast<COLORREF>(what % 3));
            } else if (what < 65) {
                store->SetItemState(r, c, static_cast<UINT>(what % 4));
            } else if (what < 80) {
                store->MergeCells(r, c, what % 3, what % 2, what % 5 == 0);
            } else if (what < 88) {
                store->SortRowsByText(c, what % 2);
            } else if (what < 93) {
                store->SelectBlock(CellRange(0, 0, rows - 1, cols - 1));
            } else if (what < 96) {
                store->UnselectAll();
            } else {
                store->SetModified(what % 2, r, c);
            }
        }
        ASSERT_EQ(EveryAnswer(lean), EveryAnswer(plain)) << "step " << step << " op " << what;
    }
    EXPECT_CONSISTENT(lean);
    EXPECT_GT(repeats, 100);   // the mix keeps reaching rows that can be repeated
}

TEST(StoreNewCells, TakeTheFormatOfTheCellAboveButTheFirstRowGetsZero)
{
    GridCellStore store;
    store.SetColumnCount(2);
    store.SetRowCount(1);
    store.SetItemFormat(0, 0, 0x18);
    store.SetRowCount(3);
    store.SetColumnCount(3);   // a new column starts with 0 in row 0
    EXPECT_EQ(std::vector<UINT>({store.GetItemFormat(2, 0), store.GetItemFormat(1, 1), store.GetItemFormat(2, 2)}),
              std::vector<UINT>({0x18, 0, 0}));
}

TEST(StoreModified, CellMarksFollowTheGridWideFlag)
{
    GridCellStore store;
    store.SetRowCount(3);
    store.SetColumnCount(3);
    store.SetModified(TRUE, 1, 1);
    store.SetModified(TRUE, 0, 2);    // row 0: only the grid-wide flag
    store.SetModified(FALSE, 2, 2);   // unmarking another cell keeps the flag
    EXPECT_TRUE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1), CELL_MODIFIED);
    EXPECT_EQ(store.GetItemState(0, 2), 0u);
    store.SetModified(FALSE, -1, -1);   // clearing the grid flag clears every cell
    EXPECT_FALSE(store.GetModified());
    EXPECT_EQ(store.GetItemState(1, 1), 0u);
}

} // namespace
