// The paint pipeline: paintEvent through the off-screen buffer, the order in
// which PaintGrid draws background, fixed cells, scrolling cells and grid
// lines, the background fills, and the redraw of one cell.
// (The drawing of a single cell is in CGridCtrl_paintcell.cpp.)
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "grid/BufferedDC.h"
#include "grid/CGridCtrl.h"
#include "grid/GridMergedBlock.h"
#include "platform/QPainterDC.h"

namespace {

// Draws cells.minRow..maxRow (first top edge at origin.y) by cells.minCol..maxCol
// (first left edge at origin.x). Rows above the clip box are skipped and the
// walk stops at the first row below it; the same for the columns of a row, so
// a small clip box costs few cell draws.
void PaintCellBand(CGridCtrl& grid, CDC* dc, const RECT& clip, const CellRange& cells, POINT origin, bool header)
{
    const int rowEnd = std::min(cells.maxRow, grid.GetRowCount() - 1);
    const int colEnd = std::min(cells.maxCol, grid.GetColumnCount() - 1);
    RECT rect;
    rect.top = origin.y;
    for (int row = std::max(cells.minRow, 0); row <= rowEnd; ++row) {
        rect.bottom = rect.top + grid.GetRowHeight(row) - 1;
        if (rect.top > clip.bottom)
            break;
        if (rect.bottom >= clip.top) {
            rect.left = origin.x;
            for (int col = std::max(cells.minCol, 0); col <= colEnd; ++col) {
                rect.right = rect.left + grid.GetColumnWidth(col) - 1;
                if (rect.left > clip.right)
                    break;
                if (rect.right >= clip.left) {
                    if (header)
                        grid.PaintHeaderCell(dc, row, col, rect, FALSE);
                    else
                        grid.PaintCell(dc, row, col, rect, FALSE);
                }
                rect.left = rect.right + 1;
            }
        }
        rect.top = rect.bottom + 1;
    }
}

// One pen line from `from` up to, not including, `to`.
void DrawLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

// The grid lines over the visible scrolling cells, drawn with R2_NOT: each
// line pixel inverts the colour the cell drew there (a crossing pixel is
// inverted twice and shows the cell colour again). Inside merged blocks the
// line is drawn a second time over the block's stretch, which inverts it back.
// Every line lies on the last pixel column or row inside its cells.
void PaintGridLines(CGridCtrl& grid, CDC* dc, const CellRange& visible, const RECT& extent)
{
    const int lines = grid.GetGridLines();
    const int fixedWidth = grid.FixedColumnsWidth();
    const int fixedHeight = grid.FixedRowsHeight();
    const int rowEnd = std::min(visible.maxRow, grid.GetRowCount() - 1);
    const int colEnd = std::min(visible.maxCol, grid.GetColumnCount() - 1);
    const int rowBegin = std::max(visible.minRow, 0);
    const int colBegin = std::max(visible.minCol, 0);

    CPen pen(PS_SOLID, 0, grid.GetGridLineColor());
    dc->SelectObject(&pen);
    const int oldRop = dc->SetROP2(R2_NOT);

    if (lines == GRID_LINES_BOTH || lines == GRID_LINES_VERT) {
        int x = fixedWidth;
        for (int col = colBegin; col <= colEnd; ++col) {
            x += grid.GetColumnWidth(col);
            DrawLine(dc, x - 1, fixedHeight, x - 1, extent.bottom);
            for (int row = rowBegin; row <= rowEnd; ++row) {
                RECT cell;
                if (grid.GetCellMerge(row, col).joinedRight && grid.GetCellRect(row, col, &cell))
                    DrawLine(dc, x - 1, cell.top, x - 1, cell.bottom + 1);
            }
        }
    }
    if (lines == GRID_LINES_BOTH || lines == GRID_LINES_HORZ) {
        int y = fixedHeight;
        for (int row = rowBegin; row <= rowEnd; ++row) {
            y += grid.GetRowHeight(row);
            DrawLine(dc, fixedWidth, y - 1, extent.right, y - 1);
            for (int col = colBegin; col <= colEnd; ++col) {
                RECT cell;
                // Never left of the scrolling area: the first line pixel
                // there belongs to the fixed column, which the line skipped.
                if (grid.GetCellMerge(row, col).joinedDown && grid.GetCellRect(row, col, &cell))
                    DrawLine(dc, std::max(cell.left - 1, fixedWidth), y - 1, cell.right, y - 1);
            }
        }
    }

    dc->SetROP2(oldRop);
    dc->SelectStockObject(NULL_PEN);
}

}  // namespace

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    QPainterDC paintDC(&painter);
    paintDC.SetDeviceClipBox(event->rect());
    if (bufferedPaint) {
        BufferedDC buffered(&paintDC);
        PaintGrid(&buffered);
    } else {
        PaintGrid(&paintDC);
    }
    PaintSizingLine(&paintDC);
}

void CGridCtrl::PaintGrid(CDC* dc)
{
    RECT clip;
    if (dc->GetClipBox(&clip) == RGN_ERROR)
        return;
    PaintBackground(dc);

    const int fixedWidth = FixedColumnsWidth();
    const int fixedHeight = FixedRowsHeight();
    const CellId topLeft = GetTopLeftScrollCell();
    RECT extent;
    const CellRange visible = GetVisibleScrollRange(&extent);
    const int fixedRows = GetFixedRowCount();
    const int fixedCols = GetFixedColumnCount();

    // The corner where fixed rows and fixed columns meet: always drawn.
    RECT rect;
    rect.bottom = -1;
    for (int row = 0; row < fixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < fixedCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            PaintHeaderCell(dc, row, col, rect, FALSE);
        }
    }
    // Fixed columns beside the visible rows, fixed rows above the visible columns.
    PaintCellBand(*this, dc, clip, CellRange(topLeft.row, 0, visible.maxRow, fixedCols - 1),
                  POINT{0, fixedHeight}, true);
    PaintCellBand(*this, dc, clip, CellRange(0, topLeft.col, fixedRows - 1, visible.maxCol),
                  POINT{fixedWidth, 0}, true);
    // The scrolling cells, then the lines over them.
    PaintCellBand(*this, dc, clip, visible, POINT{fixedWidth, fixedHeight}, false);
    PaintGridLines(*this, dc, visible, extent);
}

void CGridCtrl::PaintBackground(CDC* dc)
{
    const CBrush fixedBrush(fixedBkColor);
    const CBrush textBrush(gridTextBkColor);
    const CBrush outsideBrush(gridBkColor);

    RECT clip;
    if (dc->GetClipBox(&clip) == RGN_ERROR)
        return;
    RECT extent;
    GetVisibleScrollRange(&extent);
    const int fixedWidth = FixedColumnsWidth();
    const int fixedHeight = FixedRowsHeight();

    // The fixed column strip, and the fixed row strip right of it.
    if (clip.left < fixedWidth && clip.top < extent.bottom)
        dc->FillRect(RECT{clip.left, clip.top, fixedWidth, extent.bottom}, &fixedBrush);
    if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < extent.right)
        dc->FillRect(RECT{fixedWidth - 1, clip.top, extent.right, fixedHeight}, &fixedBrush);
    // The scrolling cells.
    RECT cells;
    if (IntersectRect(&cells, extent, clip))
        dc->FillRect(RECT{std::max(cells.left, fixedWidth), std::max(cells.top, fixedHeight), cells.right,
                          cells.bottom},
                     &textBrush);
    // Right of and below the last drawn column and row.
    if (extent.right < clip.right)
        dc->FillRect(RECT{extent.right, clip.top, clip.right, clip.bottom}, &outsideBrush);
    if (extent.bottom < clip.bottom && clip.left < extent.right)
        dc->FillRect(RECT{clip.left, extent.bottom, extent.right, clip.bottom}, &outsideBrush);
}

BOOL CGridCtrl::RedrawCell(int row, int col, CDC* dc)
{
    RECT rect;
    if (!drawingEnabled || !IsCellVisible(row, col) || !GetCellRect(row, col, &rect))
        return FALSE;

    const bool fixed = IsCellFixed(row, col) != FALSE;
    const DrawnBlock block = ResolveDrawnBlock(*this, row, col);
    if (!dc) {
        // Drawing outside a paint event is not possible here: the area the
        // cell would be drawn in is invalidated and the next paint draws it.
        const RECT area = DrawnBlockRect(*this, block, rect, fixed ? BlockStart::HeaderCell : BlockStart::ScrollingCell);
        const RECT invalid{area.left, area.top, area.right + 1, area.bottom + 1};
        InvalidateRect(&invalid);
        return TRUE;
    }

    if (fixed)
        return PaintHeaderCell(dc, block.row, block.col, rect, TRUE);

    rect = DrawnBlockRect(*this, block, rect, BlockStart::ScrollingCell);
    const BOOL drawn = PaintCell(dc, block.row, block.col, rect, TRUE);
    // Lines along the bottom and right edges in the context's raster
    // operation (normally R2_COPYPEN, so they show in gridLineColor).
    CPen pen(PS_SOLID, 0, gridLineColor);
    CPen* oldPen = dc->SelectObject(&pen);
    if (gridLines == GRID_LINES_BOTH || gridLines == GRID_LINES_HORZ)
        DrawLine(dc, rect.left, rect.bottom, rect.right + 1, rect.bottom);
    if (gridLines == GRID_LINES_BOTH || gridLines == GRID_LINES_VERT)
        DrawLine(dc, rect.right, rect.top, rect.right, rect.bottom + 1);
    dc->SelectObject(oldPen);
    return drawn;
}

void CGridCtrl::PaintSizingLine(CDC* dc)
{
    // Drawn over the finished picture, so the line inverts whatever lies under it.
    const RECT client = GetClientRect();
    const POINT at = lastPointerPoint;
    if (pointerMode == PointerMode::SizingColumn)
        dc->InvertRect(RECT{at.x, client.top, at.x + 2, client.bottom});
    else if (pointerMode == PointerMode::SizingRow)
        dc->InvertRect(RECT{client.left, at.y, client.right, at.y + 2});
}
