// The paint pipeline: background fills, which cells a clip box draws, the
// order of the drawing, and the window's own paint, buffered or not.
#include <gtest/gtest.h>

#include <algorithm>

#include "grid_test_paint_support.h"

namespace {

struct Fill {
    RECT rect;
    COLORREF color;
    friend bool operator==(const Fill&, const Fill&) = default;
};

std::ostream& operator<<(std::ostream& out, const Fill& fill)
{
    return out << "(" << fill.rect.left << "," << fill.rect.top << "," << fill.rect.right << ","
               << fill.rect.bottom << ") " << ColorName(fill.color);
}

constexpr COLORREF kFixed = RGB(1, 1, 1), kText = RGB(2, 2, 2), kOutside = RGB(3, 3, 3);

// Nine rows of 20 and 13 columns of 30 in a 500 x 300 client area: the cells
// end at x 390 and y 180 (FCW 30, FRH 60), leaving client area outside them.
TEST(GridPaintPipeline, BackgroundFillsOfTheClipBox)
{
    const struct { RECT clip; std::vector<Fill> fills; } cases[] = {
        {RECT{}, {{{0, 0, 30, 180}, kFixed}, {{29, 0, 390, 60}, kFixed}, {{30, 60, 390, 180}, kText},
                  {{390, 0, 500, 300}, kOutside}, {{0, 180, 390, 300}, kOutside}}},
        {RECT{0, 100, 20, 150}, {{{0, 100, 30, 180}, kFixed}}},
        {RECT{50, 200, 100, 250}, {{{50, 180, 390, 250}, kOutside}}}};
    GridWindow g(new CGridCtrl(9, 13, 3, 1), 500, 300);
    SetSizes(*g, std::vector<int>(9, 20), std::vector<int>(13, 30));
    g->SetFixedBkColor(kFixed);
    g->SetTextBkColor(kText);
    g->SetBkColor(kOutside);
    g->UpdateScrollRanges();
    SetClientSize(*g, 500, 300);
    for (const auto& c : cases) {
        RecordingDC dc(RecorderDevice(*g, c.clip));
        g->PaintBackground(&dc);
        std::vector<Fill> fills;
        // A fill whose corners are crossed covers nothing; only what shows is compared.
        for (const DcCall& call : dc.CallsOf(DcCallKind::FillRect))
            if (!call.rect.IsRectEmpty())
                fills.push_back({call.rect, call.color});
        EXPECT_EQ(fills, c.fills) << "clip left " << c.clip.left;
    }
}

// Example grid at scroll position 0: a small clip box draws the corner and
// only the cells that meet it.
TEST(GridPaintPipeline, SmallClipBoxDrawsFewCells)
{
    ExampleGrid g;
    FillCellTexts(*g);
    const struct { RECT clip; std::vector<std::string> texts; } cases[] = {
        {RECT{130, 105, 140, 115}, {"0,0", "1,0", "2,0", "5,2"}},
        {RECT{5, 105, 15, 115}, {"0,0", "1,0", "2,0", "5,0"}},
        {RECT{130, 25, 140, 35}, {"0,0", "1,0", "2,0", "1,2"}},
        {RECT{190, 110, 210, 130}, {"0,0", "1,0", "2,0", "5,2", "5,3", "6,2", "6,3"}}};
    for (const auto& c : cases) {
        RecordingDC dc(RecorderDevice(*g, c.clip));
        g->PaintGrid(&dc);
        EXPECT_EQ(dc.Texts(), c.texts) << "clip left " << c.clip.left << " top " << c.clip.top;
    }
    RecordingDC::Device device = RecorderDevice(*g);
    device.clipResult = RGN_ERROR;
    RecordingDC failed(device);
    g->PaintGrid(&failed);
    EXPECT_TRUE(failed.Calls().empty()) << "no clip box, nothing drawn";
}

TEST(GridPaintPipeline, OrderIsBackgroundCornerFixedColumnsFixedRowsCellsLines)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetGridLines(GRID_LINES_HORZ);
    RecordingDC dc(RecorderDevice(*g));
    g->PaintGrid(&dc);
    const std::vector<DcCall>& calls = dc.Calls();
    auto first = [&](auto pred) { return std::find_if(calls.begin(), calls.end(), pred); };
    auto firstText = [&](const std::string& text) {
        return first([&](const DcCall& c) { return c.kind == DcCallKind::DrawText && c.text == text; });
    };
    const auto isFill = [](const DcCall& c) { return c.kind == DcCallKind::FillRect; };
    const auto lastFill = std::find_if(calls.rbegin(), calls.rend(), isFill).base();
    const auto firstNot = first([](const DcCall& c) { return c.kind == DcCallKind::SetROP2 && c.value == R2_NOT; });
    ASSERT_NE(firstNot, calls.end());
    EXPECT_LT(lastFill, firstText("0,0"));
    EXPECT_LT(firstText("2,0"), firstText("3,0"));    // corner, then the fixed column
    EXPECT_LT(firstText("14,0"), firstText("0,1"));   // fixed column, then the fixed rows
    EXPECT_LT(firstText("2,6"), firstText("3,1"));    // fixed rows, then the scrolling cells
    EXPECT_LT(firstText("14,6"), firstNot);           // the lines come last
    EXPECT_EQ(dc.Attributes().rop2, R2_COPYPEN) << "the raster operation is given back";

    // Only the inverting lines are grid lines (the header edges are lines too):
    // rows 3..14 are visible, the last one ending on the client bottom.
    std::vector<DcCall> lines = dc.CallsOf(DcCallKind::LineTo);
    std::erase_if(lines, [](const DcCall& c) { return c.attr.rop2 != R2_NOT; });
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.front().from, (POINT{40, 79}));
    EXPECT_EQ(lines.front().to, (POINT{500, 79}));
    EXPECT_EQ(lines.back().from, (POINT{40, 299}));
}

// Regression: the cell loops walked from row 0 instead of the top-left scroll
// cell; at the bottom of a long grid only the rows on screen may be drawn.
TEST(GridPaintPipeline, BottomOfALongGridDrawsOnlyTheRowsOnScreen)
{
    GridWindow g(new CGridCtrl(30003, 3, 3, 1), 300, 200);
    SetSizes(*g, {}, {40, 80, 80});
    g->UpdateScrollRanges();
    g->SetItemText(30001, 1, "near the end");
    g->SetScrollPosition(SB_VERT, g->GetVertScrollLimit());
    const CellRange visible = g->GetVisibleScrollRange();
    ASSERT_EQ(visible.maxRow, 30002);
    RecordingDC dc(RecorderDevice(*g));
    g->PaintGrid(&dc);
    // Fixed corner (3) + fixed rows above two columns (6) + fixed column and two columns per visible row.
    EXPECT_EQ(dc.CallsOf(DcCallKind::DrawText).size(), static_cast<std::size_t>(3 + 6 + 3 * (30003 - visible.minRow)));
    const std::vector<std::string> texts = dc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "near the end"), texts.end());
}

}  // namespace
