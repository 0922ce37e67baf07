// The focus cell and the selected block: the parts the cell store and the
// scrolling need (moving the focus, clearing and applying a selection).
#include <vector>

#include "grid/CGridCtrl.h"

CellId CGridCtrl::MoveFocusTo(int row, int col)
{
    const CellId next(row, col);
    if (next == focusCell)
        return focusCell;
    const CellId old = focusCell;
    focusCell = next;

    // The header cells of the focus row and column are drawn highlighted, so
    // they are redrawn whenever the focus leaves or enters their row or column.
    if (IsValidCell(old)) {
        NotifyOwner(old.row, old.col, LVN_ITEMCHANGING);
        SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~CELL_FOCUSED);
        RedrawCell(old);
        if (old.col != col)
            for (int r = 0; r < GetFixedRowCount(); ++r)
                RedrawCell(r, old.col);
        if (old.row != row)
            for (int c = 0; c < GetFixedColumnCount(); ++c)
                RedrawCell(old.row, c);
    }
    if (IsValidCell(next)) {
        SetItemState(row, col, GetItemState(row, col) | CELL_FOCUSED);
        RedrawCell(next);
        if (old.col != col)
            for (int r = 0; r < GetFixedRowCount(); ++r)
                RedrawCell(r, col);
        if (old.row != row)
            for (int c = 0; c < GetFixedColumnCount(); ++c)
                RedrawCell(row, c);
        NotifyOwner(row, col, LVN_ITEMCHANGED);
    }
    return old;
}

void CGridCtrl::InvalidateCellRect(int row, int col)
{
    if (!windowCreated || !drawingEnabled || !IsCellVisible(row, col))
        return;
    RECT rect;
    if (!GetCellRect(row, col, &rect))
        return;
    // The inclusive cell rectangle grown by one pixel to the right and at the bottom.
    const RECT area{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    InvalidateRect(&area);
}

void CGridCtrl::RedrawSelectionCell(int row, int col, bool forceRepaint)
{
    if (forceRepaint)
        RedrawCell(row, col);
    else
        InvalidateCellRect(row, col);
}

void CGridCtrl::ApplySelectionRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint)
{
    if (!selectionEnabled)
        return;
    const bool force = forceRepaint != FALSE;
    const CellRange block(minRow, minCol, maxRow, maxCol);

    // Clearing the selected bit removes a cell from the set, so walk a copy.
    std::vector<CellId> selected;
    selected.reserve(store.SelectedCells().size());
    for (const auto& entry : store.SelectedCells())
        selected.push_back(entry.second);
    for (const CellId& cell : selected) {
        if (!IsValidCell(cell))
            continue;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CELL_SELECTED);
        if (!block.InRange(cell))
            RedrawSelectionCell(cell.row, cell.col, force);
    }

    if (!singleSelection) {
        for (const auto& entry : retainedSelection) {
            const CellId cell = entry.second;
            if (!IsValidCell(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CELL_SELECTED);
            RedrawSelectionCell(cell.row, cell.col, force);
        }
    }

    if (!IsValidRange(block))
        return;
    for (int row = minRow; row <= maxRow; ++row) {
        for (int col = minCol; col <= maxCol; ++col) {
            const UINT state = GetItemState(row, col);
            if (state & CELL_SELECTED)
                continue;
            SetItemState(row, col, state | CELL_SELECTED);
            RedrawSelectionCell(row, col, force);
        }
    }
}

void CGridCtrl::ClearSelection()
{
    ApplySelectionRange(-1, -1, -1, -1, FALSE);
    MoveFocusTo(-1, -1);
}
