// In-place editing: how the editor opens, which keys end it and where
// editing goes on, what reaches the cell, and merged blocks.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "grid/CellEditBox.h"
#include "grid_test_example.h"
#include "platform/FontMapping.h"

namespace {

// The example grid, active and focused; scrolling cells hold "row:col", (3, 1)
// "abc". Records the edit notifications (code, row, column, cell text then).
using Notices = std::vector<std::tuple<int, int, int, std::string>>;
struct EditGrid : ExampleGrid {
    Notices notices;

    explicit EditGrid(const std::function<void(CGridCtrl&)>& beforeFixing = {}) : ExampleGrid(beforeFixing)
    {
        for (int row = 3; row < kRows; ++row)
            for (int col = 1; col < kCols; ++col)
                grid->SetItemText(row, col, std::to_string(row) + ":" + std::to_string(col));
        grid->SetItemText(3, 1, "abc");
        EXPECT_TRUE(Activate());
        grid->setFocus();
        QObject::connect(grid, &CGridCtrl::ownerNotify, grid, [this](const GridNotifyInfo& info) {
            if (info.hdr.code == LVN_BEGINLABELEDIT || info.hdr.code == LVN_ENDLABELEDIT)
                notices.emplace_back(info.hdr.code, info.row, info.column, grid->GetItemText(info.row, info.column));
        });
    }

    // The editor open now (shown, not ended); null when there is none.
    CellEditBox* Editor() const
    {
        QList<CellEditBox*> open = grid->viewport()->findChildren<CellEditBox*>();
        open.removeIf([](const CellEditBox* box) { return !box->isVisible(); });
        EXPECT_LE(open.size(), 1) << "two editors open at once";
        return open.value(0);
    }

    CellEditBox* Start(int row, int col, int key)   // edits (row, col), made the focus cell, from key
    {
        grid->SetFocusCell(row, col);
        grid->BeginCellEdit(row, col, key);
        return Editor();
    }
};

}  // namespace

// The first key decides text, selection and caret; the box lies over the cell
// in the grid's font, aligned as the cell's format says.
TEST(GridEditStart, FirstKeyDecidesTextAndSelectionBoxFollowsTheCell)
{
    const struct { const char* name; int key; const char* text; const char* selected; int cursor; UINT format;
                   Qt::Alignment alignment; } cases[] = {
        {"typed letter replaces the text", 'x', "x", "", 1, DT_LEFT, Qt::AlignLeft},
        {"space opens without typing", ' ', "abc", "abc", 3, DT_CENTER, Qt::AlignHCenter},
        {"'(' shares the Down key's code and is not typed", '(', "abc", "abc", 3, DT_RIGHT, Qt::AlignRight},
        {"Backspace removes the last character", VK_BACK, "ab", "", 2, DT_LEFT, Qt::AlignLeft},
        {"Enter puts the caret at the end", VK_RETURN, "abc", "", 3, DT_CENTER, Qt::AlignHCenter},
        {"click puts the caret at the end", VK_LBUTTON, "abc", "", 3, DT_RIGHT, Qt::AlignRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        g->SetItemFormat(3, 1, c.format);
        CellEditBox* box = g.Start(3, 1, c.key);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(std::tuple(box->text().toStdString(), box->selectedText().toStdString(), box->cursorPosition()),
                  std::tuple(c.text, c.selected, c.cursor));
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, c.alignment);
        // Cell (3, 1) spans x 40..119, y 60..79; its grid lines on x 119 and y 79 stay visible.
        EXPECT_EQ(box->geometry(), QRect(40, 60, 79, 19));
        EXPECT_EQ(box->font(), QFontFromLogFont(g->GetGridLogFont()));
    }
}

// Read-only and merge-locked cells open no editor; a covered cell edits its
// master in a box over the whole block, one pixel over the grid lines left of
// and above it. A block in the header rows keeps its own top.
TEST(GridEditStart, CellOpensItselfItsBlockMasterOrNoEditor)
{
    const struct { const char* name; std::function<void(CGridCtrl&)> setUp; int top; CellId cell, master; QRect box; }
    cases[] = {
        {"read-only", [](CGridCtrl& g) { g.SetItemState(3, 2, CELL_READONLY); }, 0, {3, 2}, {}, {}},
        {"merge-locked", [](CGridCtrl& g) { g.MergeCells(3, 1, 0, 1, 1); }, 0, {3, 2}, {}, {}},
        {"read-only master", [](CGridCtrl& g) { g.MergeCells(3, 1, 0, 1, 0); g.SetItemState(3, 1, CELL_READONLY); },
         0, {3, 2}, {}, {}},
        {"master out of view", [](CGridCtrl& g) { g.MergeCells(5, 2, 2, 0, 0); }, 60, {6, 2}, {}, {}},
        {"covered cell", [](CGridCtrl& g) { g.MergeCells(3, 2, 2, 1, 0); }, 0, {4, 3}, {3, 2}, QRect(119, 59, 160, 60)},
        {"covered header cell", [](CGridCtrl& g) { g.MergeCells(0, 2, 0, 1, 0); }, 0, {0, 3}, {0, 2},
         QRect(119, -1, 160, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g(c.setUp);
        g.ScrollTo(0, c.top);
        const std::string coveredText = g->GetItemText(c.cell.row, c.cell.col);
        CellEditBox* box = g.Start(c.cell.row, c.cell.col, 'z');
        EXPECT_EQ(box ? box->geometry() : QRect(), c.box);
        EXPECT_EQ(g.notices.empty(), c.box.isNull());
        if (!box)
            continue;
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(g->GetItemText(c.master.row, c.master.col), "z");
        EXPECT_EQ(g->GetItemText(c.cell.row, c.cell.col), coveredText);
    }
}

TEST(GridEditEnd, KeysEndAndContinueWhereTheKeyMoves)
{
    const struct { const char* name; CellId start; int firstKey; Qt::Key key; Qt::KeyboardModifiers modifiers;
                   CellId next; bool continues; } cases[] = {
        {"Enter ends without moving", {3, 1}, 'x', Qt::Key_Return, Qt::NoModifier, {3, 1}, false},
        {"arrow ends a typed edit", {3, 1}, 'x', Qt::Key_Right, Qt::NoModifier, {3, 2}, true},
        {"Page Up at the top ends a typed edit", {5, 1}, 'x', Qt::Key_PageUp, Qt::NoModifier, {3, 1}, true},
        {"Ctrl+arrow ends a clicked edit", {3, 1}, VK_LBUTTON, Qt::Key_Down, Qt::ControlModifier, {4, 1}, true},
        {"Tab on the last column wraps", {3, 12}, 'x', Qt::Key_Tab, Qt::NoModifier, {4, 1}, true},
        {"Shift+Tab on the first column wraps back", {4, 1}, 'x', Qt::Key_Backtab, Qt::ShiftModifier, {3, 12}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        const std::string nextText = g->GetItemText(c.next.row, c.next.col);
        QTest::keyClick(g.Start(c.start.row, c.start.col, c.firstKey), c.key, c.modifiers);
        EXPECT_EQ(g->GetItemText(c.start.row, c.start.col), c.firstKey == 'x' ? "x" : "abc");
        EXPECT_EQ(g->GetFocusCell(), c.next);
        CellEditBox* next = g.Editor();
        ASSERT_EQ(next != nullptr, c.continues);
        EXPECT_EQ(QApplication::focusWidget(), c.continues ? static_cast<QWidget*>(next) : g.grid);
        if (next) {   // the next cell opens with its own text selected
            EXPECT_EQ(next->selectedText().toStdString(), nextText);
        }
    }
}

// Esc on a cell whose bytes are not UTF-8 (a name from a record file) gives
// back those bytes; Enter stores typed text as UTF-8 before it is reported.
TEST(GridEditEnd, EscKeepsTheBytesAndEnterStoresUtf8ThenNotifies)
{
    EditGrid g;
    const std::string gbk = "\xB2\xE2\xCA\xD4";
    g->SetItemText(3, 2, gbk);
    CellEditBox* box = g.Start(3, 2, 'y');
    QTest::keyClicks(box, "z");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(g->GetModified() || (g->GetItemState(3, 2) & CELL_MODIFIED));
    box = g.Start(3, 1, 0xE9);   // é, then 中
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("\xE4\xB8\xAD"), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
    const Notices expected = {{LVN_BEGINLABELEDIT, 3, 2, gbk}, {LVN_ENDLABELEDIT, 3, 2, gbk},
                              {LVN_BEGINLABELEDIT, 3, 1, "abc"}, {LVN_ENDLABELEDIT, 3, 1, "\xC3\xA9\xE4\xB8\xAD"}};
    EXPECT_EQ(g.notices, expected);
    EXPECT_NE(g->GetItemState(3, 1) & CELL_MODIFIED, 0u);
}

// A pasted cell longer than a line edit's default limit survives an edit
// that changed nothing, whichever way it ends.
TEST(GridEditEnd, UntouchedLongTextStaysWholeAndUnmodified)
{
    const std::string longText(40000, 'w');
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_unknown}) {
        SCOPED_TRACE(key);
        EditGrid g;
        g->SetItemText(3, 1, longText);
        CellEditBox* box = g.Start(3, 1, VK_LBUTTON);
        ASSERT_NE(box, nullptr);
        key == Qt::Key_unknown ? box->clearFocus() : QTest::keyClick(box, key);
        EXPECT_EQ(g->GetItemText(3, 1), longText);
        EXPECT_FALSE(g->GetModified());
    }
}

TEST(GridEditEnd, LosingFocusEndsExactlyOnce)
{
    for (const bool hideGrid : {false, true}) {
        SCOPED_TRACE(hideGrid ? "grid hidden" : "focus taken");
        EditGrid g;
        CellEditBox* box = g.Start(3, 1, 'x');
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Q);
        hideGrid ? g->hide() : box->clearFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // ended editors delete themselves
        EXPECT_EQ(g.notices, (Notices{{LVN_BEGINLABELEDIT, 3, 1, "abc"}, {LVN_ENDLABELEDIT, 3, 1, "xq"}}));
        EXPECT_TRUE(g->viewport()->findChildren<CellEditBox*>().isEmpty());
    }
    // Deleting the grid takes an open editor with it, without reporting to a half-destroyed grid.
    auto g = std::make_unique<EditGrid>();
    QPointer<CellEditBox> box = g->Start(3, 1, 'x');
    g.reset();
    EXPECT_TRUE(box.isNull());
}

// In an edit started by a click the arrows move the caret, Up, Down and the
// page keys do nothing (the focus cell stays too) and Alt is swallowed; the
// box grows to the right with the text, up to the client edge, and never shrinks.
TEST(GridEditText, ClickedEditKeepsArrowsSwallowsAltAndGrows)
{
    EditGrid g;
    CellEditBox* box = g.Start(4, 5, VK_LBUTTON);   // "4:5" at x 360..439 of a 500-pixel client area
    ASSERT_NE(box, nullptr);
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(box, key);
    QTest::keyClick(box, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(box->text(), "4:5");
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_EQ(g->GetFocusCell(), CellId(4, 5));
    EXPECT_EQ(g.notices.size(), 1u) << "only the start was reported";
    QTest::keyClicks(box, "abcdefghijk");
    const int extent = QFontMetrics(box->font()).horizontalAdvance(box->text() + "  ");
    ASSERT_TRUE(extent > 79 && extent < 140) << "extent " << extent;   // wider than the cell, short of the edge
    EXPECT_EQ(box->geometry(), QRect(360, 80, extent, 19));
    QTest::keyClicks(box, "lmnopqrstuvwxyz0123456789");
    EXPECT_EQ(box->geometry(), QRect(360, 80, 140, 19));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->geometry().right(), 499);
}
