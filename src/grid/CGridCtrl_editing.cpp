// In-place editing: where the editor box goes and with what text, storing
// the text it reports, and moving on to the next cell after Tab, the arrow
// and the page keys. The box itself is CellEditBox.cpp.
#include <QPointer>
#include <algorithm>

#include "grid/CGridCtrl.h"
#include "grid/CellEditBox.h"
#include "grid/GridAccessible.h"

void CGridCtrl::BeginCellEdit(int row, int col, int key)
{
    // No cell, no scrolling: a key typed before any cell was chosen leaves the view where it is.
    if (!IsValidCell(row, col))
        return;
    EnsureVisible(row, col);
    RECT rect;
    if (!IsCellEditable(row, col) || !IsCellVisible(row, col) || !GetCellRect(row, col, &rect))
        return;

    // A merged block is edited through its master, in a box over the whole block.
    const GridCellMerge merge = GetCellMerge(row, col);
    CellId target(row, col);
    if (merge.covered)
        target = CellId(merge.masterRow, merge.masterCol);
    if (merge.InBlock() && !BlockEditRect(target, &rect))
        return;

    NotifyOwner(target.row, target.col, LVN_BEGINLABELEDIT);

    GridItem item;
    item.row = target.row;
    item.column = target.col;
    item.mask = ITEM_TEXT | ITEM_FORMAT;
    if (!GetItem(&item))
        return;
    DWORD alignment = ES_LEFT;
    if (item.format & DT_RIGHT)
        alignment = ES_RIGHT;
    else if (item.format & DT_CENTER)
        alignment = ES_CENTER;
    CreateCellEditor(&rect, alignment, CELL_EDITOR_ID, target.row, target.col, item.text, key);
}

bool CGridCtrl::BlockEditRect(CellId master, RECT* rect) const
{
    // A covered cell may sit in a block whose master is read-only: the master
    // is what gets written, so it must be editable itself.
    if (!IsCellEditable(master))
        return false;
    const GridCellMerge merge = GetCellMerge(master.row, master.col);
    const CellRange block(master.row, master.col, master.row + merge.rowSpan, master.col + merge.colSpan);
    // Fails when the master is scrolled out of view: the edit is abandoned then.
    if (!GetCellRangeRect(block, rect))
        return false;

    // Along a scrolling axis the box starts at the first visible row or column
    // of the block; a fixed row or column never scrolls, so it keeps its own
    // edge there. The box then reaches one pixel further left and up, over the
    // grid lines of the cells before the block.
    const CellId topLeft = GetTopLeftScrollCell();
    const int firstRow = master.row < GetFixedRowCount() ? master.row : std::max(topLeft.row, master.row);
    const int firstCol = master.col < GetFixedColumnCount() ? master.col : std::max(topLeft.col, master.col);
    RECT first;
    if (GetCellRect(firstRow, firstCol, &first)) {
        rect->left = std::max(rect->left, first.left) - 1;
        rect->top = std::max(rect->top, first.top) - 1;
    }
    return true;
}

CellEditBox* CGridCtrl::CreateCellEditor(const RECT* rect, DWORD style, UINT id, int row, int col,
                                         const std::string& text, int key)
{
    // The box owns itself from here on: it deletes itself when the edit ends.
    return new CellEditBox(this, *rect, style, id, row, col, text, key);
}

void CGridCtrl::AcceptCellEdit(int row, int col, const std::string& text)
{
    // Byte comparison: an unchanged text (Esc, or Enter without typing) leaves
    // the cell and the grid not modified.
    if (GetItemText(row, col) == text)
        return;
    SetModified(TRUE, row, col);
    SetItemText(row, col, text);
    grid_accessible::TextChanged(*this, row, col);
}

void CGridCtrl::OnEndCellEdit(const CellEditEnd& end)
{
    if (!windowCreated)
        return;
    const int row = end.item.row;
    const int col = end.item.column;
    const int exitKey = end.item.param;
    AcceptCellEdit(row, col, end.item.text);
    InvalidateCellRect(row, col);

    // The owner may delete the grid while it is told.
    QPointer<CGridCtrl> self(this);
    NotifyOwner(row, col, LVN_ENDLABELEDIT);
    if (!self || !windowCreated)
        return;

    // Tab, the page and the arrow keys move on: the focus cell moves as the key
    // would on the grid, and editing goes on there with the text selected (or
    // not at all when that cell cannot be edited).
    const bool movesOn = exitKey == VK_TAB || (exitKey >= VK_PRIOR && exitKey <= VK_DOWN);
    if (!movesOn)
        return;
    OnKeyDown(static_cast<UINT>(exitKey), end.exitModifiers);
    BeginCellEdit(focusCell.row, focusCell.col, exitKey);
}
