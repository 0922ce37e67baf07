// Scrolling of the grid window: the vertical and horizontal scroll codes,
// the user's actions on the QScrollBars, EnsureVisible and the guards of the
// scroll range update, on the grid of the worked example.
#include <QEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "grid_test_example.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

struct ScrollCase {
    const char* name;
    int start;       // position before the code
    UINT code;
    int position;    // position after
    int first;       // top row (vertical) or left column (horizontal) after
};

class GridVScrollCodes : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(GridVScrollCodes, MovesByGroupsOfThreeRowsAndClamps)
{
    const ScrollCase& c = GetParam();
    ExampleGrid g;
    g.ScrollTo(0, c.start);
    ASSERT_EQ(g->GetScrollPosition(SB_VERT), c.start);
    g->OnVScroll(c.code);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), c.position);
    EXPECT_EQ(g->GetTopLeftScrollCell().row, c.first);
    EXPECT_EQ(g->verticalScrollBar()->value(), c.position) << "the bar shows the handler's position";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GridVScrollCodes,
    ::testing::Values(ScrollCase{"LineDownFromTop", 0, SB_LINEDOWN, 60, 6},
                      ScrollCase{"WheelDownIsALine", 0, GRID_SB_WHEELDOWN, 60, 6},
                      ScrollCase{"LineUp", 60, SB_LINEUP, 0, 3},
                      ScrollCase{"WheelUpIsALine", 60, GRID_SB_WHEELUP, 0, 3},
                      ScrollCase{"LineUpAtTop", 0, SB_LINEUP, 0, 3},
                      ScrollCase{"LineUpWhileFirstGroupShown", 40, SB_LINEUP, 40, 3},
                      ScrollCase{"LineUpFromBottom", 421, SB_LINEUP, 361, 21},
                      ScrollCase{"LineDownClampedAtEnd", 420, SB_LINEDOWN, 421, 24},
                      ScrollCase{"PageDown", 0, SB_PAGEDOWN, 240, 15},
                      ScrollCase{"PageUp", 421, SB_PAGEUP, 181, 12},
                      ScrollCase{"PageUpStopsAtZero", 100, SB_PAGEUP, 0, 3},
                      ScrollCase{"Top", 200, SB_TOP, 0, 3},
                      ScrollCase{"BottomClampedToHighestPosition", 0, SB_BOTTOM, 421, 24},
                      ScrollCase{"EndScrollDoesNothing", 60, SB_ENDSCROLL, 60, 6},
                      ScrollCase{"UnknownCodeDoesNothing", 60, 11, 60, 6}),
    [](const auto& info) { return std::string(info.param.name); });

class GridHScrollCodes : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(GridHScrollCodes, MovesByColumnsAndClamps)
{
    const ScrollCase& c = GetParam();
    ExampleGrid g;
    g.ScrollTo(c.start, 0);
    ASSERT_EQ(g->GetScrollPosition(SB_HORZ), c.start);
    g->OnHScroll(c.code);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), c.position);
    EXPECT_EQ(g->GetTopLeftScrollCell().col, c.first);
    EXPECT_EQ(g->horizontalScrollBar()->value(), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GridHScrollCodes,
    ::testing::Values(ScrollCase{"LineRight", 0, SB_LINERIGHT, 80, 2},
                      ScrollCase{"LineLeft", 80, SB_LINELEFT, 0, 1},
                      ScrollCase{"LineLeftInsideAColumn", 50, SB_LINELEFT, 0, 1},
                      ScrollCase{"LineLeftAtFirstColumn", 0, SB_LINELEFT, 0, 1},
                      ScrollCase{"LineRightAtEnd", 400, SB_LINERIGHT, 400, 6},
                      ScrollCase{"PageRightClamped", 0, SB_PAGERIGHT, 400, 6},
                      ScrollCase{"PageLeft", 400, SB_PAGELEFT, 0, 1},
                      ScrollCase{"Right", 0, SB_RIGHT, 400, 6},
                      ScrollCase{"Left", 400, SB_LEFT, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridScrollBarActions, ReachTheScrollHandlers)
{
    ExampleGrid g;
    QScrollBar* vbar = g->verticalScrollBar();
    vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 60) << "arrow = three rows";
    vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 300);
    vbar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 421);
    vbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 361);
    vbar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 0);
    EXPECT_EQ(vbar->value(), 0);

    QScrollBar* hbar = g->horizontalScrollBar();
    hbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 80) << "arrow = one column";
    EXPECT_EQ(hbar->value(), 80);
}

TEST(GridScrollBarActions, ThumbDragTracksAndStays)
{
    ExampleGrid g;
    QScrollBar* vbar = g->verticalScrollBar();
    vbar->setSliderDown(true);
    vbar->setSliderPosition(100);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 100);
    EXPECT_EQ(g->GetTopLeftScrollCell().row, 6);
    vbar->setSliderPosition(161);
    EXPECT_EQ(g->GetTopLeftScrollCell().row, 12);
    vbar->setSliderDown(false);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 161);
    EXPECT_EQ(vbar->value(), 161);
}

// Counts the paint events of the grid's client area.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Paint events reach only an exposed window, and on a real display the
// exposure comes when the server says so: wait for it, and for the repaint.
TEST(GridScrollBarActions, ThumbTrackRepaintsOnlyWhenTheTopGroupChanges)
{
    ExampleGrid g;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(g.parent.get()));
    PaintCounter counter;
    g->viewport()->installEventFilter(&counter);
    SettleEvents();
    counter.paints = 0;

    g->verticalScrollBar()->setSliderDown(true);
    g->verticalScrollBar()->setSliderPosition(30);   // still rows 3..5 at the top
    SettleEvents();
    EXPECT_EQ(counter.paints, 0);
    g->verticalScrollBar()->setSliderPosition(41);   // rows 6..8 at the top
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints >= 1; }, 5000));
    g->verticalScrollBar()->setSliderDown(false);
    g->viewport()->removeEventFilter(&counter);
}

TEST(GridEnsureVisible, ScrollsTheCellIntoViewAndBack)
{
    ExampleGrid g;
    g->EnsureVisible(30, 12);
    RECT rect;
    ASSERT_TRUE(g->GetCellRect(30, 12, &rect));
    EXPECT_LE(rect.right, 499);
    EXPECT_LE(rect.bottom, 299);
    EXPECT_TRUE(g->IsCellVisible(30, 12));
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(24, 6));

    // Line steps of 60 from 421 end at position 1, which already shows row 3.
    g->EnsureVisible(4, 1);
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(3, 1));
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 1);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 0);
}

TEST(GridEnsureVisible, PartlyShownCellGetsOneMoreStep)
{
    ExampleGrid g;
    // Row 14 ends on the client bottom; column 6 is cut off at the right.
    g->EnsureVisible(14, 6);
    EXPECT_EQ(g->GetTopLeftScrollCell(), CellId(3, 2));
    RECT rect;
    ASSERT_TRUE(g->GetCellRect(14, 6, &rect));
    EXPECT_LE(rect.right, 499);
}

TEST(GridScrollRanges, BarsGoWhenTheRowsFit)
{
    GridWindow g(new CGridCtrl(5, 3, 1, 1), 300, 300);
    SetSizes(*g, std::vector<int>(5, 100), {40, 50, 50});
    g->UpdateScrollRanges();
    SettleEvents();
    ASSERT_TRUE(g->verticalScrollBar()->isVisible());
    SetSizes(*g, std::vector<int>(5, 20), {40, 50, 50});
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 0);
    EXPECT_EQ(g->GetHorzScrollLimit(), 0);
    SettleEvents();
    EXPECT_FALSE(g->verticalScrollBar()->isVisible());
}

TEST(GridScrollRanges, ClientSmallerThanFixedStripsKeepsTheBars)
{
    ExampleGrid g;
    SetClientSize(*g, 500, 50);   // shorter than the fixed rows
    g->SetRowCount(60);
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 660);
    EXPECT_EQ(g->GetHorzScrollLimit(), 859);

    SetClientSize(*g, 30, 300);   // narrower than the fixed column
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 660);
}

TEST(GridScrollRanges, ResizingTheClientRecomputesThePage)
{
    ExampleGrid g;
    SetClientSize(*g, 500, 400);   // page 340: highest position 660 - 339
    g.ScrollTo(0, 100000);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 321);
}

TEST(GridScrollRanges, RowResizeKeepsBothPositions)
{
    ExampleGrid g;
    g.ScrollTo(80, 120);
    g->SetRowHeight(10, 40);
    g->UpdateVertScrollRange();
    EXPECT_EQ(g->GetVertScrollLimit(), 680);
    EXPECT_EQ(g->GetScrollPosition(SB_VERT), 120);
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 80);
}

TEST(GridScrollRanges, NothingChangesWhileDrawingIsOff)
{
    ExampleGrid g;
    g->SetDrawingEnabled(FALSE);
    g->SetRowCount(100);
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 660);
    g->SetDrawingEnabled(TRUE);
    g->UpdateScrollRanges();
    EXPECT_EQ(g->GetVertScrollLimit(), 660 + 67 * g->GetDefaultRowHeight());
}

}  // namespace
