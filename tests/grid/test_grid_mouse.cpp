// The mouse: divider hits, sizing rows and columns, double clicks, clicks that
// select cells, rows, columns or everything, header sorting in list mode,
// autoscroll while the pointer is below the cells, and the wheel.
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "case_names.h"
#include "grid/CellEditBox.h"
#include "grid_test_client.h"

namespace {
using case_names::PrintTo;

// Records edit starts instead of opening an editor, and sizes cells for
// fitting by a rule a test can read: row 7 is 100 + col wide, column 4 is 40 + row tall.
class MouseTestGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    struct EditStart {
        int row, col, key;
        friend bool operator==(const EditStart&, const EditStart&) = default;
    };
    std::vector<EditStart> edits;

    void BeginCellEdit(int row, int col, int key) override { edits.push_back({row, col, key}); }
    SIZE MeasureCell(int row, int col, CDC*) override { return SIZE{row == 7 ? 100 + col : 20, col == 4 ? 40 + row : 10}; }
    void SetWheelScrollLines(int lines) { wheelScrollLines = lines; }
    bool AutoScrollRunning() const { return autoScrollTimerId != 0; }
};

// Client 500 x 300, active; three fixed rows and rows - 3 data rows of 20 pixels
// (row r starts at y = 20 r); a fixed column of 40, then columns of 80 (column 1
// starts at x = 40, 2 at 120, 3 at 200). Header cells (0, 1)-(0, 2) are one
// block, and so are the fixed-column cells of rows 3 to 5.
struct MouseGrid : GridWindow {
    MouseTestGrid& g;
    QWidget* vp;

    explicit MouseGrid(int rows = 33)
        : GridWindow(new MouseTestGrid(rows, 13, 0, 0), 500, 300), g(static_cast<MouseTestGrid&>(*grid)),
          vp(grid->viewport())
    {
        g.MergeCells(0, 1, 0, 1, 0);
        g.MergeCells(3, 0, 2, 0, 0);
        g.SetFixedRows(3);
        g.SetFixedColumns(1);
        SetSizes(g, std::vector<int>(rows, 20), {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        SetClientSize(g, 500, 300);
        g.UpdateScrollRanges();
        parent->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(parent.get()));
    }

    static QPoint Center(int row, int col) { return QPoint(col == 0 ? 20 : 80 * col, 20 * row + 10); }
    // A press comes where the pointer hovers, so the pointer moves there first.
    void Press(QPoint p, Qt::KeyboardModifiers mods = {}) const
    {
        QMouseEvent move(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QTest::mousePress(vp, Qt::LeftButton, mods, p);
    }
    void DragTo(QPoint p) const { QTest::mouseMove(vp, p); }
    void Release(QPoint p) const { QTest::mouseRelease(vp, Qt::LeftButton, {}, p); }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) const 
    {
        Press(p, mods);
        Release(p);
    }
    void DoubleClick(QPoint p) const
    {
        Click(p);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, p);
        Release(p);
    }
    void Wheel(int delta) const
    {
        const QPoint p = Center(10, 2);
        QWheelEvent wheel(p, vp->mapToGlobal(p), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &wheel);
    }
    const SelectedCellSet& Selected() const { return g.Store().SelectedCells(); }
};

struct DividerCase {
    const char* name;
    int x, y;
    bool overColumnDivider, overRowDivider;
};
class GridMouseDividers : public testing::TestWithParam<DividerCase> {};

TEST_P(GridMouseDividers, OnlyVisibleBordersInTheHeadersCount)
{
    const DividerCase& c = GetParam();
    MouseGrid grid;
    EXPECT_EQ(grid.g.IsOverColumnDivider(POINT{c.x, c.y}) != FALSE, c.overColumnDivider);
    EXPECT_EQ(grid.g.IsOverRowDivider(POINT{c.x, c.y}) != FALSE, c.overRowDivider);
}

INSTANTIATE_TEST_SUITE_P(Points, GridMouseDividers,
    testing::Values(DividerCase{"column border 2 px to its left", 118, 30, true, false},
                    DividerCase{"column border 3 px to its right", 123, 30, true, false},
                    DividerCase{"4 px right of a column border", 124, 30, false, false},
                    DividerCase{"border inside a merged header block", 118, 10, false, false},
                    DividerCase{"outer border of a merged header block", 198, 10, true, false},
                    DividerCase{"left edge of column 0", 2, 30, false, false},
                    DividerCase{"column border below the header rows", 118, 70, false, false},
                    DividerCase{"top edge of row 0", 20, 1, false, false},
                    DividerCase{"row border 1 px above", 20, 19, false, true},
                    DividerCase{"border inside a merged record block", 20, 81, false, false},
                    DividerCase{"outer border of a merged record block", 20, 121, false, true},
                    DividerCase{"row border right of the fixed column", 50, 19, false, false}));

struct SizingCase {
    const char* name;
    QPoint press, release;
    bool column;
    int index, expectedSize;
};
class GridMouseSizing : public testing::TestWithParam<SizingCase> {};

TEST_P(GridMouseSizing, SizeIsTheDistanceFromTheOrigin)
{
    const SizingCase& c = GetParam();
    MouseGrid grid;
    grid.Press(c.press);
    EXPECT_EQ(grid.g.GetPointerMode(), c.column ? PointerMode::SizingColumn : PointerMode::SizingRow);
    grid.DragTo(c.release);
    grid.Release(c.release);
    EXPECT_EQ(c.column ? grid.g.GetColumnWidth(c.index) : grid.g.GetRowHeight(c.index), c.expectedSize);
    EXPECT_EQ(grid.g.GetFocusCell(), CellId(-1, -1)) << "a divider press is no click on a cell";
}

INSTANTIATE_TEST_SUITE_P(Drags, GridMouseSizing,
    testing::Values(SizingCase{"released where pressed: unchanged", {118, 30}, {118, 30}, true, 1, 80},
                    SizingCase{"dragged right", {118, 30}, {150, 30}, true, 1, 110},
                    SizingCase{"pressed right of the border: the column on its left", {122, 30}, {100, 30}, true, 1, 60},
                    SizingCase{"released on the column's left edge: width 0", {118, 30}, {40, 30}, true, 1, 0},
                    SizingCase{"released left of the column: held at its edge", {118, 30}, {5, 30}, true, 1, 0},
                    SizingCase{"released past the client area: held at its edge", {118, 30}, {700, 30}, true, 1, 459},
                    SizingCase{"row dragged down", {20, 19}, {20, 45}, false, 0, 45},
                    SizingCase{"pressed below a block's border: the row above", {20, 121}, {20, 150}, false, 5, 50}));

TEST(GridMouseSizingLine, InvertsTwoPixelColumnsAtThePointer)
{
    MouseGrid grid;
    const QImage before = grid.vp->grab().toImage();
    grid.Press({118, 30});
    grid.DragTo({150, 30});
    const QImage during = grid.vp->grab().toImage();
    for (const int x : {150, 151})
        EXPECT_EQ(during.pixel(x, 200) & 0xFFFFFF, ~before.pixel(x, 200) & 0xFFFFFF) << "x " << x;
    EXPECT_EQ(during.pixel(152, 200), before.pixel(152, 200));
    EXPECT_EQ(during.pixel(118, 200), before.pixel(118, 200)) << "the line left the press point";
    grid.Release({150, 30});
}

TEST(GridMouseDoubleClick, FitsTheColumnOrRowBeforeTheBorderOrEditsTheCell)
{
    MouseGrid grid;
    grid.DoubleClick({202, 30});   // just right of the border between columns 2 and 3
    EXPECT_EQ(grid.g.GetColumnWidth(2), 102);
    EXPECT_EQ(grid.g.GetColumnWidth(3), 80);
    grid.DoubleClick({20, 141});   // just below the border between rows 6 and 7
    EXPECT_EQ(grid.g.GetRowHeight(6), 46);
    EXPECT_EQ(grid.g.GetRowHeight(7), 20);
    EXPECT_TRUE(grid.g.edits.empty());
    grid.DoubleClick(MouseGrid::Center(5, 2));
    EXPECT_EQ(grid.g.edits, (std::vector<MouseTestGrid::EditStart>{{5, 2, VK_LBUTTON}}));
}

TEST(GridMouseClick, PressOnTheFocusCellEditsOnReleaseWithoutHoldingTheMouse)
{
    MouseGrid grid;
    QSignalSpy commands(grid.grid, &CGridCtrl::ownerCommand);
    const QPoint cell = MouseGrid::Center(5, 2);
    grid.Press(cell);
    EXPECT_TRUE(grid.g.AutoScrollRunning());
    grid.Release(cell);
    grid.Press(cell);
    EXPECT_EQ(grid.g.GetPointerMode(), PointerMode::PendingEdit);
    EXPECT_FALSE(grid.g.AutoScrollRunning());
    EXPECT_TRUE(grid.g.edits.empty()) << "editing waits for the release";
    grid.Release(cell);
    EXPECT_EQ(grid.g.edits, (std::vector<MouseTestGrid::EditStart>{{5, 2, VK_LBUTTON}}));
    SettleEvents();
    EXPECT_EQ(commands.count(), 2);
}

TEST(GridMouseClick, CtrlKeepsTheSelectionShiftExtendsItAPlainClickDropsIt)
{
    MouseGrid grid;
    grid.Click(MouseGrid::Center(4, 2));
    grid.Click(MouseGrid::Center(6, 3), Qt::ControlModifier);
    EXPECT_EQ(grid.Selected().size(), 2u);
    EXPECT_TRUE(grid.Selected().Contains(4, 2));
    grid.Click(MouseGrid::Center(8, 1));
    EXPECT_EQ(grid.Selected().size(), 1u);
    grid.Click(MouseGrid::Center(6, 3), Qt::ShiftModifier);
    EXPECT_EQ(grid.Selected().Bounds(), CellRange(6, 1, 8, 3));
    EXPECT_EQ(grid.Selected().size(), 9u);
}

TEST(GridMouseClick, WithDragDropAPressOnASelectedCellOfTheFocusedGridClearsOnRelease)
{
    MouseGrid grid;
    auto* other = new QLineEdit(grid.parent.get());
    other->move(0, 400);
    other->show();
    grid.g.EnableDragDrop(TRUE);
    grid.Click(MouseGrid::Center(4, 2));
    grid.Click(MouseGrid::Center(6, 3), Qt::ShiftModifier);
    other->setFocus();
    grid.Click(MouseGrid::Center(4, 2));
    EXPECT_EQ(grid.Selected().size(), 1u) << "the grid had no focus: an ordinary click";
    grid.Click(MouseGrid::Center(6, 3), Qt::ShiftModifier);
    grid.Click(MouseGrid::Center(4, 2));
    EXPECT_EQ(grid.Selected().size(), 0u);
}

struct SelectCase {
    const char* name;
    CellId press, dragTo;
    CellRange selected;
    CellId focus;
};
class GridMouseSelect : public testing::TestWithParam<SelectCase> {};

TEST_P(GridMouseSelect, PressAndDragSelect)
{
    const SelectCase& c = GetParam();
    MouseGrid grid;
    grid.Press(MouseGrid::Center(c.press.row, c.press.col));
    grid.DragTo(MouseGrid::Center(c.dragTo.row, c.dragTo.col));
    grid.Release(MouseGrid::Center(c.dragTo.row, c.dragTo.col));
    const CellRange& r = c.selected;
    EXPECT_EQ(grid.Selected().Bounds(), r);
    EXPECT_EQ(grid.Selected().size(), static_cast<std::size_t>((r.maxRow - r.minRow + 1) * (r.maxCol - r.minCol + 1)));
    EXPECT_EQ(grid.g.GetFocusCell(), c.focus);
}

INSTANTIATE_TEST_SUITE_P(Presses, GridMouseSelect,
    testing::Values(SelectCase{"cell block, focus follows", {4, 2}, {6, 4}, {4, 2, 6, 4}, {6, 4}},
                    SelectCase{"column header", {1, 3}, {1, 3}, {3, 3, 32, 3}, {3, 3}},
                    SelectCase{"column headers dragged over", {1, 3}, {2, 5}, {3, 3, 32, 5}, {3, 3}},
                    SelectCase{"row header", {10, 0}, {10, 0}, {10, 1, 10, 12}, {10, 1}},
                    SelectCase{"top-left corner", {1, 0}, {1, 0}, {3, 1, 32, 12}, {3, 1}}));

TEST(GridMouseListSort, HeaderClickSortsAscendingThenDescending)
{
    MouseGrid grid;
    grid.g.SetListMode(TRUE);
    for (int row = 3; row < 33; ++row)
        grid.g.SetItemText(row, 2, std::to_string(100 + (row * 7) % 30));
    const auto column = [&] {
        std::vector<std::string> texts;
        for (int row = 3; row < 33; ++row)
            texts.push_back(grid.g.GetItemText(row, 2));
        return texts;
    };
    ASSERT_FALSE(std::ranges::is_sorted(column()));
    grid.Click(MouseGrid::Center(1, 2));
    EXPECT_TRUE(std::ranges::is_sorted(column()));
    grid.Click(MouseGrid::Center(1, 2));
    EXPECT_TRUE(std::ranges::is_sorted(column(), std::greater<>()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
}

TEST(GridMouseAutoScroll, EachTickBelowTheCellsMovesTheFocusOneRowAndExtendsTheSelection)
{
    MouseGrid grid;
    grid.Press(MouseGrid::Center(5, 2));
    grid.DragTo({160, 350});   // below the client area, button held
    for (int tick = 0; tick < 3; ++tick)
        grid.g.OnTimer(CGridCtrl::AUTOSCROLL_TIMER_ID);
    EXPECT_EQ(grid.g.GetFocusCell(), CellId(8, 2));
    // Down to the row at the client area's bottom edge (y 300).
    EXPECT_EQ(grid.Selected().Bounds(), CellRange(5, 2, 15, 2));

    // The real timer goes on until the release.
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid.g.GetFocusCell().row >= 12; }, 2000));
    grid.Release({160, 350});
    EXPECT_FALSE(grid.g.AutoScrollRunning());
}

struct WheelCase {
    const char* name;
    int linesPerNotch;
    std::vector<int> deltas;
    int topRowAfter;
};
class GridMouseWheel : public testing::TestWithParam<WheelCase> {};

TEST_P(GridMouseWheel, NotchesScrollLinesOfThreeRowsOrPages)
{
    const WheelCase& c = GetParam();
    MouseGrid grid(303);
    grid.g.SetWheelScrollLines(c.linesPerNotch);
    for (const int delta : c.deltas)
        grid.Wheel(delta);
    EXPECT_EQ(grid.g.GetTopLeftScrollCell().row, 3) << "scrolling is posted, not done at once";
    SettleEvents();
    EXPECT_EQ(grid.g.GetTopLeftScrollCell().row, c.topRowAfter);
}

INSTANTIATE_TEST_SUITE_P(Deltas, GridMouseWheel,
    testing::Values(WheelCase{"one notch: three lines", 3, {-120}, 12},
                    WheelCase{"three notches", 3, {-120, -120, -120}, 30},
                    WheelCase{"one line per notch", 1, {-120}, 6},
                    WheelCase{"by pages: twelve rows", -1, {-120}, 15},
                    WheelCase{"touchpad steps add up to a notch", 3, std::vector<int>(8, -15), 12},
                    WheelCase{"touchpad remainder short of a line is kept", 3, std::vector<int>(7, -15), 9},
                    WheelCase{"turning back starts afresh", 3, {-120, -120, -60, 120}, 15}));

}  // namespace
