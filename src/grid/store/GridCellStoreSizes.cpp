// Row heights, column widths and their sums. Sums are 32-bit like every
// pixel coordinate of the grid; the prefix cache keeps them O(1).
#include "grid/store/GridCellStore.h"

#include <algorithm>

BOOL GridCellStore::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= rowCount_ || height < 0)
        return FALSE;
    rowHeights_.Set(row, static_cast<unsigned>(height));
    return TRUE;
}

BOOL GridCellStore::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= columnCount_ || width < 0)
        return FALSE;
    columnWidths_.Set(col, static_cast<unsigned>(width));
    return TRUE;
}

int GridCellStore::GetRowHeight(int row) const
{
    return (row < 0 || row >= rowCount_) ? -1 : static_cast<int>(rowHeights_.Get(row));
}

int GridCellStore::GetColumnWidth(int col) const
{
    return (col < 0 || col >= columnCount_) ? -1 : static_cast<int>(columnWidths_.Get(col));
}

int GridCellStore::FixedRowsHeight() const { return static_cast<int>(rowHeights_.Offset(fixedRowCount_)); }
int GridCellStore::FixedColumnsWidth() const { return static_cast<int>(columnWidths_.Offset(fixedColumnCount_)); }
int GridCellStore::TotalRowsHeight() const { return static_cast<int>(rowHeights_.Offset(rowCount_)); }
int GridCellStore::TotalColumnsWidth() const { return static_cast<int>(columnWidths_.Offset(columnCount_)); }

int GridCellStore::RowTop(int row) const
{
    return (row < 0 || row > rowCount_) ? -1 : static_cast<int>(rowHeights_.Offset(row));
}

int GridCellStore::ColumnLeft(int col) const
{
    return (col < 0 || col > columnCount_) ? -1 : static_cast<int>(columnWidths_.Offset(col));
}

int GridCellStore::RowsHeight(int first, int last) const
{
    if (last < first)
        return 0;
    if (first < 0 || last >= rowCount_)
        return -1;
    return static_cast<int>(rowHeights_.Sum(first, last + 1));
}

int GridCellStore::ColumnsWidth(int first, int last) const
{
    if (last < first)
        return 0;
    if (first < 0 || last >= columnCount_)
        return -1;
    return static_cast<int>(columnWidths_.Sum(first, last + 1));
}

int GridCellStore::RowAtOffset(int y) const { return rowHeights_.IndexAtOffset(y); }
int GridCellStore::ColumnAtOffset(int x) const { return columnWidths_.IndexAtOffset(x); }

BOOL GridCellStore::FitColumnWidth(int col, const CellMeasure& measure)
{
    if (col < 0 || col >= columnCount_ || !measure)
        return FALSE;
    int widest = 0;
    for (int row = 0; row < rowCount_; ++row)
        widest = std::max(widest, static_cast<int>(measure(row, col).cx));
    columnWidths_.Set(col, static_cast<unsigned>(widest));
    return TRUE;
}

BOOL GridCellStore::FitRowHeight(int row, const CellMeasure& measure)
{
    if (row < 0 || row >= rowCount_ || !measure)
        return FALSE;
    int tallest = 0;
    for (int col = 0; col < columnCount_; ++col)
        tallest = std::max(tallest, static_cast<int>(measure(row, col).cy));
    rowHeights_.Set(row, static_cast<unsigned>(tallest));
    return TRUE;
}
