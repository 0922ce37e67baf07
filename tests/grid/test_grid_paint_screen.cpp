// What the window really shows after scrolling and partial repaints: the
// pixels on screen (the window's backing store, where moved pixels and
// partial paints end up) must equal a fresh full paint of the same state.
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <functional>
#include <gtest/gtest.h>

#include "grid_test_paint_support.h"

namespace {

// The client area as the screen shows it now.
QImage ShownClient(CGridCtrl& grid)
{
    SettleEvents();
    QWidget* window = grid.window();
    const QPoint origin = grid.viewport()->mapTo(window, QPoint(0, 0));
    const QSize size = grid.viewport()->size();
    return grid.screen()
        ->grabWindow(window->winId(), origin.x(), origin.y(), size.width(), size.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void ExpectShownIsFullPaint(CGridCtrl& grid, const char* step)
{
    const QImage shown = ShownClient(grid);
    const auto expected = PaintToImage(grid);
    ASSERT_EQ(shown.size(), expected->Image().size()) << step;
    EXPECT_TRUE(shown == expected->Image()) << step;
}

TEST(GridPaintScreen, EveryScrollStepShowsWhatAFullPaintDraws)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetItemBkColor(9, 3, RGB(255, 0, 0));
    g->MergeCells(7, 2, 2, 1, 0);   // cut by the top row after two lines down
    g->MoveFocusTo(10, 4);
    g->viewport()->update();   // texts and colours set without a redraw
    ExpectShownIsFullPaint(*g, "start");
    const std::pair<const char*, std::function<void(CGridCtrl&)>> steps[] = {
        {"line down", [](CGridCtrl& c) { c.OnVScroll(SB_LINEDOWN); }},
        {"line down again", [](CGridCtrl& c) { c.OnVScroll(SB_LINEDOWN); }},
        {"line up", [](CGridCtrl& c) { c.OnVScroll(SB_LINEUP); }},
        {"page down", [](CGridCtrl& c) { c.OnVScroll(SB_PAGEDOWN); }},
        {"thumb", [](CGridCtrl& c) { c.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum); }},
        {"line right", [](CGridCtrl& c) { c.OnHScroll(SB_LINERIGHT); }},
        {"line right again", [](CGridCtrl& c) { c.OnHScroll(SB_LINERIGHT); }},
        {"line left", [](CGridCtrl& c) { c.OnHScroll(SB_LINELEFT); }},
        {"page right", [](CGridCtrl& c) { c.OnHScroll(SB_PAGERIGHT); }},
        {"both bars", [](CGridCtrl& c) { c.OnVScroll(SB_LINEDOWN); c.OnHScroll(SB_LINELEFT); }},
        {"bottom", [](CGridCtrl& c) { c.OnVScroll(SB_BOTTOM); }},
    };
    for (const auto& [name, step] : steps) {
        step(*g);
        ExpectShownIsFullPaint(*g, name);
    }
}

// A repaint of a region away from the corner goes through the paint buffer
// with the region's offset.
TEST(GridPaintScreen, PartialRepaintAwayFromTheCornerDrawsTheRightPixels)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->viewport()->update();
    ExpectShownIsFullPaint(*g, "start");
    for (const BOOL buffered : {TRUE, FALSE}) {
        g->SetBufferedPaint(buffered);
        g->SetItemText(6, 3, buffered ? "changed" : "again");
        g->SetItemBkColor(6, 3, buffered ? RGB(0, 0, 255) : RGB(0, 255, 0));
        RECT cell = CellRect(*g, 6, 3);
        g->viewport()->repaint(cell.left, cell.top, cell.Width() + 1, cell.Height() + 1);
        ExpectShownIsFullPaint(*g, buffered ? "buffered" : "direct");
    }
}

// Every member of a merged block draws the whole block, so a selection change
// of some members must repaint all of it.
TEST(GridPaintScreen, SelectionLeavingPartOfAMergedBlockRepaintsTheWholeBlock)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->MergeCells(6, 3, 2, 0, 0);   // rows 6..8 of column 3, as a record's per-record column
    g->viewport()->update();
    g->ApplySelectionRange(6, 2, 7, 4);
    ExpectShownIsFullPaint(*g, "block partly selected");
    g->ApplySelectionRange(10, 5, 10, 5);
    ExpectShownIsFullPaint(*g, "selection moved away");
}

}  // namespace
