#include "grid/GridMergedBlock.h"

#include <algorithm>

#include "grid/CGridCtrl.h"

DrawnBlock ResolveDrawnBlock(const CGridCtrl& grid, int row, int col)
{
    DrawnBlock block{row, col, row, col, false};
    const GridCellMerge merge = grid.GetCellMerge(row, col);
    if (merge.covered) {
        const GridCellMerge master = grid.GetCellMerge(merge.masterRow, merge.masterCol);
        block = {merge.masterRow, merge.masterCol, merge.masterRow + master.rowSpan,
                 merge.masterCol + master.colSpan, true};
    } else if (merge.rowSpan != 0 || merge.colSpan != 0) {
        block = {row, col, row + merge.rowSpan, col + merge.colSpan, true};
    }
    return block;
}

RECT DrawnBlockRect(const CGridCtrl& grid, const DrawnBlock& block, RECT rect, BlockStart start)
{
    RECT farRect;
    if (!block.merged || !grid.GetCellRect(block.farRow, block.farCol, &farRect))
        return rect;
    rect.right = farRect.right;
    rect.bottom = farRect.bottom;

    // The block may start above or left of the scrolled view: only its visible part is drawn.
    const CellId topLeft = grid.GetTopLeftScrollCell();
    const int startRow = std::max(topLeft.row, block.row);
    const int startCol = std::max(topLeft.col, block.col);
    CellId first(startRow, startCol);
    if (start == BlockStart::HeaderCell) {
        if (block.farCol >= grid.GetFixedColumnCount())
            first = CellId(block.row, startCol);       // over the fixed rows: scrolls sideways only
        else if (block.farRow >= grid.GetFixedRowCount())
            first = CellId(startRow, block.col);       // down the fixed columns: scrolls vertically only
        else
            first = CellId(block.row, block.col);      // inside the corner: never scrolls
    }
    RECT firstRect;
    if (grid.GetCellRect(first, &firstRect)) {
        rect.left = firstRect.left;
        rect.top = firstRect.top;
    }
    return rect;
}
