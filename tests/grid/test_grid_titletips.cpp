// Title tips: which cells get one, where it lies and what it shows, when none
// may appear, and what hides it while keys and clicks still reach the grid.
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QTest>
#include <string>

#include "grid/TitleTip.h"
#include "grid_test_example.h"
#include "platform/FontMapping.h"

namespace {

const std::string kLongName = "OLT-Central-Office-Rack-07-Shelf-3";

LOGFONT CellFont()
{
    LOGFONT font;
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    font.SetFaceName("DejaVu Sans");
    return font;
}

// The width of the text with a space on either side, as the tip shows it.
int Extent(const std::string& text, const LOGFONT& font)
{
    return QFontMetrics(QFontFromLogFont(font)).horizontalAdvance(QString::fromStdString(" " + text + " "));
}

// The example grid in an active window, holding the focus; rows 3 to 5 of
// column 2 are one block (a record's per-record column), (4, 1) has its own font.
struct TipGrid : ExampleGrid {
    QWidget* vp;
    TipGrid() : ExampleGrid([](CGridCtrl& g) { g.MergeCells(3, 2, 2, 0, 0); }), vp(grid->viewport())
    {
        grid->SetItemFont(4, 1, CellFont());
        EXPECT_TRUE(Activate());
        grid->setFocus();
        MoveTo(QPoint(490, 290));   // Qt drops a move to where the pointer is: start on an empty cell
    }
    bool TipShown() const { return grid->GetTitleTip() && grid->GetTitleTip()->IsShown(); }
    const TitleTip& Tip() const { return *grid->GetTitleTip(); }
    QRect TipAt(QPoint topLeft, int w, int h) const { return {vp->mapToGlobal(topLeft), QSize(w, h)}; }
};

// A heading in the focus cell's column is drawn heavier and inside its
// one-pixel edge: a heading clipped that way gets a tip in the drawn font,
// although its plain text would just fit the whole cell.
TEST(GridTitleTip, HeadingMeasuredAsItIsDrawn)
{
    TipGrid g;
    const std::string heading = "Wavelength";
    const LOGFONT plain = g->GetItemFont(0, 1);
    g->SetItemText(0, 1, heading);
    g->SetColumnWidth(1, Extent(heading, plain) + 1);
    g->MoveFocusTo(5, 1);
    g.MoveTo(QPoint(45, 10));
    ASSERT_TRUE(g.TipShown());
    LOGFONT drawn = plain;
    drawn.lfWeight = FOCUS_HEADER_WEIGHT;
    EXPECT_EQ(g.Tip().font(), QFontFromLogFont(drawn));
    EXPECT_EQ(g.Tip().geometry().topLeft(), g.vp->mapToGlobal(QPoint(41, 0))) << "inside the heading's edge";
    g->SetItemText(6, 1, heading);   // a scrolling cell of that column keeps its own font: it fits
    g.MoveTo(At(6, 1));
    EXPECT_FALSE(g.TipShown());
}

TEST(GridTitleTip, ShownOnlyWhenTheSpacedTextDoesNotFitAndThenLaidExactlyOverTheCell)
{
    const std::string number = "-12.3456789";
    const int extent = Extent(number, CellFont());
    for (const int width : {extent + 1, extent, extent / 2}) {
        TipGrid g;
        g->SetItemText(4, 1, number);
        g->SetColumnWidth(1, width);
        g.MoveTo(QPoint(45, 90));
        ASSERT_EQ(g.TipShown(), width <= extent) << "column width " << width;
        if (width > extent)
            continue;
        // As wide as the text, whatever the cell's width; one pixel less high than the row.
        EXPECT_EQ(g.Tip().geometry(), g.TipAt(QPoint(40, 80), extent, 19)) << width;
        EXPECT_TRUE(g.Tip().GetShownText().toStdString() == " " + number + " " && g.Tip().font() == QFontFromLogFont(CellFont()));
        // The trailing space shows the tooltip background inside the frame.
        const QImage picture = const_cast<TitleTip&>(g.Tip()).grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() / 2),
                  QApplication::palette().color(QPalette::ToolTipBase));
    }
}

TEST(GridTitleTip, OverAnyMemberOfAMergedBlockTheMastersTextCoversTheWholeBlock)
{
    TipGrid g;
    g->SetItemText(3, 2, kLongName);
    for (const int row : {3, 5}) {
        g.MoveTo(QPoint(300, 250));
        g.MoveTo(At(row, 2));
        ASSERT_TRUE(g.TipShown()) << "row " << row;
        EXPECT_EQ(g.Tip().GetShownText().toStdString(), " " + kLongName + " ");
        EXPECT_EQ(g.Tip().geometry(), g.TipAt(QPoint(120, 60), Extent(kLongName, g->GetItemFont(3, 2)), 59));
        EXPECT_TRUE(g.Tip().GetHoverRect() == (RECT{120, 60, 199, 119})) << "row " << row;
    }
}

TEST(GridTitleTip, NoTipOverADividerDuringADragSelectOrWithTipsOff)
{
    TipGrid g;
    g->SetItemText(1, 1, kLongName);   // a header cell: its right border at x 119 is a column divider
    g->SetItemText(4, 1, kLongName);
    g.MoveTo(QPoint(60, 30));
    ASSERT_TRUE(g.TipShown());
    g.MoveTo(QPoint(117, 30));
    EXPECT_EQ(g->GetPointerMode(), PointerMode::OverColumnDivider);
    EXPECT_FALSE(g.TipShown()) << "over the divider of the same cell";

    g.Press(At(6, 3));
    g.MoveTo(At(4, 1));
    EXPECT_EQ(g->GetPointerMode(), PointerMode::SelectingCells);
    EXPECT_FALSE(g.TipShown()) << "during a drag-select";
    g.Release(At(4, 1));

    TipGrid off;
    off->EnableTitleTips(FALSE);
    off->SetItemText(4, 1, kLongName);
    off.MoveTo(At(4, 1));
    EXPECT_EQ(off->GetTitleTip(), nullptr) << "tips off: no tip window at all";
}

TEST(GridTitleTip, LeavingTheCellAKeyAClickOrAScrollHidesItAndTheGridStillGetsKeyAndClick)
{
    const struct { const char* name; void (*act)(TipGrid&); CellId focusAfter; } cases[] = {
        {"pointer onto another cell", [](TipGrid& g) { g.MoveTo(At(4, 3)); }, CellId(6, 3)},
        {"pointer out of the client area",
         [](TipGrid& g) {
             QCursor::setPos(g.vp->mapToGlobal(QPoint(600, 100)));
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(g.vp, &leave);
         }, CellId(6, 3)},
        {"key", [](TipGrid& g) { g.Keys({Qt::Key_Down}); }, CellId(7, 3)},
        {"click", [](TipGrid& g) { g.Press(At(4, 1)); }, CellId(4, 1)},
        {"scroll", [](TipGrid& g) { g->OnVScroll(SB_LINEDOWN); }, CellId(6, 3)}};
    for (const auto& c : cases) {
        TipGrid g;
        g->SetFocusCell(6, 3);
        g->SetItemText(4, 1, kLongName);
        g.MoveTo(At(4, 1));
        ASSERT_TRUE(g.TipShown()) << c.name;
        c.act(g);
        EXPECT_TRUE(!g.TipShown() && g->GetFocusCell() == c.focusAfter && QApplication::focusWidget() == g.grid) << c.name;
    }
}

// The tip goes when no window of the application has the keyboard and for a
// key typed into an open editor. Its text is drawn black, not in the
// palette's tooltip text colour.
TEST(GridTitleTip, HiddenWithoutKeyboardOrByAnEditorKeyAndWrittenInBlack)
{
    const QPalette original = QApplication::palette();
    QPalette red = original;
    red.setColor(QPalette::ToolTipText, Qt::red);
    QApplication::setPalette(red);
    for (const bool editor : {false, true}) {
        SCOPED_TRACE(editor ? "key to an editor" : "no keyboard focus");
        TipGrid g;
        g->SetItemText(4, 1, kLongName);
        if (editor) {
            g->SetFocusCell(6, 3);
            g->BeginCellEdit(6, 3, 'x');
        }
        g.MoveTo(At(4, 1));
        ASSERT_TRUE(g.TipShown());
        const QImage picture = const_cast<TitleTip&>(g.Tip()).grab().toImage();
        int black = 0;
        for (int x = 2; x < picture.width() - 2; ++x)
            black += picture.pixelColor(x, picture.height() / 2) == Qt::black;
        EXPECT_GT(black, 0);
        editor ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y) : QApplication::focusWidget()->clearFocus();
        EXPECT_FALSE(g.TipShown());
    }
    QApplication::setPalette(original);
}

// After a click the tip stays away until the pointer leaves the cell; going
// straight on to another clipped cell puts the tip over that one.
TEST(GridTitleTip, AfterAClickTheTipStaysAwayUntilThePointerLeavesTheCellThenFollowsIt)
{
    TipGrid g;
    g->SetItemText(4, 1, kLongName);
    g->SetItemText(7, 1, "ONT-0042-Building-B-Floor-12");
    g.MoveTo(At(4, 1));
    g.Click(At(4, 1));
    g.MoveTo(At(4, 1) + QPoint(5, 2));
    EXPECT_FALSE(g.TipShown()) << "release and moves inside the clicked cell";
    g.MoveTo(At(4, 3));
    g.MoveTo(At(4, 1));
    EXPECT_TRUE(g.TipShown()) << "back into the cell";
    g.MoveTo(At(7, 1));
    ASSERT_TRUE(g.TipShown());
    EXPECT_TRUE(g.Tip().GetShownText() == " ONT-0042-Building-B-Floor-12 "
                && g.Tip().geometry().topLeft() == g.vp->mapToGlobal(QPoint(40, 140)));
}

}  // namespace
