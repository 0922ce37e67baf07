// The drawing of one cell: fixed (header) cells with their 3D edges and the
// bold look in the focus cell's row and column, normal cells with their
// focus frame, selection highlight and drop highlight; and the measuring of
// a cell's extent.
#include <QPainter>

#include "grid/CGridCtrl.h"
#include "grid/GridMergedBlock.h"
#include "platform/QPainterDC.h"
#include "platform/SysColors.h"

namespace {

// Header text in the focus cell's row or column is drawn with this weight.
// Header blocks over the fixed rows: centred on one line, elided when too long.
constexpr UINT kHeaderBlockFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kHeaderItemMask = ITEM_TEXT | ITEM_IMAGE | ITEM_BKCOLOR | ITEM_TEXTCOLOR | ITEM_FORMAT;
constexpr UINT kCellItemMask = kHeaderItemMask | ITEM_STATE;

// Scratch font for bold header text, shared by all grids and overwritten on
// each use (drawing runs on the GUI thread only and is never re-entered).
LOGFONT headerScratchFont;

COLORREF OrDefault(COLORREF color, COLORREF defaultColor)
{
    return color == CLR_DEFAULT ? defaultColor : color;
}

// The inclusive cell rectangle as a GDI rectangle that covers its right and bottom edges too.
RECT WithEdges(const RECT& rect)
{
    return RECT{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
}

// Image `index` of the list, its place in the strip in *info; false when there is none.
bool CellImageInfo(const GridImageList* images, int index, RECT* info)
{
    return images && index >= 0 && images->GetImageInfo(index, info);
}

// Draws the cell's image at the rectangle's top-left corner and moves the
// left edge past it and one margin. Only painter-backed contexts show pictures.
void PaintCellImage(CDC* dc, const GridImageList* images, int index, int margin, RECT* rect)
{
    RECT info;
    if (!CellImageInfo(images, index, &info))
        return;
    if (auto* painterDC = dynamic_cast<QPainterDC*>(dc); painterDC && painterDC->Painter()) {
        POINT at{rect->left, rect->top};
        dc->LPtoDP(&at);
        painterDC->Painter()->drawImage(QPoint(at.x, at.y), images->images[static_cast<std::size_t>(index)]);
    }
    rect->left += margin + (info.right - info.left + 1);
}

// The raised look of a header cell: light along the top and left, dark along the right and bottom.
void DrawRaisedEdge(CDC* dc, const RECT& rect)
{
    CPen lightPen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen darkPen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    CPen* oldPen = dc->SelectObject(&lightPen);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.left, rect.bottom);
    dc->SelectObject(&darkPen);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.right, rect.bottom);
    dc->LineTo(rect.left, rect.bottom);
    dc->SelectObject(oldPen);
}

// A one-pixel black frame inside the rectangle (right and bottom edges left out).
void DrawBlackFrame(CDC* dc, const RECT& rect)
{
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(rect);
}

}  // namespace

BOOL CGridCtrl::PaintHeaderCell(CDC* dc, int row, int col, RECT rect, BOOL /*erase*/)
{
    if (!drawingEnabled)
        return FALSE;
    const DrawnBlock block = ResolveDrawnBlock(*this, row, col);
    // On paper the caller lays out the whole block; on screen it starts at its visible part.
    if (!dc->IsPrinting())
        rect = DrawnBlockRect(*this, block, rect, BlockStart::HeaderCell);

    GridItem item;
    item.row = block.row;
    item.column = block.col;
    item.mask = kHeaderItemMask;
    if (!GetItem(&item))
        return FALSE;
    // A block lying within the fixed rows is a heading over several columns or rows.
    const UINT format = block.merged && block.farRow <= GetFixedRowCount() ? kHeaderBlockFormat : item.format;

    if (!dc->IsPrinting())
        dc->FillSolidRect(rect, OrDefault(item.bkColor, fixedBkColor));
    // Set before SaveDC: it stays in the context afterwards.
    dc->SetTextColor(OrDefault(item.textColor, fixedTextColor));
    const int saved = dc->SaveDC();

    const bool inFocusLine = block.row == focusCell.row || block.col == focusCell.col;
    const LOGFONT cellFont = GetItemFont(block.row, block.col);
    const LOGFONT* logFont = &cellFont;
    if (inFocusLine) {
        headerScratchFont = cellFont;
        headerScratchFont.lfWeight = FOCUS_HEADER_WEIGHT;
        logFont = &headerScratchFont;
    }
    CFont font;
    font.CreateFontIndirect(*logFont);
    dc->SelectObject(&font);

    // Sunken in the focus cell's row and column, raised elsewhere (printers too).
    if (IsValidCell(focusCell) && inFocusLine) {
        rect.right += 1;
        rect.bottom += 1;
        dc->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
    } else {
        DrawRaisedEdge(dc, rect);
    }
    rect.DeflateRect(1, 1);

    dc->SetBkMode(TRANSPARENT);
    rect.DeflateRect(cellMargin, 0);
    PaintCellImage(dc, imageList, item.image, cellMargin, &rect);
    dc->DrawText(item.text, &rect, format);

    dc->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCtrl::PaintCell(CDC* dc, int row, int col, RECT rect, BOOL /*erase*/)
{
    if (!drawingEnabled)
        return FALSE;
    const DrawnBlock block = ResolveDrawnBlock(*this, row, col);
    if (!dc->IsPrinting())
        rect = DrawnBlockRect(*this, block, rect, BlockStart::ScrollingCell);

    GridItem item;
    item.row = block.row;
    item.column = block.col;
    item.mask = kCellItemMask;
    if (!GetItem(&item))
        return FALSE;
    const COLORREF bkColor = OrDefault(item.bkColor, gridTextBkColor);
    const COLORREF textColor = OrDefault(item.textColor, gridTextColor);

    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);

    // A printer shows every cell in its own colours, without state highlighting.
    const bool screen = !dc->IsPrinting();
    if (screen && (item.state & CELL_FOCUSED)) {
        // The focus cell keeps its background inside a black frame, even when selected.
        dc->FillSolidRect(WithEdges(rect), bkColor);
        DrawBlackFrame(dc, rect);
        rect.DeflateRect(1, 1);
        dc->SetTextColor(textColor);
    } else if (screen && (item.state & CELL_SELECTED)) {
        dc->FillSolidRect(WithEdges(rect), GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        dc->FillSolidRect(WithEdges(rect), bkColor);
        dc->SetTextColor(textColor);
    }
    if (screen && (item.state & CELL_DROPHILITED))
        DrawBlackFrame(dc, rect);

    CFont font;
    font.CreateFontIndirect(GetItemFont(block.row, block.col));
    dc->SelectObject(&font);

    rect.DeflateRect(cellMargin, 0);
    PaintCellImage(dc, imageList, item.image, cellMargin, &rect);
    dc->DrawText(item.text, &rect, item.format);

    dc->RestoreDC(saved);
    return TRUE;
}

SIZE CGridCtrl::MeasureCell(int row, int col, CDC* dc)
{
    if (!dc)
        return SIZE{};
    // Fixed cells are measured bold, so a header sized by them fits when it shows the focus.
    LOGFONT logFont = GetItemFont(row, col);
    if (IsCellFixed(row, col))
        logFont.lfWeight = FOCUS_HEADER_WEIGHT;
    auto measure = [&](const std::string& text) {
        CFont font;
        font.CreateFontIndirect(logFont);
        CFont* oldFont = dc->SelectObject(&font);
        const SIZE extent = dc->GetTextExtent(text);
        dc->SelectObject(oldFont);
        return extent;
    };
    const std::string shown = GetItemText(row, col);
    const SIZE text = fitExtents ? fitExtents->Extent(logFont, shown, measure) : measure(shown);

    SIZE size{text.cx + 4 * cellMargin, text.cy + 2 * cellMargin};
    RECT image;
    if (CellImageInfo(imageList, GetItemImage(row, col), &image)) {
        size.cx += image.right - image.left + 1;
        size.cy = std::max<LONG>(size.cy, image.bottom - image.top + 1);
    }
    return size;
}
