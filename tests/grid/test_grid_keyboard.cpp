// The keyboard on the grid of the worked example (three fixed rows, one fixed
// column, rows 3..32 by columns 1..12, twelve rows on a page): focus moves,
// Shift selections from the anchor, Tab wrapping, Page keys, Home and End,
// the extra scroll step, Delete, the Ctrl letters and typed characters.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "grid_test_example.h"

namespace {

// Records the virtual edit operations and edit starts instead of running them.
class RecordingGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    std::vector<std::string> calls;
    void OnEditCut() override { calls.push_back("cut"); }
    void OnEditCopy() override { calls.push_back("copy"); }
    void OnEditPaste() override { calls.push_back("paste"); }
    void OnEditSelectAll() override
    {
        calls.push_back("all");
        CGridCtrl::OnEditSelectAll();
    }
    void BeginCellEdit(int row, int col, int key) override
    {
        calls.push_back("edit " + std::to_string(row) + "," + std::to_string(col) + " " + std::to_string(key));
    }
};

struct Press { Qt::Key key; Qt::KeyboardModifiers modifiers = Qt::NoModifier; };
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

// From the start cell, the keys; then the focus, the selection's bounds (all
// -1 for none) and size, and the top row.
TEST(GridKeyboardMove, FocusSelectionAndScrollFollowTheKeys)
{
    const CellRange none;
    const struct { const char* name; CellId start; std::vector<Press> keys; CellId focus; CellRange selected;
                   std::size_t count; int topRow; } cases[] = {
        {"Down selects just the new cell", {5, 2}, {{Qt::Key_Down}}, {6, 2}, {6, 2, 6, 2}, 1, 3},
        {"Ctrl does not change an arrow", {5, 2}, {{Qt::Key_Down, Qt::ControlModifier}}, {6, 2}, {6, 2, 6, 2}, 1, 3},
        {"Shift+Down extends from the anchor", {5, 2}, {{Qt::Key_Down}, {Qt::Key_Down, kShift}, {Qt::Key_Down, kShift}},
         {8, 2}, {6, 2, 8, 2}, 3, 3},
        {"a plain move after Shift drops the block", {5, 2}, {{Qt::Key_Down}, {Qt::Key_Down, kShift}, {Qt::Key_Down}},
         {8, 2}, {8, 2, 8, 2}, 1, 3},
        {"Shift+Right then Down makes a block", {5, 2}, {{Qt::Key_Right}, {Qt::Key_Right, kShift}, {Qt::Key_Down, kShift}},
         {6, 4}, {5, 3, 6, 4}, 4, 3},
        {"Left stops at the first scrolling column", {5, 1}, {{Qt::Key_Left}}, {5, 1}, none, 0, 3},
        {"Up stops at the first scrolling row", {3, 2}, {{Qt::Key_Up}}, {3, 2}, none, 0, 3},
        {"Tab on the last cell stays", {32, 12}, {{Qt::Key_Tab}}, {32, 12}, none, 0, 24},
        {"Shift+Tab on the first cell stays", {3, 1}, {{Qt::Key_Backtab, kShift}}, {3, 1}, none, 0, 3},
        {"Shift+Tab wraps to the end of the row above", {6, 1}, {{Qt::Key_Backtab, kShift}}, {5, 12}, {5, 12, 5, 12}, 1, 3},
        {"Tab selects only the new cell, even with Shift", {5, 2}, {{Qt::Key_Tab}, {Qt::Key_Down, kShift}, {Qt::Key_Tab}},
         {6, 4}, {6, 4, 6, 4}, 1, 3},
        {"Home keeps the column", {20, 4}, {{Qt::Key_Home}}, {3, 4}, {3, 4, 3, 4}, 1, 3},
        {"End keeps the column and scrolls to the bottom", {5, 4}, {{Qt::Key_End}}, {32, 4}, {32, 4, 32, 4}, 1, 24},
        {"Page Down moves as far as the top row", {5, 2}, {{Qt::Key_PageDown}}, {17, 2}, {17, 2, 17, 2}, 1, 15},
        {"Page Down at the end goes to the last row", {5, 2}, {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_PageDown}},
         {32, 2}, {32, 2, 32, 2}, 1, 24},
        {"Page Up at the top goes to the first row", {5, 2}, {{Qt::Key_PageUp}}, {3, 2}, {3, 2, 3, 2}, 1, 3},
        // The top row goes 24 -> 12 -> 3: the focus follows by 12, then by 9.
        {"Page Up from the bottom follows the top row", {5, 2}, {{Qt::Key_End}, {Qt::Key_PageUp}, {Qt::Key_PageUp}},
         {11, 2}, {11, 2, 11, 2}, 1, 3},
        // Row 15 is below the page: one line brings it in, one more follows.
        {"Down past the page scrolls one more line", {14, 2}, {{Qt::Key_Down}}, {15, 2}, {15, 2, 15, 2}, 1, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExampleGrid g;
        g->EnsureVisible(c.start);
        g->MoveFocusTo(c.start.row, c.start.col);
        for (const Press& press : c.keys)
            g.Keys({press.key}, press.modifiers);
        EXPECT_EQ(g->GetFocusCell(), c.focus);
        EXPECT_EQ(g->GetItemState(c.focus.row, c.focus.col) & CELL_FOCUSED, CELL_FOCUSED);
        EXPECT_EQ(std::pair(g->Store().SelectedCells().Bounds(), g->Store().SelectedCells().size()),
                  std::pair(c.selected, c.count));
        EXPECT_EQ(g->GetTopLeftScrollCell().row, c.topRow);
        EXPECT_TRUE(g->IsCellVisible(c.focus));
    }
}

// The start cells of the Tab cases need the view scrolled to them first.
TEST(GridKeyboardTab, WrapOutOfViewScrollsALineAndResetsTheColumns)
{
    ExampleGrid g;
    g->MoveFocusTo(13, 11);
    g.Keys({Qt::Key_Right});   // to the last column: scrolls right
    g.Keys({Qt::Key_Tab});
    EXPECT_EQ(g->GetFocusCell(), CellId(14, 1));
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), 0);
    EXPECT_EQ(g->GetTopLeftScrollCell().row, 6) << "one line (three rows) down";

    QTest::keyClick(g.grid, Qt::Key_Backtab, kShift);
    EXPECT_EQ(g->GetFocusCell(), CellId(13, 12));
    EXPECT_EQ(g->GetScrollPosition(SB_HORZ), g->horizontalScrollBar()->maximum()) << "as far right as it goes";
}

TEST(GridKeyboardDelete, EmptiesOnlyAnEditableCell)
{
    const struct { const char* name; void (*prepare)(CGridCtrl&); bool cleared; } cases[] = {
        {"editable", [](CGridCtrl&) {}, true},
        {"read-only", [](CGridCtrl& g) { g.SetItemState(5, 2, CELL_READONLY); }, false},
        {"merge-locked", [](CGridCtrl& g) { g.MergeCells(5, 2, 1, 0, 1); }, false},
        {"grid not editable", [](CGridCtrl& g) { g.SetEditable(FALSE); }, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExampleGrid g;
        g->SetItemText(5, 2, "abc");
        c.prepare(*g);
        g->MoveFocusTo(5, 2);
        std::vector<int> codes;
        QObject::connect(g.grid, &CGridCtrl::ownerNotify, [&](const GridNotifyInfo& n) { codes.push_back(n.hdr.code); });
        g.Keys({Qt::Key_Delete});
        EXPECT_EQ(g->GetFocusCell(), CellId(5, 2));
        EXPECT_EQ(g->GetItemText(5, 2), c.cleared ? "" : "abc");
        EXPECT_EQ(codes, (c.cleared ? std::vector<int>{LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT} : std::vector<int>{}));
        EXPECT_EQ(g->GetModified(), c.cleared);
        EXPECT_EQ(g->GetItemState(5, 2) & CELL_MODIFIED, c.cleared ? CELL_MODIFIED : 0u);
    }
}

// Without a focus cell no key acts, Ctrl+A included; with one, the Ctrl
// letters and typed characters reach the virtual operations.
TEST(GridKeyboardCommands, CtrlLettersAndTypedCharactersNeedAFocusCellAndReachTheVirtualOperations)
{
    auto* grid = new RecordingGrid(33, 13, 3, 1);
    GridWindow g(grid, 500, 300);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_X})
        QTest::keyClick(grid, key);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->GetFocusCell(), CellId(-1, -1));
    EXPECT_EQ(grid->GetScrollPosition(SB_VERT), 0);
    EXPECT_TRUE(grid->Store().SelectedCells().empty());
    EXPECT_TRUE(grid->calls.empty());

    grid->MoveFocusTo(5, 2);
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X})
        QTest::keyClick(grid, key, Qt::ControlModifier);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab})   // Tab moves; no edit
        QTest::keyClick(grid, key);
    QTest::keyClick(grid, Qt::Key_X, Qt::AltModifier);
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(grid, &accented);   // é arrives as one character
    QKeyEvent lineFeed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\n"));
    QApplication::sendEvent(grid, &lineFeed);   // a control character other than Tab, Enter, Esc, Backspace: no edit
    EXPECT_EQ(grid->calls, (std::vector<std::string>{"all", "copy", "paste", "cut", "edit 5,2 120", "edit 5,2 13",
                                                     "edit 5,2 8", "edit 5,3 233"}));
    EXPECT_EQ(grid->Store().SelectedCells().size(), 1u) << "Tab after Select All selects the new cell";
}

TEST(GridKeyboardCommands, SelectAllCoversEveryScrollingCellAndTheRulesEnableTheCommands)
{
    ExampleGrid g;
    QGuiApplication::clipboard()->setText("x");
    EXPECT_TRUE(g->IsEditCommandEnabled(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(g->IsEditCommandEnabled(ID_EDIT_COPY) || g->IsEditCommandEnabled(ID_EDIT_CUT)
                 || g->IsEditCommandEnabled(ID_EDIT_PASTE));
    g->MoveFocusTo(5, 2);
    EXPECT_TRUE(g->IsEditCommandEnabled(ID_EDIT_PASTE));
    g.Keys({Qt::Key_A}, Qt::ControlModifier);
    EXPECT_EQ(g->SelectionBounds(), CellRange(3, 1, 32, 12));
    EXPECT_TRUE(g->IsEditCommandEnabled(ID_EDIT_COPY) && g->IsEditCommandEnabled(ID_EDIT_CUT));

    g->SetEditable(FALSE);
    EXPECT_TRUE(g->IsEditCommandEnabled(ID_EDIT_COPY));
    EXPECT_FALSE(g->IsEditCommandEnabled(ID_EDIT_CUT) || g->IsEditCommandEnabled(ID_EDIT_PASTE));
    g->SetEditable(TRUE);
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(g->IsEditCommandEnabled(ID_EDIT_PASTE));
    g->EnableSelection(FALSE);
    EXPECT_FALSE(g->IsEditCommandEnabled(ID_EDIT_SELECT_ALL));
    g->EnableSelection(TRUE);
    g->ClearSelection();
    EXPECT_EQ(g->SelectionBounds(), CellRange(33, 13, -1, -1));
}

TEST(GridKeyboardListMode, SingleSelectionShiftDownStillSelectsOneRow)
{
    ExampleGrid g;
    g->SetListMode(TRUE);
    g->MoveFocusTo(5, 2);
    g.Keys({Qt::Key_Down});
    EXPECT_EQ(g->SelectionBounds(), CellRange(6, 1, 6, 12));
    g.Keys({Qt::Key_Down}, kShift);
    EXPECT_EQ(g->SelectionBounds(), CellRange(6, 1, 7, 12));
    g->SetSingleSelection(TRUE);
    g.Keys({Qt::Key_Down}, kShift);
    EXPECT_EQ(g->SelectionBounds(), CellRange(8, 1, 8, 12));
}

}  // namespace
