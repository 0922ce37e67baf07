// Title tips: which cell an idle pointer offers the tip, where the tip goes
// over it or its merged block, and hiding it. The popup itself is TitleTip.cpp.
#include "grid/CGridCtrl.h"
#include "grid/GridMergedBlock.h"
#include "grid/TitleTip.h"

void CGridCtrl::OfferTitleTip(POINT point)
{
    // Inside the cell of a tip a key or click closed, nothing until the pointer leaves it.
    if (titleTip && !titleTip->TrackPointer(point))
        return;
    // Over a divider the pointer is about to size, not to read.
    if (!titleTipsEnabled || pointerMode != PointerMode::Idle) {
        HideTitleTip();
        return;
    }
    const CellId cell = GetCellFromPoint(point, TRUE);
    RECT title;
    RECT hover;
    CellId source;
    if (!IsValidCell(cell) || !TitleTipPlace(cell, &title, &hover, &source))
        return;
    if (!titleTip)
        titleTip = new TitleTip(viewport(), this);
    titleTip->Show(title, GetItemText(source.row, source.col), 0, &hover, DrawnTextFont(source));
}

bool CGridCtrl::TitleTipPlace(CellId cell, RECT* title, RECT* hover, CellId* source) const
{
    RECT cellRect;
    if (!GetCellRect(cell, &cellRect))
        return false;
    const DrawnBlock block = ResolveDrawnBlock(*this, cell.row, cell.col);
    *source = CellId(block.row, block.col);
    const bool header = IsCellFixed(cell.row, cell.col) != FALSE;
    if (!block.merged) {
        *hover = cellRect;
        if (!GetTextRect(cell.row, cell.col, title))
            return false;
    } else {
        // The master's text is drawn over the visible part of the block: the
        // tip covers that part, whichever member the pointer is over.
        *title = DrawnBlockRect(*this, block, cellRect, header ? BlockStart::HeaderCell : BlockStart::ScrollingCell);
        *hover = *title;
    }
    // A header's text lies inside its one-pixel edge, so it is clipped one
    // pixel sooner on each side: the tip measures against the same room.
    if (header) {
        title->left += 1;
        title->right -= 1;
    }
    return true;
}

LOGFONT CGridCtrl::DrawnTextFont(CellId cell) const
{
    LOGFONT font = GetItemFont(cell.row, cell.col);
    if (IsCellFixed(cell.row, cell.col) && (cell.row == focusCell.row || cell.col == focusCell.col))
        font.lfWeight = FOCUS_HEADER_WEIGHT;
    return font;
}

void CGridCtrl::HideTitleTip()
{
    if (titleTip)
        titleTip->Hide();
}
