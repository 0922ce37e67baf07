#include "print/ReportPrinter.h"

#include "print/PrintFont.h"
#include "print/ReportLayout.h"

namespace {

using namespace report;

constexpr UINT kCellTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;   // 0x25

// The report font: the face at a cell height of 15 and a character width of 5.
void MakeReportFont(PrintFont& font)
{
    font.SetFontHeight(kReportFontHeight);
    font.SetFontWidth(kReportFontWidth);
}

// Selects a font for a scope and selects the replaced one again at its end.
// A context that had no font selected gets its saved state back instead, so
// it never keeps a pointer to a font that no longer exists.
class ScopedFontSelection {
public:
    ScopedFontSelection(CDC& dc, CFont* font)
        : dc_(dc)
        , savedLevel_(dc.GetCurrentFont() ? 0 : dc.SaveDC())
        , replaced_(dc.SelectObject(font))
    {
    }
    ~ScopedFontSelection()
    {
        if (savedLevel_ != 0)
            dc_.RestoreDC(savedLevel_);
        else
            dc_.SelectObject(replaced_);
    }
    ScopedFontSelection(const ScopedFontSelection&) = delete;
    ScopedFontSelection& operator=(const ScopedFontSelection&) = delete;

private:
    CDC& dc_;
    int savedLevel_;
    CFont* replaced_;
};

void DrawCellText(CDC& dc, std::string_view text, int left, int top, int right, int bottom)
{
    RECT rect{left, top, right, bottom};
    dc.DrawText(text.data(), static_cast<int>(text.size()), &rect, kCellTextFormat);
}

// A closed box through the four corners; neighbours share (and redraw) edges.
void DrawBox(CDC& dc, int left, int top, int right, int bottom)
{
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

void DrawThresholdHeaderColumn(CDC& dc, int column, int left, int right)
{
    if (column == 8)
        DrawCellText(dc, kSharedThresholdHeading, ColumnLeft(8), kSharedHeadingTop, ColumnLeft(11),
                     kSharedHeadingBottom);
    DrawCellText(dc, HeaderLine2(column), left, kHeaderLine2Top, right, kHeaderLine2Bottom);
    // No vertical line between the three columns above the middle line: the
    // shared heading stands across them.
    dc.MoveTo(left, kHeaderTop);
    dc.LineTo(right, kHeaderTop);
    dc.MoveTo(left, kHeaderMiddle);
    dc.LineTo(right, kHeaderMiddle);
    dc.LineTo(right, kHeaderBottom);
    dc.MoveTo(left, kHeaderBottom);
    dc.LineTo(right, kHeaderBottom);
}

} // namespace

void SetReportPageCoordinates(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kWindowExtX, kWindowExtY);
    dc.SetViewportExt(ViewportExtent(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY)));
}

void DrawReportHeader(CDC& dc)
{
    for (int column = 0; column < kColumnCount; ++column) {
        const int left = ColumnLeft(column);
        const int right = ColumnLeft(column + 1);
        if (IsThresholdColumn(column)) {
            DrawThresholdHeaderColumn(dc, column, left, right);
            continue;
        }
        // A one-line heading shows centred at y = 80; a second line sits lower.
        DrawCellText(dc, HeaderLine1(column), left, kHeaderTop, right, kHeaderBottom);
        DrawCellText(dc, HeaderLine2(column), left, kHeaderLine2Top, right, kHeaderLine2Bottom);
        DrawBox(dc, left, kHeaderTop, right, kHeaderBottom);
    }
}

void DrawReportRecord(CDC& dc, int slot, int page, const CellTextSource& cellText)
{
    PrintFont font(kReportFontFace);
    MakeReportFont(font);
    const ScopedFontSelection selection(dc, font.GetFont());

    const int top = SlotTop(slot);
    const int bottom = top + kSlotHeight;
    const int firstRow = FirstGridRow(page, slot);
    for (int column = 0; column < kColumnCount; ++column) {
        const int left = ColumnLeft(column);
        const int right = ColumnLeft(column + 1);
        if (IsPerLineColumn(column)) {
            for (int line = 0; line < kLinesPerRecord; ++line) {
                const int lineTop = top + kLineHeight * line;
                DrawCellText(dc, cellText(firstRow + line, column), left, lineTop, right, lineTop + kLineHeight);
                DrawBox(dc, left, lineTop, right, lineTop + kLineHeight);
            }
            continue;
        }
        // Date and time stand centred on the line between the record's
        // first and second lines, not in the middle of their box.
        const int textBottom = column >= 11 ? top + 2 * kLineHeight : bottom;
        DrawCellText(dc, cellText(firstRow, column), left, top, right, textBottom);
        DrawBox(dc, left, top, right, bottom);
    }
}

void DrawReportPage(CDC& dc, int page, std::size_t recordCount, const CellTextSource& cellText)
{
    PrintFont font(kReportFontFace);
    MakeReportFont(font);
    const ScopedFontSelection selection(dc, font.GetFont());
    if (recordCount == 0)
        return;   // an empty report is one blank page
    DrawReportHeader(dc);
    const int records = RecordsOnPage(recordCount, page);
    for (int slot = 0; slot < records; ++slot)
        DrawReportRecord(dc, slot, page, cellText);
}
