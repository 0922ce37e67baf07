// In-place editing: how the editor opens, which keys end it and where
// editing goes on, what reaches the cell, and merged blocks.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/CellEditBox.h"
#include "grid_test_example.h"
#include "platform/FontMapping.h"

namespace {

// The example grid, active and focused; scrolling cells hold "row:col",
// (3, 1) holds "abc". Records the edit notifications with the cell text then.
struct EditGrid : ExampleGrid {
    struct Notice {
        int code, row, col;
        std::string text;
        friend bool operator==(const Notice&, const Notice&) = default;
    };
    std::vector<Notice> notices;

    explicit EditGrid(const std::function<void(CGridCtrl&)>& beforeFixing = {}) : ExampleGrid(beforeFixing)
    {
        for (int row = 3; row < kRows; ++row)
            for (int col = 1; col < kCols; ++col)
                grid->SetItemText(row, col, std::to_string(row) + ":" + std::to_string(col));
        grid->SetItemText(3, 1, "abc");
        parent->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(parent.get()));
        grid->setFocus();
        QObject::connect(grid, &CGridCtrl::ownerNotify, grid, [this](const GridNotifyInfo& info) {
            if (info.hdr.code == LVN_BEGINLABELEDIT || info.hdr.code == LVN_ENDLABELEDIT)
                notices.push_back({info.hdr.code, info.row, info.column, grid->GetItemText(info.row, info.column)});
        });
    }

    // The editor open now (shown, not ended); null when there is none.
    CellEditBox* Editor() const
    {
        CellEditBox* open = nullptr;
        for (CellEditBox* box : grid->viewport()->findChildren<CellEditBox*>()) {
            if (box->isVisible()) {
                EXPECT_EQ(open, nullptr) << "two editors open at once";
                open = box;
            }
        }
        return open;
    }

    // Makes (row, col) the focus cell and starts editing it with key.
    CellEditBox* Start(int row, int col, int key)
    {
        grid->SetFocusCell(row, col);
        grid->BeginCellEdit(row, col, key);
        return Editor();
    }

    long EndCount() const
    {
        return std::count_if(notices.begin(), notices.end(), [](const Notice& n) { return n.code == LVN_ENDLABELEDIT; });
    }
};

// Ended editors delete themselves from the event loop; tests run that part here.
void DeleteEndedEditors()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(GridEditStart, FirstKeyDecidesTextAndSelection)
{
    const struct {
        const char* name;
        int key;
        const char* text;
        const char* selected;
        int cursor;
    } cases[] = {
        {"typed letter replaces the text", 'x', "x", "", 1},
        {"space opens without typing", ' ', "abc", "abc", 3},
        {"'(' shares the Down key's code and is not typed", '(', "abc", "abc", 3},
        {"Backspace removes the last character", VK_BACK, "ab", "", 2},
        {"Enter puts the caret at the end", VK_RETURN, "abc", "", 3},
        {"click puts the caret at the end", VK_LBUTTON, "abc", "", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        CellEditBox* box = g.Start(3, 1, c.key);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), c.text);
        EXPECT_EQ(box->selectedText().toStdString(), c.selected);
        EXPECT_EQ(box->cursorPosition(), c.cursor);
        EXPECT_EQ(QApplication::focusWidget(), box);
    }
}

TEST(GridEditStart, BoxLiesOverCellInGridFontAndCellAlignment)
{
    const std::pair<UINT, Qt::Alignment> cases[] = {
        {DT_LEFT, Qt::AlignLeft}, {DT_CENTER, Qt::AlignHCenter}, {DT_RIGHT, Qt::AlignRight}};
    for (const auto& [format, alignment] : cases) {
        EditGrid g;
        g->SetItemFormat(3, 2, format);
        CellEditBox* box = g.Start(3, 2, VK_LBUTTON);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, alignment) << "format " << format;
        // Cell (3, 2) spans x 120..199, y 60..79; its grid lines on x 199 and y 79 stay visible.
        EXPECT_EQ(box->geometry(), QRect(120, 60, 79, 19));
        EXPECT_EQ(box->font(), QFontFromLogFont(g->GetGridLogFont()));
    }
}

TEST(GridEditStart, RefusedCellsOpenNoEditor)
{
    const struct {
        const char* name;
        std::function<void(CGridCtrl&)> setUp;
        CellId cell;
    } cases[] = {
        {"read-only", [](CGridCtrl& g) { g.SetItemState(3, 2, CELL_READONLY); }, {3, 2}},
        {"merge-locked", [](CGridCtrl& g) { g.MergeCells(3, 1, 0, 1, 1); }, {3, 2}},
        {"read-only master of a covered cell",
         [](CGridCtrl& g) {
             g.MergeCells(3, 1, 0, 1, 0);
             g.SetItemState(3, 1, CELL_READONLY);
         },
         {3, 2}},
        {"master scrolled out of view",
         [](CGridCtrl& g) {
             g.MergeCells(5, 2, 2, 0, 0);
             g.SetScrollPosition(SB_VERT, 60);   // top row 6: (6, 2) shows, its master (5, 2) does not
         },
         {6, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditGrid g;
        c.setUp(*g);
        g->BeginCellEdit(c.cell.row, c.cell.col, 'x');
        EXPECT_EQ(g.Editor(), nullptr);
        EXPECT_TRUE(g.notices.empty());
    }
}

TEST(GridEditEnd, KeysEndAndContinueWhereTheKeyMoves)
{
    const struct {
        const char* name;
        CellId start;
        int firstKey;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CellId next;   // the focus cell afterwards
        bool continues;
    } cases[] = {
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
        const std::string startText = g->GetItemText(c.start.row, c.start.col);
        const std::string nextText = g->GetItemText(c.next.row, c.next.col);
        QTest::keyClick(g.Start(c.start.row, c.start.col, c.firstKey), c.key, c.modifiers);
        DeleteEndedEditors();

        EXPECT_EQ(g->GetItemText(c.start.row, c.start.col), c.firstKey == 'x' ? "x" : startText);
        EXPECT_EQ(g->GetFocusCell(), c.next);
        CellEditBox* next = g.Editor();
        ASSERT_EQ(next != nullptr, c.continues);
        EXPECT_EQ(QApplication::focusWidget(), c.continues ? static_cast<QWidget*>(next) : g.grid);
        if (next) {
            EXPECT_EQ(CellId(next->GetEditRow(), next->GetEditColumn()), c.next);
            EXPECT_EQ(next->selectedText().toStdString(), nextText) << "the next cell opens with its text selected";
        }
    }
}

TEST(GridEditEnd, EnterStoresThenNotifiesAndEscRestores)
{
    EditGrid g;
    QTest::keyClick(g.Start(3, 1, 'x'), Qt::Key_Return);
    CellEditBox* box = g.Start(3, 2, 'y');
    QTest::keyClicks(box, "z");
    QTest::keyClick(box, Qt::Key_Escape);
    const std::vector<EditGrid::Notice> expected = {{LVN_BEGINLABELEDIT, 3, 1, "abc"}, {LVN_ENDLABELEDIT, 3, 1, "x"},
                                                    {LVN_BEGINLABELEDIT, 3, 2, "3:2"}, {LVN_ENDLABELEDIT, 3, 2, "3:2"}};
    EXPECT_EQ(g.notices, expected);
    EXPECT_NE(g->GetItemState(3, 1) & CELL_MODIFIED, 0u);
    EXPECT_EQ(g->GetItemState(3, 2) & CELL_MODIFIED, 0u);
}

TEST(GridEditEnd, LosingFocusEndsExactlyOnce)
{
    const std::pair<const char*, std::function<void(EditGrid&, CellEditBox*, QWidget*)>> cases[] = {
        {"clearFocus", [](EditGrid&, CellEditBox* box, QWidget*) { box->clearFocus(); }},
        {"click elsewhere", [](EditGrid&, CellEditBox*, QWidget* other) { QTest::mouseClick(other, Qt::LeftButton); }},
        {"grid hidden", [](EditGrid& g, CellEditBox*, QWidget*) { g->hide(); }},
    };
    for (const auto& [name, takeFocus] : cases) {
        SCOPED_TRACE(name);
        EditGrid g;
        auto* other = new QLineEdit(g.parent.get());
        other->setGeometry(0, 320, 100, 20);
        other->show();
        CellEditBox* box = g.Start(3, 1, 'x');
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Q);
        takeFocus(g, box, other);
        DeleteEndedEditors();
        EXPECT_EQ(g->GetItemText(3, 1), "xq");
        EXPECT_EQ(g.EndCount(), 1);
        EXPECT_TRUE(g->viewport()->findChildren<CellEditBox*>().isEmpty());
    }
    // Deleting the grid takes an open editor with it, without reporting to a half-destroyed grid.
    auto g = std::make_unique<EditGrid>();
    QPointer<CellEditBox> box = g->Start(3, 1, 'x');
    g.reset();
    EXPECT_TRUE(box.isNull());
}

TEST(GridEditText, GrowsToTheRightUpToTheClientEdgeAndNeverShrinks)
{
    EditGrid g;
    CellEditBox* box = g.Start(3, 5, 'a');   // x 360..439 of a 500-pixel client area
    ASSERT_NE(box, nullptr);
    const QRect before = box->geometry();
    QTest::keyClicks(box, "bcdefghijklmnop");
    const int extent = QFontMetrics(box->font()).horizontalAdvance(box->text() + "  ");
    ASSERT_TRUE(extent > before.width() && extent < 500 - before.left()) << "extent " << extent;
    EXPECT_EQ(box->geometry(), QRect(before.left(), before.top(), extent, before.height()));

    QTest::keyClicks(box, "qrstuvwxyz0123456789");
    EXPECT_EQ(box->geometry(), QRect(before.left(), before.top(), 500 - before.left(), before.height()));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->geometry().right(), 499);
}

TEST(GridEditText, ClickedEditKeepsArrowsAndSwallowsAlt)
{
    EditGrid g;
    CellEditBox* box = g.Start(3, 1, VK_LBUTTON);
    QTest::keyClick(box, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "abc");
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_EQ(g.Editor(), box);
    EXPECT_EQ(g.EndCount(), 0);
}

TEST(GridEditText, CellGetsUtf8AndUnchangedTextKeepsItsBytes)
{
    EditGrid g;
    CellEditBox* box = g.Start(3, 1, 0xE9);   // é, then 中
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("\xE4\xB8\xAD"), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(g->GetItemText(3, 1), "\xC3\xA9\xE4\xB8\xAD");

    const std::string gbk = "\xB2\xE2\xCA\xD4";   // a name from a record file, not UTF-8
    g->SetItemText(3, 2, gbk);
    QTest::keyClick(g.Start(3, 2, VK_RETURN), Qt::Key_Return);
    EXPECT_EQ(g->GetItemText(3, 2), gbk);
    EXPECT_EQ(g->GetItemState(3, 2) & CELL_MODIFIED, 0u);
}

TEST(GridEditMerged, CoveredCellEditsMasterOverWholeBlock)
{
    EditGrid g;
    g->MergeCells(3, 2, 2, 1, 0);   // rows 3..5, columns 2..3: x 120..279, y 60..119
    CellEditBox* box = g.Start(4, 3, 'z');
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(119, 59, 160, 60)) << "one pixel over the grid lines left of and above the block";
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(g->GetItemText(3, 2), "z");
    EXPECT_EQ(g->GetItemText(4, 3), "4:3");
}

// A block in the fixed rows keeps its own top: limiting it to the first
// scrolling row put the box below the header with a negative height.
TEST(GridEditMerged, HeaderBlockBoxStaysOnTheHeaderRow)
{
    EditGrid g([](CGridCtrl& grid) { grid.MergeCells(0, 2, 0, 1, 0); });
    CellEditBox* box = g.Start(0, 3, VK_LBUTTON);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(119, -1, 160, 20));
    EXPECT_EQ(CellId(box->GetEditRow(), box->GetEditColumn()), CellId(0, 2));
}
