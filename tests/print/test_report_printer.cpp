// A report page drawn on a recording device context: header and record texts
// in their rectangles and the boxes round them. (The page mapping is checked
// through the view's OnPrepareDC in the application tests.)
#include "RecordingDC.h"
#include "print/ReportLayout.h"
#include "print/ReportPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

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
};

PrintedPage PrintPage(std::size_t records, int page, const CellTextSource& source = CellName)
{
    RecordingDC dc;
    CFont* const fontBefore = dc.GetCurrentFont();
    DrawReportPage(dc, page, records, source);
    PrintedPage printed;
    printed.texts = dc.CallsOf(DcCallKind::DrawText);
    for (const DcCall& text : printed.texts) {   // headings and records use the report font
        EXPECT_EQ(text.attr.font.lfHeight, 15) << text.text;
        EXPECT_EQ(text.attr.font.lfWidth, 5) << text.text;
        EXPECT_STREQ(text.attr.font.lfFaceName, "黑体") << text.text;
    }
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        printed.lines.push_back({call.from, call.to});
    EXPECT_EQ(dc.GetCurrentFont(), fontBefore) << "the page must select the replaced font again";
    return printed;
}

std::vector<const DcCall*> TextsNamed(const PrintedPage& page, const std::string& text)
{
    std::vector<const DcCall*> found;
    for (const DcCall& call : page.texts)
        if (call.text == text)
            found.push_back(&call);
    return found;
}

bool HasSegment(const PrintedPage& page, Segment segment)
{
    return std::find(page.lines.begin(), page.lines.end(), segment) != page.lines.end();
}

// A box drawn from its top-left corner round to the right and back.
void ExpectBox(const PrintedPage& page, const RECT& box)
{
    const POINT corners[] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                             {box.left, box.bottom}, {box.left, box.top}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(HasSegment(page, {corners[i], corners[i + 1]}))
            << "box " << box.left << "," << box.top << " side " << i;
}

struct TextPlace {
    std::string text;
    RECT rect;
};

// Each text drawn once, centred on one line in its rectangle and clipped to it.
void ExpectPlaced(const PrintedPage& page, const std::vector<TextPlace>& places)
{
    for (const TextPlace& place : places) {
        const auto found = TextsNamed(page, place.text);
        ASSERT_EQ(found.size(), 1u) << place.text;
        EXPECT_EQ(found[0]->rect, place.rect) << place.text;
        EXPECT_EQ(found[0]->format, 0x25u) << place.text;
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
        ExpectBox(page, {report::ColumnLeft(column), 60, report::ColumnLeft(column + 1), 100});
    // The threshold columns: top, middle and bottom lines, and a right edge
    // below the middle only.
    for (int column = 8; column <= 10; ++column) {
        const int left = report::ColumnLeft(column);
        const int right = report::ColumnLeft(column + 1);
        EXPECT_TRUE(HasSegment(page, {{left, 60}, {right, 60}})) << column;
        EXPECT_TRUE(HasSegment(page, {{left, 80}, {right, 80}})) << column;
        EXPECT_TRUE(HasSegment(page, {{right, 80}, {right, 100}})) << column;
        EXPECT_TRUE(HasSegment(page, {{left, 100}, {right, 100}})) << column;
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
        const int left = report::ColumnLeft(column), right = report::ColumnLeft(column + 1);
        if (column <= 2 || column >= 11) {
            ExpectBox(page, {left, 100, right, 220});
            continue;
        }
        for (int top = 100; top < 220; top += 40)
            ExpectBox(page, {left, top, right, top + 40});
    }
    EXPECT_TRUE(TextsNamed(page, "r28c0").empty()) << "merged columns print from the record's first row only";
    EXPECT_TRUE(TextsNamed(page, "r30c0").empty());
}

TEST(ReportPrinterTest, LongNameIsClippedToItsColumn)
{
    const std::string longName(40, 'W');
    const PrintedPage page = PrintPage(1, 1, [&](int row, int column) {
        return row == 3 && column == 1 ? longName : std::string();
    });
    ExpectPlaced(page, {{longName, {35, 100, report::ColumnLeft(2), 220}}});
}

struct PageRecords {
    std::size_t records;
    int page;
    int firstRow;   // grid row of the page's first record
    int recordsDrawn;
};

void PrintTo(const PageRecords& c, std::ostream* os)
{
    *os << c.records << " records, page " << c.page << ": " << c.recordsDrawn << " from grid row " << c.firstRow;
}

class ReportPageRecordsTest : public ::testing::TestWithParam<PageRecords> {};

TEST_P(ReportPageRecordsTest, PageShowsItsGroupOfEight)
{
    const PageRecords& c = GetParam();
    const PrintedPage page = PrintPage(c.records, c.page);
    if (c.recordsDrawn == 0) {   // no records: one blank page, not even the header
        EXPECT_TRUE(page.texts.empty());
        EXPECT_TRUE(page.lines.empty());
        return;
    }
    constexpr std::size_t headerTexts = 24;       // 10 two-line columns, shared heading, 3 subtitles
    constexpr std::size_t textsPerRecord = 29;    // 3 + 8 x 3 + 2
    EXPECT_EQ(page.texts.size(), headerTexts + textsPerRecord * static_cast<std::size_t>(c.recordsDrawn));
    EXPECT_EQ(TextsNamed(page, CellName(c.firstRow, 0)).size(), 1u);
    const int lastRow = c.firstRow + 3 * (c.recordsDrawn - 1);
    EXPECT_EQ(TextsNamed(page, CellName(lastRow + 2, 10)).size(), 1u);
    EXPECT_TRUE(TextsNamed(page, CellName(lastRow + 3, 0)).empty());
    ExpectBox(page, {15, report::SlotTop(c.recordsDrawn - 1), 35, report::SlotTop(c.recordsDrawn)});
}

INSTANTIATE_TEST_SUITE_P(Pages, ReportPageRecordsTest,
                         ::testing::Values(PageRecords{0, 1, 3, 0}, PageRecords{8, 1, 3, 8}, PageRecords{9, 1, 3, 8},
                                           PageRecords{9, 2, 27, 1}, PageRecords{16, 2, 27, 8}),
                         [](const ::testing::TestParamInfo<PageRecords>& info) {
                             return std::to_string(info.param.records) + "_records_page_" + std::to_string(info.param.page);
                         });

} // namespace
