#pragma once
// The fixed layout of the table report, in page units (1/110 inch across,
// 1/100 inch down, origin at the top left of the printable area): 13 boxed
// columns, a two-line header block and eight record slots of three lines.
// Pure arithmetic, no drawing.
#include "platform/WinTypes.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace report {

constexpr int kColumnCount = 13;
constexpr int kRecordsPerPage = 8;
constexpr int kLinesPerRecord = 3;
constexpr int kGridHeaderRows = 3;   // header rows of the view's grid

// Window and viewport extents of the page mapping.
constexpr int kWindowExtX = 1000;
constexpr int kWindowExtY = 700;
constexpr int kUnitsPerInchX = 110;
constexpr int kUnitsPerInchY = 100;

constexpr int kTableLeft = 15;
constexpr int kHeaderTop = 60;
constexpr int kHeaderMiddle = 80;    // line under the shared "Threshold(dBm)" heading
constexpr int kHeaderBottom = 100;
constexpr int kSharedHeadingTop = 50;
constexpr int kSharedHeadingBottom = 90;
constexpr int kHeaderLine2Top = 76;
constexpr int kHeaderLine2Bottom = 110;
constexpr int kSlotHeight = 120;
constexpr int kLineHeight = 40;

// Report font: face, cell height and average character width.
inline constexpr const char* kReportFontFace = "黑体";
constexpr LONG kReportFontHeight = 15;
constexpr LONG kReportFontWidth = 5;

// Width of column c.
constexpr std::array<int, kColumnCount> kColumnWidths{20, 115, 115, 70, 60, 40, 60, 52, 60, 60, 60, 62, 62};

// X(c): left edge of column c; X(13) is the table's right edge (851).
constexpr int ColumnLeft(int column)
{
    int x = kTableLeft;
    for (int c = 0; c < column && c < kColumnCount; ++c)
        x += kColumnWidths[static_cast<std::size_t>(c)];
    return x;
}

// The columns under the shared heading "Threshold(dBm)".
constexpr bool IsThresholdColumn(int column) { return column >= 8 && column <= 10; }
// Columns 3 to 10 hold one box per line; the others one box over the record.
constexpr bool IsPerLineColumn(int column) { return column >= 3 && column <= 10; }

// First and second header line of a column ("" when it has none; the
// threshold columns' first line is the shared heading).
std::string_view HeaderLine1(int column);
std::string_view HeaderLine2(int column);
inline constexpr std::string_view kSharedThresholdHeading = "Threshold(dBm)";

// Pages for `recordCount` records: one per started group of eight, at least one.
int PageCount(std::size_t recordCount);
// Records shown on 1-based `page`.
int RecordsOnPage(std::size_t recordCount, int page);
// Top of slot s (0..7).
constexpr int SlotTop(int slot) { return kHeaderBottom + kSlotHeight * slot; }
// Grid row of the first line of the record in `slot` on 1-based `page`.
constexpr int FirstGridRow(int page, int slot)
{
    return kGridHeaderRows + kLinesPerRecord * kRecordsPerPage * (page - 1) + kLinesPerRecord * slot;
}

// Viewport extent for a device with the given LOGPIXELSX/Y (integer arithmetic, truncated).
constexpr SIZE ViewportExtent(int logPixelsX, int logPixelsY)
{
    return SIZE{logPixelsX * kWindowExtX / kUnitsPerInchX, logPixelsY * kWindowExtY / kUnitsPerInchY};
}

} // namespace report
