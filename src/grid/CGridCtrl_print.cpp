// Printing the whole grid through a host view's print loop: PrintBegin
// measures and counts the pages, PrintPage draws one page (header band,
// fixed rows, the page's rows, footer band), PrintEnd frees the font.
//
// A page is a logical page as wide as all columns plus four average
// characters of margin on each side, with the device page's proportions;
// the mapping mode scales it onto the printable area.
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "grid/CGridCtrl.h"
#include "grid/GridMergedBlock.h"
#include "platform/CDC.h"
#include "platform/PrintInfo.h"

namespace {

// The printer font: 9-unit Times New Roman, string output precision,
// character clipping.
constexpr LONG kPrinterFontHeight = -9;
constexpr BYTE kOutStringPrecis = 2;
constexpr BYTE kClipCharacterPrecis = 1;
constexpr const char* kPrinterFontFace = "Times New Roman";

// Margin on either side of the table, in average characters.
constexpr int kSideMarginChars = 4;
// Header and footer bands, in character heights; one more blank line
// separates the header band from the fixed rows and the rows from the footer.
constexpr int kBandLines = 2;
constexpr int kGapLines = 1;

constexpr UINT kTitleRightFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;                // 0x826
constexpr UINT kTitleCentreFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;              // 0x825
constexpr UINT kFooterLeftFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;     // 0x924
constexpr UINT kFooterRightFormat = kFooterLeftFormat | DT_RIGHT;                                      // 0x926

// a * b / c rounded to the nearest integer (for a, b >= 0 and c > 0), without
// overflow in between.
int MulDiv(int a, int b, int c)
{
    return static_cast<int>((static_cast<std::int64_t>(a) * b + c / 2) / c);
}

// The title of the first window up the parent chain that has one.
std::string NearestParentTitle(const QWidget* widget)
{
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (!w->windowTitle().isEmpty())
            return w->windowTitle().toStdString();
    return {};
}

// The local date and time in the C library's "%c" form.
std::string LocalDateTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%c", &local);
    return std::string(text, length);
}

} // namespace

void CGridCtrl::PrintBegin(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info || GetRowCount() <= GetFixedRowCount())
        return;
    const int pageWidth = dc->GetDeviceCaps(HORZRES);
    const int pageHeight = dc->GetDeviceCaps(VERTRES);
    if (pageWidth <= 0 || pageHeight <= 0)
        return;   // nothing to scale the table onto

    LOGFONT logFont;
    logFont.lfHeight = kPrinterFontHeight;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = kOutStringPrecis;
    logFont.lfClipPrecision = kClipCharacterPrecis;
    logFont.SetFaceName(kPrinterFontFace);
    printerFont.DeleteObject();
    printerFont.CreateFontIndirect(logFont);

    CFont* oldFont = dc->SelectObject(&printerFont);
    const SIZE extent = dc->GetTextExtent(PRINT_MEASURING_ALPHABET.data(), PRINT_MEASURING_LENGTH);
    dc->SelectObject(oldFont);
    printCharWidth = extent.cx / PRINT_MEASURING_LENGTH;
    printCharHeight = extent.cy;

    printPageWidth = pageWidth;
    printPageHeight = pageHeight;
    printLogicalWidth = TotalColumnsWidth() + 2 * kSideMarginChars * printCharWidth;
    printLogicalHeight = MulDiv(printLogicalWidth, printPageHeight, printPageWidth);
    printRowAreaHeight = printLogicalHeight - 2 * (kBandLines + kGapLines) * printCharHeight - FixedRowsHeight();

    printPageStarts = PrintPageStarts();
    info->SetMaxPage(static_cast<UINT>(printPageStarts.size()));
    info->m_nCurPage = 1;
}

std::vector<int> CGridCtrl::PrintPageStarts() const
{
    std::vector<int> starts;
    int used = 0;
    for (int row = GetFixedRowCount(); row < GetRowCount(); ++row) {
        const int height = GetRowHeight(row);
        // A row that does not fit opens the next page; an empty page keeps
        // its first row whatever its height, so no row is ever left out.
        if (starts.empty() || (used > 0 && used + height > printRowAreaHeight)) {
            starts.push_back(row);
            used = 0;
        }
        used += height;
    }
    return starts;
}

void CGridCtrl::PrintPage(CDC* dc, CPrintInfo* info)
{
    // A grid without data rows has no pages (PrintBegin counted none).
    if (!dc || !info || GetRowCount() <= GetFixedRowCount())
        return;
    CFont* oldFont = dc->SelectObject(&printerFont);
    CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);

    const int leftMargin = kSideMarginChars * printCharWidth;
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(printLogicalWidth, printLogicalHeight);
    dc->SetViewportExt(printPageWidth, printPageHeight);
    dc->SetWindowOrg(-leftMargin, 0);

    const int bandHeight = kBandLines * printCharHeight;
    info->m_rectDraw = RECT{0, 0, printLogicalWidth - 2 * leftMargin, bandHeight};
    PrintPageHeader(dc, info);

    dc->OffsetWindowOrg(0, -bandHeight);
    dc->OffsetWindowOrg(0, -kGapLines * printCharHeight);
    info->m_rectDraw.bottom = FixedRowsHeight();
    PrintHeaderRows(dc, info);
    dc->OffsetWindowOrg(0, -FixedRowsHeight());

    const std::size_t page = info->m_nCurPage;
    if (page >= 1 && page <= printPageStarts.size()) {
        const int first = printPageStarts[page - 1];
        const int end = page < printPageStarts.size() ? printPageStarts[page] : GetRowCount();
        int top = 0;
        for (int row = first; row < end && row < GetRowCount(); ++row) {
            // The page is full when the next row does not fit: rows made taller
            // since the pages were counted never run into the footer band.
            if (row > first && top + GetRowHeight(row) > printRowAreaHeight)
                break;
            // Only a page's first row can be taller than the room: it is cut at the footer's gap.
            const int height = std::min(GetRowHeight(row), std::max(printRowAreaHeight - top, 1));
            const int bottom = top + height - 1;
            int left = 0;
            for (int col = 0; col < GetColumnCount(); ++col) {
                RECT cell{left, top, left + GetColumnWidth(col) - 1, bottom};
                left = cell.right + 1;
                int startCol = col;
                if (!PrintBlockRect(row, col, first, end - 1, &cell, &startCol))
                    continue;
                cell.bottom = std::min<int>(cell.bottom, printRowAreaHeight - 1);
                PaintCell(dc, row, col, cell, FALSE);
                // The rule draws a top line above row 0 only. Without fixed
                // rows it is drawn above every page's first row: nothing
                // else would close the table at the top of the later pages.
                PrintCellLines(dc, cell, startCol, row == first, row == first && GetFixedRowCount() == 0);
            }
            top = bottom + 1;
        }

        info->m_rectDraw.bottom = bandHeight;
        dc->SetWindowOrg(-leftMargin, bandHeight - printLogicalHeight);
        PrintPageFooter(dc, info);
    }
    dc->SetWindowOrg(0, 0);
    dc->SelectObject(static_cast<CPen*>(oldPen));
    dc->SelectObject(oldFont);
}

void CGridCtrl::PrintEnd(CDC* /*dc*/, CPrintInfo* /*info*/)
{
    printerFont.DeleteObject();
}

void CGridCtrl::PrintHeaderRows(CDC* dc, CPrintInfo* /*info*/)
{
    if (!dc)
        return;
    CFont* oldFont = dc->SelectObject(&printerFont);
    int top = 0;
    for (int row = 0; row < GetFixedRowCount(); ++row) {
        const int bottom = top + GetRowHeight(row) - 1;
        int left = 0;
        for (int col = 0; col < GetColumnCount(); ++col) {
            RECT cell{left, top, left + GetColumnWidth(col) - 1, bottom};
            left = cell.right + 1;
            int startCol = col;
            if (!PrintBlockRect(row, col, 0, GetFixedRowCount() - 1, &cell, &startCol))
                continue;
            PaintHeaderCell(dc, row, col, cell, FALSE);
            PrintCellLines(dc, cell, startCol, row == 0, row == 0);
        }
        top = bottom + 1;
    }
    dc->SelectObject(oldFont);
}

void CGridCtrl::PrintCellLines(CDC* dc, const RECT& cell, int col, bool firstLine, bool topLine) const
{
    if (gridLines == GRID_LINES_HORZ || gridLines == GRID_LINES_BOTH) {
        // One pixel to the left joins the line to the previous cell's right edge.
        const int start = col == 0 ? cell.left : cell.left - 1;
        dc->MoveTo(start, cell.bottom);
        dc->LineTo(cell.right, cell.bottom);
        if (topLine) {
            dc->MoveTo(start, cell.top);
            dc->LineTo(cell.right, cell.top);
        }
    }
    if (gridLines == GRID_LINES_VERT || gridLines == GRID_LINES_BOTH) {
        const int start = firstLine ? cell.top : cell.top - 1;
        dc->MoveTo(cell.right, start);
        dc->LineTo(cell.right, cell.bottom);
        if (col == 0) {
            dc->MoveTo(cell.left, start);
            dc->LineTo(cell.left, cell.bottom);
        }
    }
}

bool CGridCtrl::PrintBlockRect(int row, int col, int firstRow, int lastRow, RECT* cell, int* startCol) const
{
    const DrawnBlock block = ResolveDrawnBlock(*this, row, col);
    if (!block.merged)
        return true;
    // A block begun on an earlier page (or above the fixed rows) starts at the first row here.
    const int fromRow = std::max(block.row, firstRow);
    if (row != fromRow || col != block.col) {
        // A cell left of the master inside the band cannot exist; anything else is drawn by the block.
        return false;
    }
    const int toRow = std::min(block.farRow, lastRow);
    cell->right = cell->left + store.ColumnsWidth(block.col, block.farCol) - 1;
    cell->bottom = cell->top + store.RowsHeight(fromRow, toRow) - 1;
    *startCol = block.col;
    return true;
}

LOGFONT CGridCtrl::PrintBoldLogFont() const
{
    LOGFONT logFont;
    printerFont.GetLogFont(&logFont);
    logFont.lfWeight = FW_BOLD;
    return logFont;
}

void CGridCtrl::PrintPageHeader(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    RECT band = info->m_rectDraw;
    CFont bold;
    bold.CreateFontIndirect(PrintBoldLogFont());
    CFont* oldFont = dc->SelectObject(&bold);
    const int oldBkMode = dc->SetBkMode(TRANSPARENT);

    dc->DrawText(QGuiApplication::applicationDisplayName().toStdString(), &band, kTitleRightFormat);
    dc->DrawText(NearestParentTitle(this), &band, kTitleCentreFormat);

    dc->SetBkMode(oldBkMode);
    dc->SelectObject(oldFont);
    dc->SelectStockObject(BLACK_PEN);
    dc->MoveTo(band.left, band.bottom);
    dc->LineTo(band.right, band.bottom);
}

void CGridCtrl::PrintPageFooter(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    RECT band = info->m_rectDraw;
    dc->MoveTo(band.left, band.top);
    dc->LineTo(band.right, band.top);

    CFont bold;
    bold.CreateFontIndirect(PrintBoldLogFont());
    CFont* oldFont = dc->SelectObject(&bold);
    const int oldBkMode = dc->SetBkMode(TRANSPARENT);

    band.OffsetRect(0, printCharHeight / 2);
    char pageText[64];
    std::snprintf(pageText, sizeof pageText, "Page %u of %u", info->m_nCurPage, info->GetMaxPage());
    dc->DrawText(pageText, &band, kFooterLeftFormat);
    dc->DrawText(LocalDateTimeText(), &band, kFooterRightFormat);

    dc->SetBkMode(oldBkMode);
    dc->SelectObject(oldFont);
}
