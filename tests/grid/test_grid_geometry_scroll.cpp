// Scrolling of the grid window on the grid of the worked example: the scroll
// codes, the user's actions on the QScrollBars, EnsureVisible and the scroll
// range updates.
#include <QScrollBar>
#include <gtest/gtest.h>

#include "grid_test_example.h"

namespace {

// On bar SB_VERT or SB_HORZ, `code` from position `start` leads to `position`
// and `first`, the top row or left column shown; the bar shows the position.
TEST(GridScrollCodes, MoveByThreeRowsOrOneColumnAndClamp)
{
    const struct { const char* name; int bar, start; UINT code; int position, first; } cases[] = {
        {"line down from the top", SB_VERT, 0, SB_LINEDOWN, 60, 6},
        {"wheel down is a line", SB_VERT, 0, GRID_SB_WHEELDOWN, 60, 6},
        {"wheel up is a line", SB_VERT, 60, GRID_SB_WHEELUP, 0, 3},
        {"line up while the first group shows", SB_VERT, 40, SB_LINEUP, 40, 3},
        {"line up from the bottom", SB_VERT, 421, SB_LINEUP, 361, 21},
        {"line down clamped at the end", SB_VERT, 420, SB_LINEDOWN, 421, 24},
        {"page down", SB_VERT, 0, SB_PAGEDOWN, 240, 15},
        {"page up", SB_VERT, 421, SB_PAGEUP, 181, 12},
        {"page up stops at zero", SB_VERT, 100, SB_PAGEUP, 0, 3},
        {"bottom clamped to the highest position", SB_VERT, 0, SB_BOTTOM, 421, 24},
        {"unknown code does nothing", SB_VERT, 60, 11, 60, 6},
        {"line right", SB_HORZ, 0, SB_LINERIGHT, 80, 2},
        {"line left inside a column", SB_HORZ, 50, SB_LINELEFT, 0, 1},
        {"line right at the end", SB_HORZ, 400, SB_LINERIGHT, 400, 6},
        {"page left to the first column", SB_HORZ, 400, SB_PAGELEFT, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool vert = c.bar == SB_VERT;
        ExampleGrid g;
        g->SetScrollPosition(c.bar, c.start);
        vert ? g->OnVScroll(c.code) : g->OnHScroll(c.code);
        const CellId topLeft = g->GetTopLeftScrollCell();
        EXPECT_EQ(std::pair(g->GetScrollPosition(c.bar), vert ? topLeft.row : topLeft.col), std::pair(c.position, c.first));
        EXPECT_EQ((vert ? g->verticalScrollBar() : g->horizontalScrollBar())->value(), c.position);
    }
}

TEST(GridScrollBarActions, ReachTheScrollHandlers)
{
    ExampleGrid g;
    QScrollBar* vbar = g->verticalScrollBar();
    using S = QAbstractSlider;   // an arrow step is three rows
    const std::pair<S::SliderAction, int> steps[] = {{S::SliderSingleStepAdd, 60}, {S::SliderPageStepAdd, 300},
        {S::SliderToMaximum, 421}, {S::SliderSingleStepSub, 361}, {S::SliderToMinimum, 0}};
    for (const auto& [action, position] : steps) {
        vbar->triggerAction(action);
        EXPECT_EQ(std::pair(g->GetScrollPosition(SB_VERT), vbar->value()), std::pair(position, position)) << action;
    }
    g->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 80) << "arrow = one column";

    // Dragging the thumb tracks the position and keeps it on release.
    vbar->setSliderDown(true);
    vbar->setSliderPosition(161);
    EXPECT_EQ(g->GetTopLeftScrollCell().row, 12);
    vbar->setSliderDown(false);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 161);
}

TEST(GridEnsureVisible, ScrollsTheCellIntoViewAndBack)
{
    ExampleGrid g;
    // Row 14 ends on the client bottom; column 6 is cut off at the right: one more step.
    g->EnsureVisible(14, 6);
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(3, 2));
    g->EnsureVisible(30, 12);
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(24, 6));
    // Line steps of 60 from 421 end at position 1, which already shows row 3.
    g->EnsureVisible(4, 1);
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(3, 1));
    EXPECT_EQ(std::pair(g->GetScrollPosition(SB_VERT), g->GetScrollPosition(SB_HORZ)), std::pair(1, 0));
}

TEST(GridScrollRanges, ClientSizeAndRowChangesRecomputeTheRange)
{
    ExampleGrid g;
    SetClientSize(*g, 500, 400);   // page 340: highest position 660 - 339
    g.ScrollTo(80, 100000);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 321);
    g.ScrollTo(80, 120);
    g->SetRowHeight(10, 40);
    g->UpdateVertScrollRange();
    EXPECT_EQ(g->GetVertScrollLimit(), 680);
    EXPECT_EQ(std::pair(g->GetScrollPosition(SB_VERT), g->GetScrollPosition(SB_HORZ)), std::pair(120, 80));

    SetClientSize(*g, 500, 50);   // shorter than the fixed rows: the ranges stay
    g->UpdateScrollRanges();
    EXPECT_EQ(std::pair(g->GetVertScrollLimit(), g->GetHorzScrollLimit()), std::pair(680, 859));
    SetClientSize(*g, 30, 300);   // narrower than the fixed column
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 680);

    SetClientSize(*g, 500, 300);
    g->SetDrawingEnabled(FALSE);
    g->SetRowCount(100);
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 680) << "nothing changes while drawing is off";
    g->SetDrawingEnabled(TRUE);
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 680 + 67 * g->GetDefaultRowHeight());

    // Count changes refresh the ranges by themselves.
    g->SetRowCount(50);
    EXPECT_EQ(g->GetVertScrollLimit(), 680 + 17 * g->GetDefaultRowHeight());
    g->SetColumnCount(10);
    EXPECT_EQ(g->GetHorzScrollLimit(), 859 - 65 - 65 - 70);
}

}  // namespace
