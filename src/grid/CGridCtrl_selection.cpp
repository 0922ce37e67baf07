// The focus cell and the selection: moving the focus, applying a selected
// block, the selection operations of keyboard and mouse, and the enable
// rules of the four edit commands.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <vector>

#include "grid/CGridCtrl.h"
#include "grid/GridAccessible.h"

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
        grid_accessible::FocusMoved(*this);
    }
    return old;
}

void CGridCtrl::InvalidateCellRect(int row, int col)
{
    if (!windowCreated)
        return;
    // The cell rectangle grown by one pixel to the right and at the bottom;
    // for a member of a merged block the whole visible block, which every
    // member draws (a stale part of it would keep the old selection look).
    RedrawCell(row, col);
}

std::vector<CellId> CGridCtrl::CellsOnScreen() const
{
    std::vector<CellId> cells;
    if (!windowCreated || !drawingEnabled)
        return cells;
    const CellRange visible = GetVisibleScrollRange();
    std::vector<int> rows;
    std::vector<int> cols;
    for (int r = 0; r < GetFixedRowCount(); ++r)
        rows.push_back(r);
    for (int r = std::max(visible.minRow, GetFixedRowCount()); r <= visible.maxRow && r < GetRowCount(); ++r)
        rows.push_back(r);
    for (int c = 0; c < GetFixedColumnCount(); ++c)
        cols.push_back(c);
    for (int c = std::max(visible.minCol, GetFixedColumnCount()); c <= visible.maxCol && c < GetColumnCount(); ++c)
        cols.push_back(c);
    cells.reserve(rows.size() * cols.size());
    for (const int r : rows)
        for (const int c : cols)
            cells.emplace_back(r, c);
    return cells;
}

void CGridCtrl::ApplySelectionRange(int minRow, int minCol, int maxRow, int maxCol, BOOL /*forceRepaint*/)
{
    if (!selectionEnabled)
        return;
    // Only cells on screen can show a change, so only they are compared and
    // redrawn: the set itself changes a word of 64 cells at a time, which
    // keeps selecting all 2.56 million cells of the largest file quick.
    // (Drawing at once and invalidating look the same here: both repaint.)
    const std::vector<CellId> onScreen = CellsOnScreen();
    std::vector<bool> wasSelected(onScreen.size());
    for (std::size_t i = 0; i < onScreen.size(); ++i)
        wasSelected[i] = store.SelectedCells().Contains(onScreen[i]);

    store.UnselectAll();
    if (!singleSelection)
        store.SelectCells(retainedSelection);
    const CellRange block(minRow, minCol, maxRow, maxCol);
    if (IsValidRange(block))
        store.SelectBlock(block);

    for (std::size_t i = 0; i < onScreen.size(); ++i)
        if (store.SelectedCells().Contains(onScreen[i]) != wasSelected[i])
            InvalidateCellRect(onScreen[i].row, onScreen[i].col);
    grid_accessible::SelectionChanged(*this);
}

void CGridCtrl::ClearSelection()
{
    ApplySelectionRange(-1, -1, -1, -1, FALSE);
    MoveFocusTo(-1, -1);
}

void CGridCtrl::SelectWholeGrid()
{
    if (selectionEnabled)
        ApplySelectionRange(GetFixedRowCount(), GetFixedColumnCount(), GetRowCount() - 1, GetColumnCount() - 1, FALSE);
}

void CGridCtrl::SelectColumnsTo(CellId cell)
{
    if (!selectionEnabled || cell.col < GetFixedColumnCount() || !IsValidCell(cell))
        return;
    ApplySelectionRange(GetFixedRowCount(), std::min(selectionAnchor.col, cell.col), GetRowCount() - 1,
                        std::max(selectionAnchor.col, cell.col), FALSE);
}

void CGridCtrl::SelectRowsTo(CellId cell)
{
    if (!selectionEnabled || cell.row < GetFixedRowCount() || !IsValidCell(cell))
        return;
    if (listMode && singleSelection)
        ApplySelectionRange(cell.row, GetFixedColumnCount(), cell.row, GetColumnCount() - 1, FALSE);
    else
        ApplySelectionRange(std::min(selectionAnchor.row, cell.row), GetFixedColumnCount(),
                            std::max(selectionAnchor.row, cell.row), GetColumnCount() - 1, FALSE);
}

void CGridCtrl::SelectCellsTo(CellId cell)
{
    if (!selectionEnabled || IsCellFixed(cell.row, cell.col) || !IsValidCell(cell))
        return;
    ApplySelectionRange(std::min(selectionAnchor.row, cell.row), std::min(selectionAnchor.col, cell.col),
                        std::max(selectionAnchor.row, cell.row), std::max(selectionAnchor.col, cell.col), FALSE);
}

void CGridCtrl::ExtendSelectionTo(CellId cell)
{
    if (!selectionEnabled)
        return;
    switch (pointerMode) {
    case PointerMode::SelectingAll: SelectWholeGrid(); break;
    case PointerMode::SelectingColumns: SelectColumnsTo(cell); break;
    case PointerMode::SelectingRows: SelectRowsTo(cell); break;
    case PointerMode::SelectingCells: SelectCellsTo(cell); break;
    default: break;
    }
}

CellRange CGridCtrl::SelectionBounds() const
{
    // An empty set gives (rowCount, colCount, -1, -1): an invalid range.
    if (store.SelectedCells().empty())
        return CellRange(GetRowCount(), GetColumnCount(), -1, -1);
    return store.SelectedCells().Bounds();
}

BOOL CGridCtrl::IsEditCommandEnabled(UINT id) const
{
    const auto somethingToCopy = [this] {
        const CellRange bounds = SelectionBounds();
        return IsValidRange(bounds) && bounds.RowSpan() * static_cast<long long>(bounds.ColSpan()) != 0;
    };
    switch (id) {
    case ID_EDIT_SELECT_ALL: return selectionEnabled;
    case ID_EDIT_COPY: return somethingToCopy() ? TRUE : FALSE;
    case ID_EDIT_CUT: return IsEditable() && somethingToCopy() ? TRUE : FALSE;
    case ID_EDIT_PASTE: {
        if (!IsValidCell(focusCell) || !IsCellEditable(focusCell))
            return FALSE;
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasText() ? TRUE : FALSE;
    }
    default: return FALSE;
    }
}

BOOL CGridCtrl::OnCommand(UINT id)
{
    switch (id) {
    case ID_EDIT_SELECT_ALL: OnEditSelectAll(); return TRUE;
    case ID_EDIT_COPY: OnEditCopy(); return TRUE;
    case ID_EDIT_CUT: OnEditCut(); return TRUE;
    case ID_EDIT_PASTE: OnEditPaste(); return TRUE;
    default: return FALSE;
    }
}

void CGridCtrl::OnEditSelectAll()
{
    SelectWholeGrid();
}
