// Reading and writing cell attributes, singly and through GridItem.
#include "grid/store/GridCellStore.h"

#include <cstdint>

BOOL GridCellStore::SetItem(const GridItem* item)
{
    if (!item || !IsValid(item->row, item->column))
        return FALSE;
    const int row = item->row;
    const int col = item->column;
    CompactCell& cell = Cell(row, col);
    if (item->mask & ITEM_TEXT)
        cell.text.Assign(item->text);
    if (item->mask & ITEM_PARAM)
        cell.param = item->param;
    if (item->mask & ITEM_IMAGE)
        cell.image = item->image;
    if (item->mask & ITEM_STATE)
        SetItemState(row, col, item->state);
    if (item->mask & ITEM_FORMAT)
        cell.format = item->format;
    // Colours and font share one style entry: change it once.
    if (item->mask & (ITEM_BKCOLOR | ITEM_TEXTCOLOR | ITEM_FONT)) {
        CellStyle style = styles_.Get(cell.style);
        if (item->mask & ITEM_BKCOLOR)
            style.bkColor = item->bkColor;
        if (item->mask & ITEM_TEXTCOLOR)
            style.textColor = item->textColor;
        if (item->mask & ITEM_FONT)
            style.font = fonts_.Intern(item->font);
        cell.style = styles_.Intern(style);
    }
    return TRUE;
}

BOOL GridCellStore::GetItem(GridItem* item) const
{
    if (!item || !IsValid(item->row, item->column))
        return FALSE;
    const CompactCell& cell = Cell(item->row, item->column);
    const CellStyle& style = styles_.Get(cell.style);
    if (item->mask & ITEM_TEXT)
        item->text = ShownText(item->row, item->column);
    if (item->mask & ITEM_PARAM)
        item->param = cell.param;
    if (item->mask & ITEM_IMAGE)
        item->image = cell.image;
    if (item->mask & ITEM_STATE)
        item->state = GetItemState(item->row, item->column);
    if (item->mask & ITEM_FORMAT)
        item->format = cell.format;
    if (item->mask & ITEM_BKCOLOR)
        item->bkColor = style.bkColor;
    if (item->mask & ITEM_TEXTCOLOR)
        item->textColor = style.textColor;
    if (item->mask & ITEM_FONT)
        item->font = fonts_.Get(style.font);
    return TRUE;
}

BOOL GridCellStore::SetItemText(int row, int col, std::string_view text)
{
    if (!IsValid(row, col))
        return FALSE;
    Cell(row, col).text.Assign(text);
    return TRUE;
}

std::string GridCellStore::GetItemText(int row, int col) const
{
    return IsValid(row, col) ? StoredText(Cell(row, col).text, row, col) : std::string();
}

std::string_view GridCellStore::ItemTextView(int row, int col) const
{
    if (!IsValid(row, col))
        return {};
    const CompactText& text = Cell(row, col).text;
    if (!text.OnDemand())
        return text.View();
    onDemandView_ = StoredText(text, row, col);
    return onDemandView_;
}

std::string GridCellStore::StoredText(const CompactText& text, int row, int col) const
{
    if (!text.OnDemand())
        return std::string(text.View());
    const std::uint32_t key = text.OnDemandKey() + static_cast<std::uint32_t>(cells_.Base(row));
    return textProvider_ ? textProvider_->CellText(static_cast<int>(key), col) : std::string();
}

BOOL GridCellStore::SetItemsOnDemand(const CellRange& block, UINT format)
{
    if (!textProvider_ || !IsValid(block))
        return FALSE;
    for (int row = block.minRow; row <= block.maxRow; ++row) {
        for (int col = block.minCol; col <= block.maxCol; ++col) {
            CompactCell& cell = Cell(row, col);
            cell.text.AssignOnDemand(static_cast<std::uint32_t>(row - cells_.Base(row)));
            cell.format = format;
        }
    }
    return TRUE;
}

bool GridCellStore::CanRepeatRows(int from, int count, int to) const
{
    // 64-bit ends so that no sum of two ints overflows.
    const std::int64_t fromEnd = std::int64_t{from} + count, toEnd = std::int64_t{to} + count;
    if (count <= 0 || from < 0 || to < fixedRowCount_ || fromEnd > rowCount_ || toEnd > rowCount_)
        return false;
    for (int i = 0; i < count; ++i) {
        for (int col = 0; col < columnCount_; ++col) {
            if (InBlock(Cell(to + i, col)))
                return false;
            const GridCellMerge merge = MergeOf(Cell(from + i, col), from + i);
            if (!blocksIntact_ && merge.InBlock())
                return false;   // the block may have lost its shape
            const bool blockInside = merge.covered ? merge.masterRow >= from && merge.masterRow < fromEnd
                                                   : i + merge.rowSpan < count;
            if (!blockInside)
                return false;
        }
    }
    return true;
}

BOOL GridCellStore::RepeatRows(int from, int count, int to)
{
    if (!CanRepeatRows(from, count, to))
        return FALSE;
    // Texts on demand and covered cells' masters are relative to a row's
    // base, so the destination takes the cells (or pattern) with a moved base.
    // Overlapping ranges copy row by row from the first, as cell by cell would.
    for (int i = 0; i < count; ++i) {
        Settle(from + i);
        cells_.CopyRow(to + i, from + i, to - from);
    }
    return TRUE;
}

BOOL GridCellStore::SetItemState(int row, int col, UINT state)
{
    if (!IsValid(row, col))
        return FALSE;
    selectedCells_.Set(row, col, (state & CELL_SELECTED) != 0);
    Cell(row, col).state = state & ~CELL_SELECTED;
    return TRUE;
}

UINT GridCellStore::GetItemState(int row, int col) const
{
    if (!IsValid(row, col))
        return 0;
    return Cell(row, col).state | (selectedCells_.Contains(row, col) ? CELL_SELECTED : 0);
}

BOOL GridCellStore::SetItemFormat(int row, int col, UINT format)
{
    if (!IsValid(row, col))
        return FALSE;
    Cell(row, col).format = format;
    return TRUE;
}

UINT GridCellStore::GetItemFormat(int row, int col) const
{
    return IsValid(row, col) ? Cell(row, col).format : 0;
}

BOOL GridCellStore::SetItemImage(int row, int col, int image)
{
    if (!IsValid(row, col))
        return FALSE;
    Cell(row, col).image = image;
    return TRUE;
}

int GridCellStore::GetItemImage(int row, int col) const
{
    return IsValid(row, col) ? Cell(row, col).image : -1;
}

BOOL GridCellStore::SetItemParam(int row, int col, CellParam param)
{
    if (!IsValid(row, col))
        return FALSE;
    Cell(row, col).param = param;
    return TRUE;
}

CellParam GridCellStore::GetItemParam(int row, int col) const
{
    return IsValid(row, col) ? Cell(row, col).param : 0;
}

BOOL GridCellStore::SetItemBkColor(int row, int col, COLORREF color)
{
    if (!IsValid(row, col))
        return FALSE;
    CellStyle style = styles_.Get(Cell(row, col).style);
    style.bkColor = color;
    Cell(row, col).style = styles_.Intern(style);
    return TRUE;
}

COLORREF GridCellStore::GetItemBkColor(int row, int col) const
{
    return IsValid(row, col) ? styles_.Get(Cell(row, col).style).bkColor : CLR_DEFAULT;
}

BOOL GridCellStore::SetItemTextColor(int row, int col, COLORREF color)
{
    if (!IsValid(row, col))
        return FALSE;
    CellStyle style = styles_.Get(Cell(row, col).style);
    style.textColor = color;
    Cell(row, col).style = styles_.Intern(style);
    return TRUE;
}

COLORREF GridCellStore::GetItemTextColor(int row, int col) const
{
    return IsValid(row, col) ? styles_.Get(Cell(row, col).style).textColor : CLR_DEFAULT;
}

BOOL GridCellStore::SetItemFont(int row, int col, const LOGFONT& font)
{
    if (!IsValid(row, col))
        return FALSE;
    CellStyle style = styles_.Get(Cell(row, col).style);
    style.font = fonts_.Intern(font);
    Cell(row, col).style = styles_.Intern(style);
    return TRUE;
}

LOGFONT GridCellStore::GetItemFont(int row, int col) const
{
    return IsValid(row, col) ? fonts_.Get(styles_.Get(Cell(row, col).style).font) : gridLogFont_;
}

GridCell GridCellStore::GetCell(int row, int col) const
{
    if (!IsValid(row, col)) {
        GridCell blank;
        blank.font = gridLogFont_;
        return blank;
    }
    return CellView(row, col).ToGridCell();
}
