// Pixels of a full paint: grid lines that invert the cell colour, crossings,
// lines removed inside merged blocks, the focus frame and selection, and a
// cell redrawn on its own.
// Example grid at scroll position 0: cell (5, 2) spans x 120..199, y 100..119.
#include <gtest/gtest.h>

#include "grid_test_paint_support.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kWhite = RGB(255, 255, 255), kBlack = 0;

COLORREF Inverse(COLORREF color) { return ~color & 0x00FFFFFF; }

// Each line pixel is inverted once, whatever the line colour; where a vertical
// and a horizontal line cross the pixel is inverted twice and shows the cell.
TEST(GridPaintPixels, LinesShowTheInverseAndCrossingsTheCell)
{
    const std::pair<COLORREF, COLORREF> cases[] = {{kRed, RGB(0, 255, 255)},   // a failed verdict: cyan lines
                                                   {RGB(255, 255, 0), RGB(0, 0, 255)},
                                                   {kWhite, kBlack}};
    for (const auto& [cell, line] : cases) {
        SCOPED_TRACE(ColorName(cell));
        ExampleGrid g;
        g->SetGridLineColor(RGB(255, 0, 255));
        g->SetItemBkColor(5, 2, cell);
        const auto dc = PaintToImage(*g);
        EXPECT_PIXEL(*dc, 160, 110, cell);
        EXPECT_PIXEL(*dc, 199, 110, line);
        EXPECT_PIXEL(*dc, 160, 119, line);
        EXPECT_PIXEL(*dc, 199, 119, cell);
    }
}

TEST(GridPaintPixels, JoinedCellsHaveNoLineBetween)
{
    ExampleGrid g;
    g->MergeCells(6, 2, 0, 1, 0);   // (6, 2) and (6, 3): x 120..279, y 120..139
    g->SetItemBkColor(6, 2, kGreen);
    g->MergeCells(6, 4, 2, 0, 0);   // rows 6..8 of column 4: x 280..359, y 120..179
    const auto dc = PaintToImage(*g);

    for (int y = 120; y < 139; ++y)
        EXPECT_PIXEL(*dc, 199, y, kGreen);
    // The bottom line passes under the joint; the covered cell shows the master's colour.
    EXPECT_PIXEL(*dc, 199, 139, Inverse(kGreen));
    EXPECT_PIXEL(*dc, 240, 130, kGreen);
    EXPECT_PIXEL(*dc, 199, 110, kBlack);
    EXPECT_PIXEL(*dc, 199, 150, kBlack);

    for (int x = 280; x < 359; ++x) {
        EXPECT_PIXEL(*dc, x, 139, kWhite);
        EXPECT_PIXEL(*dc, x, 159, kWhite);
    }
    EXPECT_PIXEL(*dc, 300, 179, kBlack);
    // The line between the two blocks runs on, inverting the pair's green.
    EXPECT_PIXEL(*dc, 279, 130, Inverse(kGreen));
    EXPECT_PIXEL(*dc, 279, 159, kBlack);
}

TEST(GridPaintPixels, BlockScrolledPartlyOutIsDrawnFromItsFirstVisibleRow)
{
    ExampleGrid g;
    g->MergeCells(3, 2, 5, 0, 0);   // rows 3..8 of column 2
    g->SetItemBkColor(3, 2, kRed);
    g.ScrollTo(0, 41);              // top row 6
    const auto dc = PaintToImage(*g);
    // Rows 6..8 are at y 60..119: the block fills them and ends at row 8's bottom line.
    EXPECT_PIXEL(*dc, 160, 60, kRed);
    EXPECT_PIXEL(*dc, 160, 119, Inverse(kRed));
    EXPECT_PIXEL(*dc, 160, 125, kWhite);
}

// The frame lies inside the cell and leaves its last column and row to the grid line.
TEST(GridPaintPixels, SelectionHighlightsFocusAndDropTargetAreFramed)
{
    const struct { UINT state; bool highlight, blackFrame; } cases[] = {
        {0, false, false}, {CELL_SELECTED, true, false},
        {CELL_SELECTED | CELL_FOCUSED, false, true},   // the focus keeps its own background inside a selection
        {CELL_DROPHILITED, false, true}, {CELL_SELECTED | CELL_DROPHILITED, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        ExampleGrid g;
        g->SetItemState(5, 2, c.state);
        const auto dc = PaintToImage(*g);
        const COLORREF background = c.highlight ? GetSysColor(COLOR_HIGHLIGHT) : kWhite;
        EXPECT_PIXEL(*dc, 160, 110, background);
        EXPECT_PIXEL(*dc, 121, 101, background);
        const COLORREF frame = c.blackFrame ? kBlack : background;
        EXPECT_PIXEL(*dc, 120, 100, frame);
        EXPECT_PIXEL(*dc, 198, 118, frame);
        EXPECT_PIXEL(*dc, 199, 110, Inverse(background));
    }
}

// Drawn on its own (with a context at hand), a cell gets its lines in the
// line colour rather than inverted.
TEST(GridPaintPixels, RedrawnCellShowsLinesInLineColour)
{
    ExampleGrid g;
    g->SetItemBkColor(5, 2, kRed);
    const auto dc = PaintToImage(*g);
    EXPECT_TRUE(g->RedrawCell(5, 2, dc.get()));
    EXPECT_PIXEL(*dc, 199, 110, RGB(192, 192, 192));
    EXPECT_PIXEL(*dc, 160, 119, RGB(192, 192, 192));
    EXPECT_PIXEL(*dc, 160, 110, kRed);
    // The neighbours are untouched.
    EXPECT_PIXEL(*dc, 160, 99, kBlack);
    EXPECT_PIXEL(*dc, 119, 110, kBlack);
}

// A cell's picture lies a margin into the cell (drawn on a painter's context
// only); its text starts a margin and a pixel past the picture.
TEST(GridPaintPixels, CellImageAtTheCornerTextPastIt)
{
    ExampleGrid g;
    GridImageList images;
    images.images.assign(2, QImage(16, 16, QImage::Format_RGB32));
    images.images[1].fill(Qt::red);
    images.imageWidth = images.imageHeight = 16;
    g->SetImageList(&images);
    FillCellTexts(*g);
    RecordingDC plain(RecorderDevice(*g));
    g->PaintCell(&plain, 5, 2, CellRect(*g, 5, 2), FALSE);
    g->SetItemImage(5, 2, 1);
    RecordingDC pictured(RecorderDevice(*g));
    g->PaintCell(&pictured, 5, 2, CellRect(*g, 5, 2), FALSE);
    EXPECT_EQ(pictured.CallsOf(DcCallKind::DrawText).at(0).rect.left - plain.CallsOf(DcCallKind::DrawText).at(0).rect.left,
              g->GetCellMargin() + 17);
    const auto dc = PaintToImage(*g);
    EXPECT_PIXEL(*dc, 124, 100, kRed);   // one margin into the cell
    EXPECT_PIXEL(*dc, 139, 115, kRed);
    EXPECT_PIXEL(*dc, 123, 108, kWhite);
    EXPECT_PIXEL(*dc, 140, 108, kWhite);
    g->SetImageList(nullptr);
}

}  // namespace
