// Title tips: which cells get one, where it lies and what it shows, when none
// may appear, and what hides it while keys and clicks still reach the grid.
#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <string>
#include <vector>

#include "grid/TitleTip.h"
#include "grid_test_client.h"
#include "platform/FontMapping.h"

namespace {

// Row r starts at y = 20 r; column 0 is 40 wide, columns 1 and 2 are 80 (x 40 and 120).
QPoint At(int row, int col) { return QPoint(col == 0 ? 20 : 80 * col, 20 * row + 10); }

const std::string kLongName = "OLT-Central-Office-Rack-07-Shelf-3";

LOGFONT CellFont()
{
    LOGFONT font;
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    font.SetFaceName("DejaVu Sans");
    return font;
}

int Extent(const std::string& text, const LOGFONT& font)
{
    return QFontMetrics(QFontFromLogFont(font)).horizontalAdvance(QString::fromStdString(" " + text + " "));
}

// Client 500 x 300 in an active window, the grid holding the focus; three fixed
// rows, one fixed column. Rows 3 to 5 of column 2 are one block (a record's
// per-record column); (4, 1) has its own font.
struct TipGrid : GridWindow {
    QWidget* vp;
    TipGrid() : GridWindow(new CGridCtrl(33, 13, 0, 0), 500, 300), vp(grid->viewport())
    {
        grid->MergeCells(3, 2, 2, 0, 0);
        grid->SetFixedRows(3);
        grid->SetFixedColumns(1);
        SetSizes(*grid, std::vector<int>(33, 20), {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        SetClientSize(*grid, 500, 300);
        grid->UpdateScrollRanges();
        grid->SetItemFont(4, 1, CellFont());
        parent->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(parent.get()));
        grid->setFocus();
        // Qt drops a move to where the pointer already is: start every grid
        // with the pointer on an empty cell, away from the cells tests visit.
        MoveTo(QPoint(490, 290));
    }
    void MoveTo(QPoint p) const { QTest::mouseMove(vp, p); }
    bool TipShown() const { return grid->GetTitleTip() && grid->GetTitleTip()->IsShown(); }
    const TitleTip& Tip() const { return *grid->GetTitleTip(); }
    // Shows the tip of a clipped (4, 1) and checks that it is up.
    void ShowTipAt41() const
    {
        grid->SetItemText(4, 1, kLongName);
        MoveTo(At(4, 1));
        ASSERT_TRUE(TipShown());
    }
};

TEST(GridTitleTip, ShownOnlyWhenTheSpacedTextDoesNotFitAndThenLaidExactlyOverTheCell)
{
    const std::string number = "-12.3456789";
    const int extent = Extent(number, CellFont());
    const struct { const char* name; int width; bool tip; } cases[] = {
        {"one pixel wider than the spaced text", extent + 1, false},
        {"as wide as the spaced text", extent, true},
        {"much narrower", extent / 2, true},
    };
    for (const auto& c : cases) {
        TipGrid g;
        g->SetItemText(4, 1, number);
        g->SetColumnWidth(1, c.width);
        g.MoveTo(QPoint(45, 90));
        ASSERT_EQ(g.TipShown(), c.tip) << c.name;
        if (!c.tip)
            continue;
        const TitleTip& tip = g.Tip();
        EXPECT_EQ(tip.geometry(), QRect(g.vp->mapToGlobal(QPoint(40, 80)), QSize(extent, 19))) << c.name;
        EXPECT_EQ(tip.GetShownText().toStdString(), " " + number + " ") << c.name;
        EXPECT_TRUE(tip.GetShownFont() == CellFont()) << c.name;
        EXPECT_EQ(tip.font(), QFontFromLogFont(CellFont())) << c.name;
        // The trailing space shows the tooltip background inside the frame.
        const QImage picture = const_cast<TitleTip&>(tip).grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() / 2),
                  QApplication::palette().color(QPalette::ToolTipBase)) << c.name;
    }
}

TEST(GridTitleTip, OverAnyMemberOfAMergedBlockTheMastersTextCoversTheWholeBlock)
{
    TipGrid g;
    g->SetItemText(3, 2, kLongName);
    for (const int row : {3, 5}) {
        g.MoveTo(QPoint(300, 250));
        ASSERT_FALSE(g.TipShown());
        g.MoveTo(At(row, 2));
        ASSERT_TRUE(g.TipShown()) << "row " << row;
        EXPECT_EQ(g.Tip().GetShownText().toStdString(), " " + kLongName + " ");
        const int extent = Extent(kLongName, g->GetItemFont(3, 2));
        EXPECT_EQ(g.Tip().geometry(), QRect(g.vp->mapToGlobal(QPoint(120, 60)), QSize(extent, 59)));
        EXPECT_TRUE(g.Tip().GetHoverRect() == (RECT{120, 60, 199, 119}));
    }
}

TEST(GridTitleTip, NoTipDuringADragSelectOverADividerOrWithTipsOff)
{
    TipGrid g;
    // (1, 1) is a header cell; its right border at x 119 is a column divider.
    g->SetItemText(1, 1, kLongName);
    g->SetItemText(4, 1, kLongName);

    g.MoveTo(QPoint(117, 30));
    EXPECT_EQ(g->GetPointerMode(), PointerMode::OverColumnDivider);
    EXPECT_FALSE(g.TipShown()) << "over a divider";
    g.MoveTo(QPoint(60, 30));
    EXPECT_TRUE(g.TipShown()) << "same header cell off the divider";
    g.MoveTo(QPoint(117, 30));
    EXPECT_FALSE(g.TipShown()) << "the divider hides a tip of its own cell";

    QTest::mousePress(g.vp, Qt::LeftButton, {}, At(6, 3));
    QTest::mouseMove(g.vp, At(4, 1));
    EXPECT_EQ(g->GetPointerMode(), PointerMode::SelectingCells);
    EXPECT_FALSE(g.TipShown()) << "during a drag-select";
    QTest::mouseRelease(g.vp, Qt::LeftButton, {}, At(4, 1));

    TipGrid off;
    off->EnableTitleTips(FALSE);
    off->SetItemText(4, 1, kLongName);
    off.MoveTo(At(4, 1));
    EXPECT_EQ(off->GetTitleTip(), nullptr) << "tips off: no tip window at all";
}

TEST(GridTitleTip, LeavingTheCellAKeyAClickOrAScrollHidesItAndTheGridStillGetsKeyAndClick)
{
    const struct {
        const char* name;
        void (*act)(TipGrid&);
        CellId focusAfter;   // the focus cell starts at (6, 3)
    } cases[] = {
        {"pointer onto another cell", [](TipGrid& g) { g.MoveTo(At(4, 3)); }, CellId(6, 3)},
        {"pointer out of the client area",
         [](TipGrid& g) { QEvent leave(QEvent::Leave); QApplication::sendEvent(g.vp, &leave); }, CellId(6, 3)},
        {"key", [](TipGrid& g) { QTest::keyClick(g.grid, Qt::Key_Down); }, CellId(7, 3)},
        {"click", [](TipGrid& g) { QTest::mousePress(g.vp, Qt::LeftButton, {}, At(4, 1)); }, CellId(4, 1)},
        {"scroll", [](TipGrid& g) { g->OnVScroll(SB_LINEDOWN); }, CellId(6, 3)},
    };
    for (const auto& c : cases) {
        TipGrid g;
        g->SetFocusCell(6, 3);
        g.ShowTipAt41();
        c.act(g);
        EXPECT_FALSE(g.TipShown()) << c.name;
        const CellId focus = g->GetFocusCell();
        EXPECT_TRUE(focus == c.focusAfter) << c.name << ": focus " << focus.row << "," << focus.col;
        EXPECT_EQ(QApplication::focusWidget(), g.grid) << c.name;
    }
}

TEST(GridTitleTip, AfterAClickTheTipStaysAwayUntilThePointerLeavesTheCellThenFollowsIt)
{
    TipGrid g;
    g.ShowTipAt41();
    QTest::mouseClick(g.vp, Qt::LeftButton, {}, At(4, 1));
    g.MoveTo(At(4, 1) + QPoint(5, 2));
    EXPECT_FALSE(g.TipShown()) << "release and moves inside the clicked cell";
    g.MoveTo(At(4, 3));
    g.MoveTo(At(4, 1));
    EXPECT_TRUE(g.TipShown()) << "back into the cell";

    // Straight on to another clipped cell: that cell's tip replaces this one.
    g->SetItemText(7, 1, "ONT-0042-Building-B-Floor-12");
    g.MoveTo(At(7, 1));
    ASSERT_TRUE(g.TipShown());
    EXPECT_EQ(g.Tip().GetShownText(), QStringLiteral(" ONT-0042-Building-B-Floor-12 "));
    EXPECT_EQ(g.Tip().geometry().topLeft(), g.vp->mapToGlobal(QPoint(40, 140)));
}

}  // namespace
