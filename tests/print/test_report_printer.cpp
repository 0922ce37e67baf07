// The report: page arithmetic, viewport extent and font; and a page drawn on
// a recording device context, header and record texts in their rectangles and
// the boxes round them. (The page mapping is checked through the view's
// OnPrepareDC in the application tests.)
#include "RecordingDC.h"
#include "print/ReportLayout.h"
#include "print/ReportPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(ReportLayoutTest, OnePagePerStartedGroupOfEightAtLeastOne)
{
    // records, pages, records on the last page
    for (const auto& [records, pages, onLast] : {std::tuple<std::size_t, int, int>{0, 1, 0}, {1, 1, 1}, {8, 1, 8},
                                                 {9, 2, 1}, {16, 2, 8}, {17, 3, 1}, {65535, 8192, 7}}) {
        EXPECT_EQ(report::PageCount(records), pages) << records;
        EXPECT_EQ(report::RecordsOnPage(records, pages), onLast) << records;
        EXPECT_EQ(report::RecordsOnPage(records, pages + 1), 0) << records;
    }
}

TEST(ReportLayoutTest, ViewportExtentTruncatesIntegerDivisions)
{
    EXPECT_EQ(report::ViewportExtent(96, 96), (SIZE{872, 672}));
    EXPECT_EQ(report::ViewportExtent(1200, 300), (SIZE{10909, 2100}));
}

// Left edges of the thirteen columns, then the table's right edge.
constexpr int kLeft[] = {15, 35, 150, 265, 335, 395, 435, 495, 547, 607, 667, 727, 789, 851};

// Cell texts that name their own grid cell, so a test sees which cell went where.
std::string CellName(int row, int column)
{
    return "r" + std::to_string(row) + "c" + std::to_string(column);
}

struct Segment {
    POINT from;
    POINT to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

struct PrintedPage {
    std::vector<DcCall> texts;
    std::vector<Segment> lines;
    long Count(const std::string& text) const
    {
        return std::count_if(texts.begin(), texts.end(), [&](const DcCall& call) { return call.text == text; });
    }
    bool Has(Segment segment) const { return std::find(lines.begin(), lines.end(), segment) != lines.end(); }
};

PrintedPage PrintPage(std::size_t records, int page)
{
    RecordingDC dc;
    CFont* const fontBefore = dc.GetCurrentFont();
    DrawReportPage(dc, page, records, CellName);
    PrintedPage printed;
    printed.texts = dc.CallsOf(DcCallKind::DrawText);
    for (const DcCall& text : printed.texts)   // headings and records use the report font
        EXPECT_EQ(std::tuple(text.attr.font.lfHeight, text.attr.font.lfWidth, std::string(text.attr.font.lfFaceName)),
                  std::tuple(15, 5, "黑体")) << text.text;
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        printed.lines.push_back({call.from, call.to});
    EXPECT_EQ(dc.GetCurrentFont(), fontBefore) << "the page must select the replaced font again";
    return printed;
}

// A box drawn from its top-left corner round to the right and back.
void ExpectBox(const PrintedPage& page, const RECT& box)
{
    const POINT corners[] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                             {box.left, box.bottom}, {box.left, box.top}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(page.Has({corners[i], corners[i + 1]})) << "box " << box.left << "," << box.top << " side " << i;
}

struct TextPlace {
    std::string text;
    RECT rect;
};

// Each text drawn once, centred on one line in its rectangle and clipped to it.
void ExpectPlaced(const PrintedPage& page, const std::vector<TextPlace>& places)
{
    for (const TextPlace& place : places) {
        ASSERT_EQ(page.Count(place.text), 1) << place.text;
        const DcCall& found = *std::find_if(page.texts.begin(), page.texts.end(), [&](const DcCall& call) { return call.text == place.text; });
        EXPECT_EQ(std::pair(found.rect, found.format), std::pair(place.rect, 0x25u)) << place.text;
    }
}

TEST(ReportPrinterTest, HeaderTextsBoxesAndTheOpenThresholdBlock)
{
    const PrintedPage page = PrintPage(1, 1);
    ExpectPlaced(page, {
        {"No.", {15, 60, 35, 100}},          {"OLT name", {35, 60, 150, 100}},
        {"ONT name", {150, 60, 265, 100}},   {"Wavelength", {265, 60, 335, 100}},
        {"Power", {335, 60, 395, 100}},      {"Unit", {395, 60, 435, 100}},
        {"Ref.", {435, 60, 495, 100}},       {"(dBm)", {435, 76, 495, 110}},
        {"Thres.", {495, 60, 547, 100}},     {"Status", {495, 76, 547, 110}},
        {"Threshold(dBm)", {547, 50, 727, 90}}, {"PASS", {547, 76, 607, 110}},
        {"WRNG", {607, 76, 667, 110}},       {"FAIL", {667, 76, 727, 110}},
        {"Date", {727, 60, 789, 100}},       {"Time", {789, 60, 851, 100}},
    });
    for (int column : {0, 1, 2, 3, 4, 5, 6, 7, 11, 12})
        ExpectBox(page, {kLeft[column], 60, kLeft[column + 1], 100});
    // The threshold columns: top, middle and bottom lines, and a right edge
    // below the middle only.
    for (int column = 8; column <= 10; ++column) {
        const int left = kLeft[column], right = kLeft[column + 1];
        for (const Segment line : {Segment{{left, 60}, {right, 60}}, Segment{{left, 80}, {right, 80}},
                                   Segment{{right, 80}, {right, 100}}, Segment{{left, 100}, {right, 100}}})
            EXPECT_TRUE(page.Has(line)) << column << ": " << line.from.x << "," << line.from.y;
    }
    for (const Segment& line : page.lines) {
        const bool vertical = line.from.x == line.to.x;
        const bool insideThresholdBlock = line.from.x > 547 && line.from.x < 727;
        const bool aboveMiddle = std::min(line.from.y, line.to.y) < 80 && std::max(line.from.y, line.to.y) <= 100;
        EXPECT_FALSE(vertical && insideThresholdBlock && aboveMiddle)
            << "vertical line at x=" << line.from.x << " above the threshold middle line";
    }
}

TEST(ReportPrinterTest, RecordCellsComeFromTheirGridRowsAndStandInTheirBoxes)
{
    // Nine records: page 2 holds only record 8 (grid rows 27 to 29) in slot 0.
    const PrintedPage page = PrintPage(9, 2);
    ExpectPlaced(page, {
        {"r27c0", {15, 100, 35, 220}},     {"r27c1", {35, 100, 150, 220}},
        {"r27c2", {150, 100, 265, 220}},   {"r27c3", {265, 100, 335, 140}},
        {"r28c4", {335, 140, 395, 180}},   {"r29c5", {395, 180, 435, 220}},
        {"r28c7", {495, 140, 547, 180}},   {"r29c10", {667, 180, 727, 220}},
        {"r27c11", {727, 100, 789, 180}},  {"r27c12", {789, 100, 851, 180}},
    });
    // One box for each merged column, three for each per-line one.
    for (int column = 0; column < 13; ++column) {
        const bool merged = column <= 2 || column >= 11;
        for (int top = 100; top < 220; top += merged ? 120 : 40)
            ExpectBox(page, {kLeft[column], top, kLeft[column + 1], merged ? 220 : top + 40});
    }
    EXPECT_EQ(page.Count("r28c0"), 0) << "merged columns print from the record's first row only";
}

// Each page shows its group of eight records; no records: one blank page, not even the header.
TEST(ReportPrinterTest, PageShowsItsGroupOfEight)
{
    const struct {
        std::size_t records;
        int page;
        std::size_t texts;   // 24 header texts and 29 per record
        int firstRow, lastRow;   // grid rows of the first and the last record drawn
    } cases[] = {{0, 1, 0, 0, 0}, {9, 1, 256, 3, 24}, {9, 2, 53, 27, 27}, {16, 2, 256, 27, 48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.records) + " records, page " + std::to_string(c.page));
        const PrintedPage page = PrintPage(c.records, c.page);
        ASSERT_EQ(page.texts.size(), c.texts);
        if (c.texts == 0) {
            EXPECT_TRUE(page.lines.empty());
            continue;
        }
        EXPECT_EQ(page.Count(CellName(c.firstRow, 0)), 1);
        EXPECT_EQ(page.Count(CellName(c.lastRow + 2, 10)), 1);
        EXPECT_EQ(page.Count(CellName(c.lastRow + 3, 0)), 0);
        const int lastSlotTop = 100 + 120 * (c.lastRow - c.firstRow) / 3;
        ExpectBox(page, {15, lastSlotTop, 35, lastSlotTop + 120});
    }
}

} // namespace
