// Row and column counts, fixed counts, and emptying the store.
#include "grid/store/GridCellStore.h"

#include <climits>
#include <utility>

BOOL GridCellStore::SetRowCount(int n)
{
    if (n < 0)
        return FALSE;
    if (n == rowCount_)
        return TRUE;
    if (n < fixedRowCount_)
        fixedRowCount_ = n;

    if (n < rowCount_) {
        ReleaseRows(n);
        // A block cut at the new edge would meet unmerged cells if the
        // table grew again; blocks are no longer checked for shape.
        if (merges_.Size() > 1)
            blocksIntact_ = false;
        cells_.TruncateRows(n);
        rowHeights_.Resize(n, 0);
        rowCount_ = n;
        ResetTablesIfEmpty();
        return TRUE;
    }

    const int oldCount = rowCount_;
    rowCount_ = n;
    rowHeights_.Resize(n, static_cast<unsigned>(defaultRowHeight_));
    // Every slot holds a blank cell before the hook runs, so a NewCell that
    // reads a neighbour never meets a missing cell.
    if (DefaultCells()) {
        // The default new cell is blank with the format of the cell above:
        // every new row is alike and shares one pattern.
        std::vector<CompactCell> blankRow(static_cast<std::size_t>(columnCount_), BlankCell());
        for (int col = 0; oldCount > 0 && col < columnCount_; ++col)
            blankRow[static_cast<std::size_t>(col)].format = std::as_const(*this).Cell(oldCount - 1, col).format;
        cells_.AppendRows(n - oldCount, blankRow);
        return TRUE;
    }
    cells_.AppendRows(n - oldCount, std::vector<CompactCell>(static_cast<std::size_t>(columnCount_), BlankCell()));
    for (int row = oldCount; row < n; ++row)
        for (int col = 0; col < columnCount_; ++col)
            CreateCell(row, col);
    return TRUE;
}

BOOL GridCellStore::SetColumnCount(int n)
{
    if (n < 0)
        return FALSE;
    if (n == columnCount_)
        return TRUE;
    if (n < fixedColumnCount_)
        fixedColumnCount_ = n;

    if (n < columnCount_) {
        for (int row = 0; row < rowCount_; ++row)
            for (int col = n; col < columnCount_; ++col)
                ReleaseCell(row, col);
        if (merges_.Size() > 1)
            blocksIntact_ = false;
        cells_.SetColumns(n, BlankCell());
        columnWidths_.Resize(n, 0);
        columnCount_ = n;
        ResetTablesIfEmpty();
        return TRUE;
    }

    const int oldCount = columnCount_;
    columnCount_ = n;
    columnWidths_.Resize(n, static_cast<unsigned>(defaultColumnWidth_));
    cells_.SetColumns(n, BlankCell());
    for (int row = 0; row < rowCount_; ++row)
        for (int col = oldCount; col < n; ++col)
            CreateCell(row, col);
    return TRUE;
}

BOOL GridCellStore::SetFixedRows(int n)
{
    if (n < 0)
        return FALSE;
    if (n > rowCount_)
        SetRowCount(n);
    fixedRowCount_ = n;
    return TRUE;
}

BOOL GridCellStore::SetFixedColumns(int n)
{
    if (n < 0)
        return FALSE;
    if (n > columnCount_)
        SetColumnCount(n);
    fixedColumnCount_ = n;
    return TRUE;
}

BOOL GridCellStore::DeleteAllItems()
{
    ReleaseRows(0);
    FreeAllCells();
    return TRUE;
}

void GridCellStore::ReleaseRows(int first)
{
    if (DefaultCells()) {
        // The default release unselects and empties each cell; the rows are
        // freed right after, so only the selected-cell set must change.
        selectedCells_.Truncate(first, columnCount_);
        return;
    }
    releasingFrom_ = first;
    for (int row = first; row < rowCount_; ++row)
        for (int col = 0; col < columnCount_; ++col)
            ReleaseCell(row, col);
    releasingFrom_ = INT_MAX;
}

void GridCellStore::FreeAllCells()
{
    cells_.Clear();
    rowHeights_.Clear();
    columnWidths_.Clear();
    selectedCells_ = SelectedCellSet();
    rowCount_ = columnCount_ = fixedRowCount_ = fixedColumnCount_ = 0;
    ResetTablesIfEmpty();
}

bool GridCellStore::IsValid(const CellRange& range) const
{
    return range.IsValid() && range.maxRow < rowCount_ && range.maxCol < columnCount_;
}
