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

// After each step (scrolls, a repaint of a region away from the corner
// through the paint buffer or not, a selection leaving part of a merged block,
// whose members each draw the whole block) the screen shows a full paint.
TEST(GridPaintScreen, EveryStepShowsWhatAFullPaintDraws)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetItemBkColor(9, 3, RGB(255, 0, 0));
    g->MergeCells(7, 2, 2, 1, 0);   // cut by the top row after two lines down
    g->MergeCells(12, 3, 2, 0, 0);  // rows 12..14 of column 3, as a record's per-record column
    g->MoveFocusTo(10, 4);
    g->viewport()->update();   // texts and colours set without a redraw
    ExpectShownIsFullPaint(*g, "start");
    const auto repaintCell = [](CGridCtrl& c, BOOL buffered, COLORREF color) {
        c.SetBufferedPaint(buffered);
        c.SetItemText(6, 3, "changed");
        c.SetItemBkColor(6, 3, color);
        RECT cell;
        c.GetCellRect(6, 3, &cell);
        c.viewport()->repaint(cell.left, cell.top, cell.Width() + 1, cell.Height() + 1);
    };
    const std::pair<const char*, std::function<void(CGridCtrl&)>> steps[] = {
        {"buffered repaint", [&](CGridCtrl& c) { repaintCell(c, TRUE, RGB(0, 0, 255)); }},
        {"direct repaint", [&](CGridCtrl& c) { repaintCell(c, FALSE, RGB(0, 255, 0)); }},
        {"block partly selected", [](CGridCtrl& c) { c.SetBufferedPaint(TRUE); c.ApplySelectionRange(12, 2, 13, 4); }},
        {"selection moved away", [](CGridCtrl& c) { c.ApplySelectionRange(10, 5, 10, 5); }},
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

}  // namespace
