// Merged blocks and the editing marks (editable, modified).
#include "grid/store/GridCellStore.h"

#include <cstdint>
#include <cstdlib>

void GridCellStore::MergeCells(int row, int col, int down, int right, int lock)
{
    if (!IsValid(row, col))
        return;
    // 64-bit so that |INT_MIN| and row + down cannot overflow.
    const std::int64_t rows = std::llabs(static_cast<std::int64_t>(down));
    const std::int64_t cols = std::llabs(static_cast<std::int64_t>(right));
    if (row + rows >= rowCount_ || col + cols >= columnCount_ || IsCellFixed(row, col))
        return;
    const int lastRow = static_cast<int>(row + rows);
    const int lastCol = static_cast<int>(col + cols);
    // Blocks never overlap and a merge is never redone.
    for (int r = row; r <= lastRow; ++r)
        for (int c = col; c <= lastCol; ++c)
            if (InBlock(Cell(r, c)))
                return;

    GridCellMerge master = MergeOf(Cell(row, col), row);
    if (rows > 0) {
        master.joinedDown = 1;
        master.rowSpan = static_cast<int>(rows);
    }
    if (cols > 0) {
        master.joinedRight = 1;
        master.colSpan = static_cast<int>(cols);
    }
    master.mergeLocked = lock;
    SetMergeOf(row, Cell(row, col), master);

    for (int r = row; r <= lastRow; ++r)
        for (int c = col; c <= lastCol; ++c) {
            if (r == row && c == col)
                continue;
            CompactCell& cell = Cell(r, c);
            GridCellMerge m = MergeOf(cell, r);
            m.covered = 1;
            m.masterRow = row;
            m.masterCol = col;
            m.mergeLocked = lock;
            if (c < lastCol)
                m.joinedRight = 1;
            if (r < lastRow)
                m.joinedDown = 1;
            SetMergeOf(r, cell, m);
        }
}

bool GridCellStore::InBlock(const CompactCell& cell) const
{
    if (cell.merge & CompactCell::kCovered)
        return true;
    const std::uint32_t index = cell.merge >> CompactCell::kRecordShift;
    if (index == 0)
        return false;
    const MergeRecord& record = merges_.Get(index);
    return record.rowSpan > 0 || record.colSpan > 0;
}

GridCellMerge GridCellStore::GetCellMerge(int row, int col) const
{
    return IsValid(row, col) ? MergeOf(Cell(row, col), row) : GridCellMerge{};
}

BOOL GridCellStore::IsCellEditable(int row, int col) const
{
    if (!IsValid(row, col))
        return FALSE;
    const CompactCell& cell = Cell(row, col);
    if (merges_.Get(cell.merge >> CompactCell::kRecordShift).mergeLocked != 0)
        return FALSE;
    return editable_ && !(cell.state & CELL_READONLY);
}

void GridCellStore::SetModified(BOOL modified, int row, int col)
{
    if (row <= 0 || col <= 0) {
        modified_ = modified ? TRUE : FALSE;
    } else if (!IsValid(row, col)) {
        return;
    } else if (modified) {
        SetItemState(row, col, GetItemState(row, col) | CELL_MODIFIED);
        modified_ = TRUE;
    } else {
        SetItemState(row, col, GetItemState(row, col) & ~CELL_MODIFIED);
    }
    if (modified_)
        return;
    // CELL_MODIFIED is not CELL_SELECTED, so the set needs no update here.
    cells_.ForEachStoredCell([](CompactCell& cell) { cell.state &= ~CELL_MODIFIED; });
}
