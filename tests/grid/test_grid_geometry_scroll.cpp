// Scrolling of the grid window on the grid of the worked example: the scroll
// codes, the user's actions on the QScrollBars, EnsureVisible and the scroll
// range updates.
#include <QScrollBar>
#include <gtest/gtest.h>

#include "grid_test_example.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

// On bar SB_VERT or SB_HORZ, `code` from position `start` leads to `position`
// and `first`, the top row or left column shown.
struct ScrollCase { const char* name; int bar, start; UINT code; int position, first; };

class GridScrollCodes : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(GridScrollCodes, MoveByThreeRowsOrOneColumnAndClamp)
{
    const ScrollCase& c = GetParam();
    const bool vert = c.bar == SB_VERT;
    ExampleGrid g;
    g->SetScrollPosition(c.bar, c.start);
    ASSERT_EQ(g->GetScrollPosition(c.bar), c.start);
    vert ? g->OnVScroll(c.code) : g->OnHScroll(c.code);
    EXPECT_EQ(g->GetScrollPosition(c.bar), c.position);
    const CellId topLeft = g->GetTopLeftScrollCell();
    EXPECT_EQ(vert ? topLeft.row : topLeft.col, c.first);
    EXPECT_EQ((vert ? g->verticalScrollBar() : g->horizontalScrollBar())->value(), c.position)
        << "the bar shows the handler's position";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GridScrollCodes,
    ::testing::Values(ScrollCase{"LineDownFromTop", SB_VERT, 0, SB_LINEDOWN, 60, 6},
                      ScrollCase{"WheelDownIsALine", SB_VERT, 0, GRID_SB_WHEELDOWN, 60, 6},
                      ScrollCase{"WheelUpIsALine", SB_VERT, 60, GRID_SB_WHEELUP, 0, 3},
                      ScrollCase{"LineUpWhileFirstGroupShown", SB_VERT, 40, SB_LINEUP, 40, 3},
                      ScrollCase{"LineUpFromBottom", SB_VERT, 421, SB_LINEUP, 361, 21},
                      ScrollCase{"LineDownClampedAtEnd", SB_VERT, 420, SB_LINEDOWN, 421, 24},
                      ScrollCase{"PageDown", SB_VERT, 0, SB_PAGEDOWN, 240, 15},
                      ScrollCase{"PageUp", SB_VERT, 421, SB_PAGEUP, 181, 12},
                      ScrollCase{"PageUpStopsAtZero", SB_VERT, 100, SB_PAGEUP, 0, 3},
                      ScrollCase{"BottomClampedToHighestPosition", SB_VERT, 0, SB_BOTTOM, 421, 24},
                      ScrollCase{"UnknownCodeDoesNothing", SB_VERT, 60, 11, 60, 6},
                      ScrollCase{"LineRight", SB_HORZ, 0, SB_LINERIGHT, 80, 2},
                      ScrollCase{"LineLeftInsideAColumn", SB_HORZ, 50, SB_LINELEFT, 0, 1},
                      ScrollCase{"LineRightAtEnd", SB_HORZ, 400, SB_LINERIGHT, 400, 6},
                      ScrollCase{"PageLeftToFirstColumn", SB_HORZ, 400, SB_PAGELEFT, 0, 1}), case_names::ByName);

TEST(GridScrollBarActions, ReachTheScrollHandlers)
{
    ExampleGrid g;
    QScrollBar* vbar = g->verticalScrollBar();
    using S = QAbstractSlider;   // an arrow step is three rows
    const std::pair<S::SliderAction, int> steps[] = {{S::SliderSingleStepAdd, 60}, {S::SliderPageStepAdd, 300},
        {S::SliderToMaximum, 421}, {S::SliderSingleStepSub, 361}, {S::SliderToMinimum, 0}};
    for (const auto& [action, position] : steps) {
        vbar->triggerAction(action);
        EXPECT_EQ(g->GetScrollPosition(SB_VERT), position) << "action " << action;
        EXPECT_EQ(vbar->value(), position);
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
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 1);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 0);
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
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 120);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 80);

    SetClientSize(*g, 500, 50);   // shorter than the fixed rows: the ranges stay
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 680);
    EXPECT_EQ(g->GetHorzScrollLimit(), 859);
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
