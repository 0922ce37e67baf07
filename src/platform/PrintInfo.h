#pragma once
// What the print loop tells the printing hooks about the job: page range,
// current page and the drawing rectangle of the page. No Qt here.
#include "platform/WinTypes.h"

struct CPrintInfo {
    UINT m_nCurPage = 1;          // the page being printed, from 1
    UINT m_nNumPreviewPages = 1;
    BOOL m_bPreview = FALSE;      // print preview rather than a printer
    BOOL m_bDirect = FALSE;       // printed without the print dialog
    BOOL m_bContinuePrinting = TRUE;
    RECT m_rectDraw{};            // the page's usable area, logical units

    void SetMinPage(UINT page) { minPage_ = page; }
    void SetMaxPage(UINT page) { maxPage_ = page; }
    UINT GetMinPage() const { return minPage_; }
    UINT GetMaxPage() const { return maxPage_; }
    // The pages the user chose to print (the whole range unless narrowed).
    UINT GetFromPage() const { return fromPage_ ? fromPage_ : minPage_; }
    UINT GetToPage() const { return toPage_ ? toPage_ : maxPage_; }
    void SetPageRange(UINT from, UINT to) { fromPage_ = from; toPage_ = to; }

private:
    UINT minPage_ = 1;
    UINT maxPage_ = 0xFFFF;
    UINT fromPage_ = 0;
    UINT toPage_ = 0;
};
