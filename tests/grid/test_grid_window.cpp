// The grid window: construction defaults, Create, the font and its metrics,
// system colour changes, notifications, the Tab key and the cursor shapes.
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

#include "grid_test_client.h"
#include "platform/FontMapping.h"
#include "platform/QPainterDC.h"
#include "platform/SysColors.h"

namespace {

LOGFONT FontOfPixelHeight(int pixels)
{
    LOGFONT font;
    font.lfHeight = -pixels;
    font.lfWeight = FW_NORMAL;
    font.SetFaceName("DejaVu Sans");
    return font;
}

// cellMargin, default row height and default column width for a font, from its metrics.
struct FontSizes { int margin, rowHeight, columnWidth; };
FontSizes SizesFor(const LOGFONT& logFont)
{
    MemoryDC dc(1, 1);
    CFont font;
    font.CreateFontIndirect(logFont);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int margin = dc.GetTextExtent(" ", 1).cx;
    return {margin, tm.tmHeight + tm.tmExternalLeading + 2 * margin, 2 * margin + 12 * tm.tmAveCharWidth};
}

// Before the window exists: construction sizes, no font object, system colours;
// a font set now changes only the fonts.
TEST(GridWindowConstruction, DefaultsBeforeTheWindowExists)
{
    CGridCtrl grid(5, 4, 2, 1);
    EXPECT_EQ(std::tuple(grid.GetRowHeight(4), grid.GetColumnWidth(3), grid.GetCellMargin()), std::tuple(10, 30, 0));
    EXPECT_EQ(grid.GetItemFont(4, 3), GetMessageLogFont());
    EXPECT_EQ(std::tuple(grid.GetTextBkColor(), grid.GetBkColor(), grid.GetFixedBkColor(), grid.GetGridLineColor()),
              std::tuple(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                         RGB(192, 192, 192)));
    EXPECT_EQ(grid.GetWheelScrollLines(), QApplication::wheelScrollLines());

    const LOGFONT big = FontOfPixelHeight(30);
    grid.SetFont(big);
    EXPECT_EQ(grid.GetItemFont(1, 1), big);
    EXPECT_TRUE(grid.GetDefaultRowHeight() == 10 && grid.GetFont() == nullptr);
}

TEST(GridWindowCreate, EmptyGridSucceedsAndAppliesTheFont)
{
    QWidget parent;
    parent.resize(400, 400);
    parent.show();
    auto* grid = new CGridCtrl;
    ASSERT_TRUE(grid->Create(RECT{10, 20, 210, 120}, &parent, kTestGridId,
                             CGridCtrl::WS_CHILD | CGridCtrl::WS_VISIBLE | CGridCtrl::WS_BORDER));
    EXPECT_EQ(grid->geometry(), QRect(10, 20, 200, 100));
    SettleEvents();
    EXPECT_EQ(grid->GetClientRect(), (RECT{0, 0, 198, 98})) << "one-pixel border";
    ASSERT_NE(grid->GetFont(), nullptr);
    EXPECT_EQ(grid->GetFont()->LogFont(), grid->GetGridLogFont());

    const FontSizes expected = SizesFor(grid->GetGridLogFont());
    EXPECT_GT(expected.margin, 0);
    EXPECT_EQ(std::tuple(grid->GetCellMargin(), grid->GetDefaultRowHeight(), grid->GetDefaultColumnWidth()),
              std::tuple(expected.margin, expected.rowHeight, expected.columnWidth));
    EXPECT_FALSE(grid->Create(RECT{0, 0, 10, 10}, &parent, 7)) << "a window is created once";
    delete grid;
}

TEST(GridWindowFont, ExistingRowsKeepTheirSizesLaterRowsGetTheNewDefault)
{
    GridWindow g(new CGridCtrl(2, 2));
    // Create gave the rows made before it the defaults of the grid font.
    EXPECT_EQ(g->GetRowHeight(0), SizesFor(g->GetGridLogFont()).rowHeight);
    const int oldHeight = g->GetRowHeight(1);
    const int oldWidth = g->GetColumnWidth(1);
    const LOGFONT big = FontOfPixelHeight(30);
    g->SetFont(big);

    const FontSizes expected = SizesFor(big);
    EXPECT_EQ(g->GetCellMargin(), expected.margin);
    EXPECT_GT(expected.rowHeight, oldHeight);
    EXPECT_EQ(std::pair(g->GetRowHeight(1), g->GetColumnWidth(1)), std::pair(oldHeight, oldWidth));
    g->SetRowCount(3);
    g->SetColumnCount(3);
    EXPECT_EQ(std::pair(g->GetRowHeight(2), g->GetColumnWidth(2)), std::pair(expected.rowHeight, expected.columnWidth));
    EXPECT_TRUE(g->GetItemFont(0, 0) == big && g->GetItemFont(2, 2) == big) << "every cell, old and new, has the font";
}

TEST(GridWindowColours, SystemColourChangeKeepsTheOwnersColours)
{
    GridWindow g(new CGridCtrl(2, 2));
    // The owner sets the fixed background to the window colour: still an owner's choice.
    const COLORREF ownersFixedBk = GetSysColor(COLOR_WINDOW);
    g->SetFixedBkColor(ownersFixedBk);
    g->SetTextColor(RGB(1, 2, 3));

    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(40, 50, 60));
    palette.setColor(QPalette::Button, QColor(70, 80, 90));
    palette.setColor(QPalette::Dark, QColor(100, 110, 120));
    QApplication::setPalette(palette);
    QApplication::processEvents();
    EXPECT_EQ(std::tuple(g->GetTextColor(), g->GetFixedBkColor(), g->GetTextBkColor(), g->GetFixedTextColor(),
                         g->GetBkColor()),
              std::tuple(RGB(1, 2, 3), ownersFixedBk, RGB(40, 50, 60), RGB(10, 20, 30), RGB(100, 110, 120)));

    // The cached values moved on: a second change follows the new system colours again.
    palette.setColor(QPalette::Base, QColor(41, 51, 61));
    QApplication::setPalette(palette);
    QApplication::processEvents();
    EXPECT_EQ(g->GetTextBkColor(), RGB(41, 51, 61));
    QApplication::setPalette(saved);
}

TEST(GridWindowNotify, FocusMovesReachTheOwnerAsSignals)
{
    GridWindow g(new CGridCtrl(4, 4, 1, 1));
    std::vector<GridNotifyInfo> received;
    QObject::connect(g.grid, &CGridCtrl::ownerNotify, [&](const GridNotifyInfo& info) { received.push_back(info); });
    g->MoveFocusTo(2, 3);
    g->MoveFocusTo(2, 3);   // already there: nothing sent
    g->MoveFocusTo(3, 1);
    std::vector<std::tuple<CGridCtrl*, UINT, int, int, int>> seen;
    for (const GridNotifyInfo& n : received)
        seen.emplace_back(n.hdr.hwndFrom, n.hdr.idFrom, n.hdr.code, n.row, n.column);
    EXPECT_EQ(seen, (decltype(seen){{g.grid, kTestGridId, LVN_ITEMCHANGED, 2, 3},
                                    {g.grid, kTestGridId, LVN_ITEMCHANGING, 2, 3},
                                    {g.grid, kTestGridId, LVN_ITEMCHANGED, 3, 1}}));
    EXPECT_EQ(g->GetItemState(2, 3) & CELL_FOCUSED, 0u);

    QSignalSpy commands(g.grid, &CGridCtrl::ownerCommand);
    g->PostOwnerCommand();
    EXPECT_EQ(commands.count(), 0) << "a click command is posted, not sent";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toUInt(), kTestGridId);
}

TEST(GridWindowNotify, NoWindowNoOwnerOrDestructionSendsNothing)
{
    CGridCtrl topLevel(3, 3);
    topLevel.Create(RECT{0, 0, 100, 100}, nullptr, kTestGridId, 0);
    QSignalSpy spyTop(&topLevel, &CGridCtrl::ownerNotify);
    EXPECT_EQ(topLevel.NotifyOwner(1, 1, LVN_ITEMCHANGED), 0);
    EXPECT_EQ(CGridCtrl(3, 3).NotifyOwner(1, 1, LVN_ITEMCHANGED), 0) << "no window";
    EXPECT_EQ(spyTop.count(), 0);

    auto* parent = new QWidget;
    auto* grid = new CGridCtrl(3, 3);
    grid->Create(RECT{0, 0, 100, 100}, parent, kTestGridId);
    grid->MoveFocusTo(1, 1);
    int notifications = 0;
    QObject::connect(grid, &CGridCtrl::ownerNotify, [&](const GridNotifyInfo&) { ++notifications; });
    delete parent;   // deletes the grid from the parent's destructor
    EXPECT_EQ(notifications, 0);
}

TEST(GridWindowKeys, TabStaysInTheGridWhileWanted)
{
    EXPECT_EQ(CGridCtrl().OnGetDlgCode(true), 0x81u) << "Ctrl+Tab is not wanted";
    QWidget window;
    auto* grid = new CGridCtrl(3, 3);
    grid->Create(RECT{0, 0, 200, 100}, &window, kTestGridId);
    auto* next = new QLineEdit(&window);
    next->move(0, 120);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), grid);

    EXPECT_EQ(grid->OnGetDlgCode(false), 0x83u);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    grid->SetTabNavigation(FALSE);
    EXPECT_EQ(grid->OnGetDlgCode(false), 0x81u);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
}

// Exposes the pointer mode, which the mouse handling sets.
struct ModeGrid : CGridCtrl {
    using CGridCtrl::CGridCtrl;
    void SetPointerMode(PointerMode mode) { pointerMode = mode; }
};

TEST(GridWindowCursor, PointerModesShowTheirCursorsAndDraggingKeepsIt)
{
    auto* grid = new ModeGrid(3, 3);
    GridWindow g(grid);
    for (const auto& [mode, shape] : {std::pair(PointerMode::OverColumnDivider, Qt::SizeHorCursor),
                                      std::pair(PointerMode::SelectingCells, Qt::ArrowCursor),
                                      std::pair(PointerMode::OverRowDivider, Qt::SizeVerCursor),
                                      std::pair(PointerMode::Dragging, Qt::SizeVerCursor),
                                      std::pair(PointerMode::Idle, Qt::ArrowCursor)}) {
        grid->SetPointerMode(mode);
        EXPECT_TRUE(grid->OnSetCursor(CGridCtrl::HTCLIENT));
        EXPECT_EQ(grid->viewport()->cursor().shape(), shape) << static_cast<int>(mode);
    }
    EXPECT_FALSE(grid->OnSetCursor(2)) << "not the client area";
}

}  // namespace
