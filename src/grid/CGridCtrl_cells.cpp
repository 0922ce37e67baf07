// The cell store as the grid window sees it: the store does the table work,
// these wrappers add what needs the window (focus, scroll ranges, repaint)
// and route the store's hooks to the grid's virtual operations.
#include <algorithm>
#include <memory>
#include <typeinfo>

#include "grid/CGridCtrl.h"
#include "grid/GridAccessible.h"
#include "platform/CDC.h"

std::string CGridCtrl::GetItemText(int row, int col) const
{
    return store.GetItemText(row, col);
}

GridCell CGridCtrl::NewCell(int row, int col)
{
    return store.DefaultNewCell(row, col);
}

void CGridCtrl::ReleaseCell(const GridCellView& /*cell*/, int row, int col)
{
    store.DefaultReleaseCell(row, col);
}

bool CGridCtrl::DefaultCellHooks() const
{
    return typeid(*this) == typeid(CGridCtrl);
}

BOOL CGridCtrl::SetRowCount(int n)
{
    if (n == store.RowCount())
        return TRUE;
    if (n < 0)
        return store.SetRowCount(n);   // refused by the store, nothing changes
    if (focusCell.row >= n)
        MoveFocusTo(-1, -1);
    store.SetRowCount(n);
    grid_accessible::ContentReset(*this);
    if (windowCreated && drawingEnabled) {
        UpdateScrollRanges();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int n)
{
    if (n == store.ColumnCount())
        return TRUE;
    if (n < 0)
        return store.SetColumnCount(n);
    if (focusCell.col >= n)
        MoveFocusTo(-1, -1);
    store.SetColumnCount(n);
    grid_accessible::ContentReset(*this);
    if (windowCreated && drawingEnabled) {
        UpdateScrollRanges();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetFixedRows(int n)
{
    if (n < 0)
        return store.SetFixedRows(n);
    if (n > store.RowCount())
        SetRowCount(n);
    if (focusCell.row < n)
        MoveFocusTo(-1, -1);
    store.SetFixedRows(n);
    grid_accessible::ContentReset(*this);
    if (windowCreated && drawingEnabled)
        Invalidate();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumns(int n)
{
    if (n < 0)
        return store.SetFixedColumns(n);
    if (n > store.ColumnCount())
        SetColumnCount(n);
    if (focusCell.col < n)
        MoveFocusTo(-1, -1);
    store.SetFixedColumns(n);
    grid_accessible::ContentReset(*this);
    if (windowCreated && drawingEnabled)
        Invalidate();
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    ClearSelection();
    store.DeleteAllItems();
    focusCell = CellId(-1, -1);
    grid_accessible::ContentReset(*this);
    UpdateScrollRanges();
    return TRUE;
}

BOOL CGridCtrl::SortRowsByText(int col, BOOL ascending)
{
    ClearSelection();
    return store.SortRowsByText(col, ascending);
}

BOOL CGridCtrl::SortRowsByText(int col, BOOL ascending, int lo, int hi)
{
    ClearSelection();
    return store.SortRowsByText(col, ascending, lo, hi);
}

BOOL CGridCtrl::FitColumnWidth(int col)
{
    if (col < 0 || col >= store.ColumnCount())
        return FALSE;
    std::unique_ptr<CDC> dc = GetMeasuringDC();
    if (!dc)
        return FALSE;
    TextExtentCache extents;
    fitExtents = &extents;
    const BOOL fitted = store.FitColumnWidth(col, [&](int r, int c) { return MeasureCell(r, c, dc.get()); });
    fitExtents = nullptr;
    UpdateScrollRanges();
    return fitted;
}

BOOL CGridCtrl::FitRowHeight(int row)
{
    if (row < 0 || row >= store.RowCount())
        return FALSE;
    std::unique_ptr<CDC> dc = GetMeasuringDC();
    if (!dc)
        return FALSE;
    TextExtentCache extents;
    fitExtents = &extents;
    const BOOL fitted = store.FitRowHeight(row, [&](int r, int c) { return MeasureCell(r, c, dc.get()); });
    fitExtents = nullptr;
    UpdateScrollRanges();
    return fitted;
}
