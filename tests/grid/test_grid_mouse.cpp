// The mouse: divider hits, sizing, double clicks, clicks and drags that select, header
// sorting in list mode, autoscroll while the pointer is below the cells, and the wheel.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "grid_test_example.h"

namespace {

using Edits = std::vector<std::array<int, 3>>;   // row, column and key of each edit start

// Records edit starts instead of opening an editor, and sizes cells for
// fitting by a rule a test can read: row 7 is 100 + col wide, column 4 is 40 + row tall.
class MouseTestGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    Edits edits;
    void BeginCellEdit(int row, int col, int key) override { edits.push_back({row, col, key}); }
    SIZE MeasureCell(int row, int col, CDC*) override { return SIZE{row == 7 ? 100 + col : 20, col == 4 ? 40 + row : 10}; }
    void SetWheelScrollLines(int lines) { wheelScrollLines = lines; }
    bool AutoScrollRunning() const { return autoScrollTimerId != 0; }
};

// The example grid (of `rows` rows), active. Header cells (0, 1)-(0, 2) are
// one block, and so are the fixed-column cells of rows 3 to 5.
struct MouseGrid : ExampleGrid {
    MouseTestGrid& g;
    QWidget* vp;
    explicit MouseGrid(int rows = kRows)
        : ExampleGrid([](CGridCtrl& c) { c.MergeCells(0, 1, 0, 1, 0); c.MergeCells(3, 0, 2, 0, 0); },
                      new MouseTestGrid(rows, kCols, 0, 0)),
          g(static_cast<MouseTestGrid&>(*grid)), vp(grid->viewport())
    {
        EXPECT_TRUE(Activate());
    }
    void DoubleClick(QPoint p) const { Click(p); QTest::mouseDClick(vp, Qt::LeftButton, {}, p); Release(p); }
    const SelectedCellSet& Selected() const { return g.Store().SelectedCells(); }
};

// The presses of the sizing test pin more hits: x 118 and 122, y 19 and 121.
TEST(GridMouseDividers, DrawnHeaderBordersAndMasterEdgesCountAndADoubleClickFitsTheColumnOrRowBefore)
{
    const struct { const char* name; int x, y; bool column, row; } cases[] = {
        {"column border 3 px to its right", 123, 30, true, false},
        {"4 px right of a column border", 124, 30, false, false},
        {"master's own right edge inside a header block", 118, 10, true, false},
        {"outer border of a merged header block", 198, 10, true, false},
        {"left edge of column 0", 2, 30, false, false},
        {"column border below the header rows", 118, 70, false, false},
        {"top edge of row 0", 20, 1, false, false},
        {"master's own bottom edge inside a record block", 20, 81, false, true},
        {"border between covered cells of a record block", 20, 101, false, false},
        {"row border right of the fixed column", 50, 19, false, false}};
    MouseGrid grid;
    for (const auto& c : cases) {
        EXPECT_EQ(std::pair(grid.g.IsOverColumnDivider(POINT{c.x, c.y}) != FALSE, grid.g.IsOverRowDivider(POINT{c.x, c.y}) != FALSE),
                  std::pair(c.column, c.row)) << c.name;
    }
    grid.DoubleClick({202, 30});   // just right of the border between columns 2 and 3
    grid.DoubleClick({20, 141});   // just below the border between rows 6 and 7
    EXPECT_EQ(std::tuple(grid.g.GetColumnWidth(2), grid.g.GetColumnWidth(3), grid.g.GetRowHeight(6), grid.g.GetRowHeight(7)),
              std::tuple(102, 80, 46, 20));
    EXPECT_TRUE(grid.g.edits.empty());
    grid.DoubleClick(At(5, 2));
    EXPECT_EQ(grid.g.edits, (Edits{{5, 2, VK_LBUTTON}})) << "a double click on a cell edits it";
}

TEST(GridMouseSizing, SizeIsTheDistanceFromTheLeftOrTopEdgeAndALineFollowsThePointer)
{
    const struct { const char* name; QPoint press, release; bool column; int index, size; } cases[] = {
        {"released where pressed: unchanged", {118, 30}, {118, 30}, true, 1, 80},
        {"pressed right of the border: the column on its left", {122, 30}, {100, 30}, true, 1, 60},
        {"released on the column's left edge: width 0", {118, 30}, {40, 30}, true, 1, 0},
        {"released left of the column: held at its edge", {118, 30}, {5, 30}, true, 1, 0},
        {"released past the client area: held at its edge", {118, 30}, {700, 30}, true, 1, 459},
        {"row dragged down", {20, 19}, {20, 45}, false, 0, 45},
        {"pressed below a block's border: the row above", {20, 121}, {20, 150}, false, 5, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseGrid grid;
        grid.Press(c.press);
        grid.MoveTo(c.release);
        grid.Release(c.release);
        EXPECT_EQ(c.column ? grid.g.GetColumnWidth(c.index) : grid.g.GetRowHeight(c.index), c.size);
        EXPECT_EQ(grid.g.GetFocusCell(), CellId(-1, -1)) << "a divider press is no click on a cell";
    }
    // While sizing, two pixel columns at the pointer are inverted.
    MouseGrid grid;
    const QImage before = grid.vp->grab().toImage();
    grid.Press({118, 30});
    grid.MoveTo({150, 30});
    EXPECT_EQ(grid.vp->cursor().shape(), Qt::SizeHorCursor) << "the sizing cursor stays for the whole drag";
    const QImage during = grid.vp->grab().toImage();
    for (const int x : {150, 151})
        EXPECT_EQ(during.pixel(x, 200) & 0xFFFFFF, ~before.pixel(x, 200) & 0xFFFFFF) << "x " << x;
    EXPECT_EQ(during.pixel(152, 200), before.pixel(152, 200));
    EXPECT_EQ(during.pixel(118, 200), before.pixel(118, 200)) << "the line left the press point";
    grid.Release({150, 30});
}

// One grid, step after step: each press, drag and release (with the modifiers) and the selection after it.
TEST(GridMouseClick, PressesSelectCellsColumnsRowsOrAllAndHeaderClicksSortInListMode)
{
    const struct { const char* name; CellId press, dragTo; Qt::KeyboardModifiers mods; CellRange bounds;
                   std::size_t size; CellId focus; } steps[] = {
        {"cell block, focus follows", {4, 2}, {6, 4}, {}, {4, 2, 6, 4}, 9, {6, 4}},
        {"Ctrl keeps the selection", {8, 3}, {8, 3}, Qt::ControlModifier, {4, 2, 8, 4}, 10, {8, 3}},
        {"a plain click drops it", {8, 1}, {8, 1}, {}, {8, 1, 8, 1}, 1, {8, 1}},
        {"Shift extends it from the focus", {6, 3}, {6, 3}, Qt::ShiftModifier, {6, 1, 8, 3}, 9, {6, 3}},
        {"column header", {1, 3}, {1, 3}, {}, {3, 3, 32, 3}, 30, {3, 3}},
        {"column headers dragged over", {1, 3}, {2, 5}, {}, {3, 3, 32, 5}, 90, {3, 3}},
        {"row header", {10, 0}, {10, 0}, {}, {10, 1, 10, 12}, 12, {10, 1}},
        {"top-left corner", {1, 0}, {1, 0}, {}, {3, 1, 32, 12}, 360, {3, 1}}};
    MouseGrid grid;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        grid.Press(At(s.press), s.mods);
        grid.MoveTo(At(s.dragTo));
        grid.Release(At(s.dragTo));
        EXPECT_EQ(std::tuple(grid.Selected().Bounds(), grid.Selected().size(), grid.g.GetFocusCell()),
                  std::tuple(s.bounds, s.size, s.focus));
    }
    // With drag and drop a press on a selected cell of the focused grid clears the selection on release.
    grid.g.EnableDragDrop(TRUE);
    grid.g.clearFocus();
    grid.Click(At(7, 2));
    EXPECT_EQ(grid.Selected().size(), 1u) << "the grid had no focus: an ordinary click";
    grid.Click(At(8, 3), Qt::ShiftModifier);
    grid.Click(At(8, 2));
    EXPECT_EQ(grid.Selected().size(), 0u);
    // In list mode a column header click sorts the records by it, again reverses them.
    grid.g.SetListMode(TRUE);
    for (int row = 3; row < 33; ++row)
        grid.g.SetItemText(row, 2, std::to_string(100 + (row * 7) % 30));
    std::vector<std::string> texts(30);
    for (const bool ascending : {true, false}) {
        grid.Click(At(1, 2));
        for (int row = 3; row < 33; ++row)
            texts[static_cast<std::size_t>(row - 3)] = grid.g.GetItemText(row, 2);
        EXPECT_TRUE(ascending ? std::is_sorted(texts.begin(), texts.end()) : std::is_sorted(texts.rbegin(), texts.rend()));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
}

TEST(GridMouseHold, APressOnTheFocusCellEditsOnReleaseAnyOtherAutoscrollsUntilRelease)
{
    MouseGrid grid;
    QSignalSpy commands(grid.grid, &CGridCtrl::ownerCommand);
    grid.Click(At(5, 2));
    grid.Press(At(5, 2));
    EXPECT_FALSE(grid.g.AutoScrollRunning()) << "a press on the focus cell holds no mouse";
    EXPECT_TRUE(grid.g.edits.empty()) << "editing waits for the release";
    grid.Release(At(5, 2));
    EXPECT_EQ(grid.g.edits, (Edits{{5, 2, VK_LBUTTON}}));
    SettleEvents();
    EXPECT_EQ(commands.count(), 2);
    grid.Press(At(6, 2));
    grid.MoveTo({160, 350});   // below the client area, button held
    for (int tick = 0; tick < 3; ++tick)
        grid.g.OnTimer(CGridCtrl::AUTOSCROLL_TIMER_ID);
    EXPECT_EQ(grid.g.GetFocusCell(), CellId(9, 2)) << "one row per tick";
    EXPECT_EQ(grid.Selected().Bounds(), CellRange(6, 2, 15, 2)) << "down to the row at the client's bottom edge";
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid.g.GetFocusCell().row >= 12; }, 2000)) << "the timer ticks";
    grid.Release({160, 350});
    EXPECT_FALSE(grid.g.AutoScrollRunning());
    // A popup or another window taking over in the middle of the drag stops it at once.
    for (const Qt::WindowType kind : {Qt::Popup, Qt::Window}) {
        SCOPED_TRACE(kind == Qt::Popup ? "popup" : "another window");
        ASSERT_TRUE(grid.Activate());
        grid.Press(At(6, kind == Qt::Popup ? 3 : 4));   // not the focus cell: that press would edit
        grid.MoveTo({160, 350});
        ASSERT_TRUE(grid.g.AutoScrollRunning());
        QWidget other(nullptr, kind);
        other.show();
        other.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !grid.g.AutoScrollRunning(); }, 1000));
        grid.Release({160, 350});
    }
}

TEST(GridMouseWheel, NotchesScrollLinesOfThreeRowsOrPagesAndArePosted)
{
    const struct { const char* name; int linesPerNotch; std::vector<int> deltas; int topRowAfter; } cases[] = {
        {"one notch: three lines", 3, {-120}, 12},
        {"one line per notch", 1, {-120}, 6},
        {"by pages: twelve rows", -1, {-120}, 15},
        {"touchpad steps add up to a notch", 3, std::vector<int>(8, -15), 12},
        {"touchpad remainder short of a line is kept", 3, std::vector<int>(7, -15), 9},
        {"turning back starts afresh", 3, {-120, -120, -60, 120}, 15}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseGrid grid(303);
        grid.g.SetWheelScrollLines(c.linesPerNotch);
        for (const int delta : c.deltas) {
            QWheelEvent wheel(At(10, 2), grid.vp->mapToGlobal(At(10, 2)), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid.vp, &wheel);
        }
        EXPECT_EQ(grid.g.GetTopLeftScrollCell().row, 3) << "scrolling is posted, not done at once";
        SettleEvents();
        EXPECT_EQ(grid.g.GetTopLeftScrollCell().row, c.topRowAfter);
    }
}

}  // namespace
