// The paint pipeline: background fills, which cells a clip box draws, the
// order of the drawing, the off-screen buffer, the window's own paint, and
// RedrawCell without a context.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>

#include "grid/BufferedDC.h"
#include "grid_test_paint_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

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

std::vector<Fill> Fills(const RecordingDC& dc)
{
    std::vector<Fill> fills;
    // A fill whose corners are crossed covers nothing; only what shows is compared.
    for (const DcCall& call : dc.CallsOf(DcCallKind::FillRect))
        if (!call.rect.IsRectEmpty())
            fills.push_back({call.rect, call.color});
    return fills;
}

// Nine rows and 13 columns of 30 pixels in a 500 x 300 client area: the cells
// end at x 390 and y 180 (FCW 30, FRH 60), leaving client area outside them.
struct SmallGrid : GridWindow {
    SmallGrid() : GridWindow(new CGridCtrl(9, 13, 3, 1), 500, 300)
    {
        SetSizes(**this, std::vector<int>(9, 20), std::vector<int>(13, 30));
        grid->SetFixedBkColor(RGB(1, 1, 1));
        grid->SetTextBkColor(RGB(2, 2, 2));
        grid->SetBkColor(RGB(3, 3, 3));
        grid->UpdateScrollRanges();
        SetClientSize(**this, 500, 300);
    }
};

struct BackgroundCase {
    const char* name;
    RECT clip;
    std::vector<Fill> fills;
};

class GridPaintBackground : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(GridPaintBackground, FillsOfTheClipBox)
{
    SmallGrid g;
    RECT extent;
    g->GetVisibleScrollRange(&extent);
    ASSERT_EQ(extent, (RECT{0, 0, 390, 180}));
    RecordingDC dc(RecorderDevice(*g, GetParam().clip));
    g->PaintBackground(&dc);
    EXPECT_EQ(Fills(dc), GetParam().fills);
}

constexpr COLORREF kFixed = RGB(1, 1, 1), kText = RGB(2, 2, 2), kOutside = RGB(3, 3, 3);

INSTANTIATE_TEST_SUITE_P(
    ClipBoxes, GridPaintBackground,
    ::testing::Values(
        BackgroundCase{"whole_client_area",
                       RECT{},
                       {{{0, 0, 30, 180}, kFixed},
                        {{29, 0, 390, 60}, kFixed},
                        {{30, 60, 390, 180}, kText},
                        {{390, 0, 500, 300}, kOutside},
                        {{0, 180, 390, 300}, kOutside}}},
        BackgroundCase{"inside_the_scrolling_cells", RECT{100, 100, 200, 150}, {{{100, 100, 200, 150}, kText}}},
        BackgroundCase{"fixed_column_only", RECT{0, 100, 20, 150}, {{{0, 100, 30, 180}, kFixed}}},
        BackgroundCase{"right_of_the_cells", RECT{400, 10, 450, 20}, {{{390, 10, 450, 20}, kOutside}}},
        BackgroundCase{"below_the_cells", RECT{50, 200, 100, 250}, {{{50, 180, 390, 250}, kOutside}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts drawn by PaintGrid for a clip box (device pixels), in drawing order.
std::vector<std::string> PaintedTexts(CGridCtrl& grid, RECT clip)
{
    RecordingDC dc(RecorderDevice(grid, clip));
    grid.PaintGrid(&dc);
    return dc.Texts();
}

struct ClipCase {
    const char* name;
    RECT clip;
    std::vector<std::string> texts;
};

class GridPaintClip : public ::testing::TestWithParam<ClipCase> {};

// Example grid at scroll position 0: the corner is always drawn; other cells only where they meet the clip box.
TEST_P(GridPaintClip, CellsDrawn)
{
    ExampleGrid g;
    FillCellTexts(*g);
    EXPECT_EQ(PaintedTexts(*g, GetParam().clip), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    ClipBoxes, GridPaintClip,
    ::testing::Values(
        ClipCase{"inside_one_scrolling_cell", RECT{130, 105, 140, 115}, {"0,0", "1,0", "2,0", "5,2"}},
        ClipCase{"one_fixed_column_cell", RECT{5, 105, 15, 115}, {"0,0", "1,0", "2,0", "5,0"}},
        ClipCase{"one_fixed_row_cell", RECT{130, 25, 140, 35}, {"0,0", "1,0", "2,0", "1,2"}},
        ClipCase{"across_two_rows_and_two_columns",
                 RECT{190, 110, 210, 130},
                 {"0,0", "1,0", "2,0", "5,2", "5,3", "6,2", "6,3"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridPaintPipeline, OrderIsBackgroundCornerFixedColumnsFixedRowsCellsLines)
{
    ExampleGrid g;
    FillCellTexts(*g);
    RecordingDC dc(RecorderDevice(*g));
    g->PaintGrid(&dc);
    const std::vector<DcCall>& calls = dc.Calls();
    auto firstText = [&](const std::string& text) {
        return std::find_if(calls.begin(), calls.end(),
                            [&](const DcCall& c) { return c.kind == DcCallKind::DrawText && c.text == text; });
    };
    const auto lastFill = std::find_if(calls.rbegin(), calls.rend(), [](const DcCall& c) {
                              return c.kind == DcCallKind::FillRect;
                          }).base();
    const auto firstNot = std::find_if(calls.begin(), calls.end(), [](const DcCall& c) {
        return c.kind == DcCallKind::SetROP2 && c.value == R2_NOT;
    });
    ASSERT_NE(firstNot, calls.end());
    EXPECT_LT(lastFill, firstText("0,0"));
    EXPECT_LT(firstText("2,0"), firstText("3,0"));     // corner, then the fixed column
    EXPECT_LT(firstText("14,0"), firstText("0,1"));    // fixed column, then the fixed rows
    EXPECT_LT(firstText("2,6"), firstText("3,1"));    // fixed rows, then the scrolling cells
    EXPECT_LT(firstText("14,6"), firstNot);            // the lines come last
    // The raster operation is given back and the pen put away.
    EXPECT_EQ(dc.Attributes().rop2, R2_COPYPEN);
    EXPECT_TRUE(dc.Attributes().pen.IsNull());
}

TEST(GridPaintPipeline, GridLinesFollowTheVisibleCells)
{
    ExampleGrid g;
    g->SetGridLines(GRID_LINES_HORZ);
    RecordingDC dc(RecorderDevice(*g));
    g->PaintGrid(&dc);
    std::vector<DcCall> lines = dc.CallsOf(DcCallKind::LineTo);
    // Only the inverting lines are grid lines (the header edges are lines too).
    std::erase_if(lines, [](const DcCall& c) { return c.attr.rop2 != R2_NOT; });
    // Rows 3..14 are visible (the last one ends on the client bottom): one line per row.
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.front().from, (POINT{40, 79}));
    EXPECT_EQ(lines.front().to, (POINT{500, 79}));
    EXPECT_EQ(lines.back().from, (POINT{40, 299}));

    dc.Clear();
    g->SetGridLines(GRID_LINES_NONE);
    g->PaintGrid(&dc);
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        EXPECT_NE(call.attr.rop2, R2_NOT);
}

TEST(GridPaintPipeline, ClipBoxErrorDrawsNothing)
{
    ExampleGrid g;
    RecordingDC::Device device = RecorderDevice(*g);
    device.clipResult = RGN_ERROR;
    RecordingDC dc(device);
    g->PaintGrid(&dc);
    g->PaintBackground(&dc);
    EXPECT_TRUE(dc.Calls().empty());
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
    ASSERT_LE(visible.minRow, 30001);

    RecordingDC dc(RecorderDevice(*g));
    g->PaintGrid(&dc);
    const int rowsOnScreen = visible.maxRow - visible.minRow + 1;
    // Fixed corner (3) + fixed rows above two columns (6) + fixed column and two columns per visible row.
    EXPECT_EQ(dc.CallsOf(DcCallKind::DrawText).size(), static_cast<std::size_t>(3 + 6 + 3 * rowsOnScreen));
    const std::vector<std::string> texts = dc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "near the end"), texts.end());
}

TEST(GridPaintPipeline, WindowPaintShowsWhatPaintGridDraws)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetItemBkColor(5, 2, RGB(255, 0, 0));
    g->MergeCells(6, 2, 0, 1, 0);
    g->SetFocusCell(7, 3);
    for (const BOOL buffered : {TRUE, FALSE}) {
        g->SetBufferedPaint(buffered);
        const QImage shown = g->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto expected = PaintToImage(*g);
        ASSERT_EQ(shown.size(), expected->Image().size());
        EXPECT_TRUE(shown == expected->Image()) << "buffered " << buffered;
    }
}

TEST(GridPaintPipeline, RedrawCellWithoutContextInvalidatesVisibleCells)
{
    ExampleGrid g;
    EXPECT_TRUE(g->RedrawCell(5, 2));
    EXPECT_TRUE(g->RedrawCell(1, 2));
    EXPECT_FALSE(g->RedrawCell(99, 2));         // no such cell
    EXPECT_FALSE(g->RedrawCell(20, 2));         // below the client area
    g.ScrollTo(0, 100);
    EXPECT_FALSE(g->RedrawCell(3, 2));          // scrolled out above
    g->SetDrawingEnabled(FALSE);
    EXPECT_FALSE(g->RedrawCell(9, 2));
}

// A buffer over a 200 x 100 output whose clip box is (50, 20)-(90, 50).
struct BufferCase : ::testing::Test {
    QImage target{200, 100, QImage::Format_RGB32};
    QPainter painter;
    std::unique_ptr<QPainterDC> output;

    void Open(bool printing)
    {
        target.fill(Qt::white);
        painter.begin(&target);
        output = std::make_unique<QPainterDC>(&painter);
        output->SetDeviceClipBox(QRect(50, 20, 40, 30));
        output->SetPrinting(printing);
    }
    COLORREF Pixel(int x, int y) const { return ToColorRef(QColor(target.pixel(x, y))); }
};

TEST_F(BufferCase, PaintsTheClipBoxInWindowCoordinatesAndCopiesItOnce)
{
    Open(false);
    {
        BufferedDC buffer(output.get());
        ASSERT_TRUE(buffer.DrawsToMemory());
        RECT clip;
        buffer.GetClipBox(&clip);
        EXPECT_EQ(clip, (RECT{50, 20, 90, 50}));
        buffer.FillSolidRect(RECT{0, 0, 200, 100}, RGB(255, 0, 0));
        buffer.FillSolidRect(RECT{60, 30, 61, 31}, RGB(0, 0, 255));
        EXPECT_EQ(Pixel(60, 30), RGB(255, 255, 255)) << "nothing reaches the output before the copy";
    }
    painter.end();
    EXPECT_EQ(Pixel(60, 30), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(50, 20), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(89, 49), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(49, 20), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(90, 49), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(89, 50), RGB(255, 255, 255));
}

TEST_F(BufferCase, PrinterContextIsDrawnDirectly)
{
    Open(true);
    {
        BufferedDC buffer(output.get());
        EXPECT_FALSE(buffer.DrawsToMemory());
        EXPECT_TRUE(buffer.IsPrinting());
        buffer.FillSolidRect(RECT{60, 30, 61, 31}, RGB(0, 0, 255));
        EXPECT_EQ(Pixel(60, 30), RGB(0, 0, 255));
    }
    painter.end();
}

}  // namespace
