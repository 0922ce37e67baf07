// The shell: resource tables, the frame built from them, command routing,
// toolbar, status bar and the About box.
#include "AppTestSupport.h"

#include "app/AboutDialog.h"
#include "app/AcceleratorKeys.h"
#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/COrvik50View.h"
#include "app/LockIndicators.h"
#include "app/StringTable.h"
#include "app/ViewerApp.h"
#include "grid/CGridCtrl.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

TEST(MenuTableTest, TopLevelItemsAndEntriesInOrder)
{
    // Each top-level item, then its drop-down entries marked with "> ".
    std::vector<std::pair<std::string, UINT>> flat;
    for (const res::TopLevelItem& item : res::MainMenu()) {
        flat.push_back({item.text, item.command});
        for (const res::MenuEntry& entry : item.entries)
            flat.push_back({"> " + entry.text, entry.id});
    }
    const std::vector<std::pair<std::string, UINT>> expected = {
        {"File(&F)", 0}, {"> Open(&O)...\tCtrl+O", 0xE101}, {"> Save(&S)\tCtrl+S", 0xE103}, {"> ", 0},
        {"> Print(&P)...\tCtrl+P", 0xE107}, {"> Print Preview(&W)\tCtrl+W", 0xE109}, {"> ", 0}, {"> Exit", 0xE141},
        {"Help(&H)", 0}, {"> About Orvik Application System(&A)...", 0xE140}, {"", 0x8003}, {"", 0xFFFF}};
    EXPECT_EQ(flat, expected);
}

TEST(AcceleratorTableTest, KeysAndCommandsInOrder)
{
    std::vector<std::pair<std::string, UINT>> keys;
    for (const res::Accelerator& accelerator : res::AcceleratorTable()) {
        keys.push_back({AcceleratorKeys(accelerator).toString().toStdString(), accelerator.command});
        EXPECT_EQ(accelerator.flags & (res::FVIRTKEY | res::FNOINVERT), res::FVIRTKEY | res::FNOINVERT);
    }
    const std::vector<std::pair<std::string, UINT>> expected = {
        {"Ctrl+C", 0xE122}, {"Ctrl+N", 0xE100}, {"Ctrl+O", 0xE101}, {"Ctrl+S", 0xE103},
        {"Ctrl+V", 0xE125}, {"Alt+Backspace", 0xE12B}, {"Shift+Del", 0xE123}, {"F6", 0xE150},
        {"Shift+F6", 0xE151}, {"Ctrl+Ins", 0xE122}, {"Shift+Ins", 0xE125}, {"Ctrl+W", 0xE109},
        {"Ctrl+X", 0xE123}, {"Ctrl+Z", 0xE12B}};
    EXPECT_EQ(keys, expected);
}

TEST(StringTableTest, PromptsAndTooltipsSplitAtTheNewline)
{
    EXPECT_EQ(res::PromptText(0xE101), "Opens an existing document");
    EXPECT_EQ(res::TooltipText(0xE101), "Open");
    EXPECT_EQ(res::PromptText(0xE100), "建立新文档");
    EXPECT_EQ(res::TooltipText(0xE100), "新建");
    EXPECT_EQ(res::TooltipText(0xE106), "Pint setup");
    EXPECT_EQ(res::LoadString(0xE11F), "打开该文档");
    EXPECT_EQ(res::TooltipText(0xEF00), "");
    EXPECT_EQ(res::LoadString(0xE001), "Ready");
    EXPECT_EQ(res::LoadString(0xE703), "SCRL");
    EXPECT_FALSE(res::PromptText(0x8003).empty()) << "the blank entry needs a prompt of its own";
    EXPECT_EQ(res::LoadString(0x1234), "");
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.GetMainWnd();
        view = app.GetView();
        view->SetOpenChooser([this](QWidget*) { ++openDialogs; return std::optional<QString>(); });
        view->SetPrintDialogRunner([this](QPrinter&, CPrintInfo&) { ++printDialogs; return false; });
        view->SetTemplateExport([this] { ++templateExports; });
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }

    void OpenRecords(int count)
    {
        ASSERT_TRUE(view->OpenRecordFile(folder.Write(QStringLiteral("r.bin"), NumberedRecords(count))));
    }
    QAction* TopLevelAction(int index) { return frame->menuBar()->actions().value(index); }

    ViewerApp app;
    RecordFileFolder folder;
    CMainFrame* frame = nullptr;
    COrvik50View* view = nullptr;
    int openDialogs = 0;
    int printDialogs = 0;
    int templateExports = 0;
};

TEST_F(ShellTest, FrameOpensMaximisedAndKeepsItsFixedTitleAfterOpening)
{
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Orvik50"));
    EXPECT_EQ(frame->centralWidget(), view);
    OpenRecords(1);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvik Application System"));
}

TEST_F(ShellTest, MenuBarShowsTheTableAndBlankEntriesCanBeClicked)
{
    ASSERT_EQ(frame->menuBar()->actions().size(), 4);
    EXPECT_EQ(TopLevelAction(1)->text(), QStringLiteral("Help(&H)"));
    const QList<QAction*> file = TopLevelAction(0)->menu()->actions();
    ASSERT_EQ(file.size(), 7);
    EXPECT_TRUE(file[2]->isSeparator() && file[5]->isSeparator());
    EXPECT_EQ(file[3]->statusTip(), QStringLiteral("Prints all or part of the document"));
    EXPECT_TRUE(file[0]->shortcut().isEmpty()) << "keys come from the accelerator table only";

    QAction* exportEntry = TopLevelAction(2);
    EXPECT_EQ(exportEntry, frame->CommandAction(0x8003));
    EXPECT_EQ(exportEntry->text().trimmed(), QString()) << "the entry shows no caption";
    EXPECT_FALSE(TopLevelAction(3)->isEnabled()) << "no handler takes 0xFFFF";
    const QRect place = frame->menuBar()->actionGeometry(exportEntry);
    EXPECT_GE(place.width(), 12) << "a blank entry must still be wide enough to click";
    QMouseEvent pointerMove(QEvent::MouseMove, QPointF(place.center()), frame->menuBar()->mapToGlobal(QPointF(place.center())),
                            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frame->menuBar(), &pointerMove);
    EXPECT_FALSE(exportEntry->statusTip().isEmpty());
    EXPECT_EQ(frame->StatusBar()->currentMessage(), exportEntry->statusTip())
        << "pointing at the blank entry shows its prompt";
    QTest::mouseClick(frame->menuBar(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(templateExports, 1);
}

TEST_F(ShellTest, OpenRunsFromMenuToolbarAndKeyButCtrlPDoesNotPrint)
{
    frame->CommandAction(ID_FILE_OPEN)->trigger();
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    QWidget* button = frame->ToolBar()->widgetForAction(frame->CommandAction(ID_FILE_OPEN));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(openDialogs, 3);
    QTest::keyClick(frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printDialogs, 0);
    frame->CommandAction(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(printDialogs, 1) << "File > Print starts printing";
}

TEST_F(ShellTest, CommandRouteFollowsTheGridAndCtrlNDestroysIt)
{
    for (UINT id : {ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, res::ID_TEMPLATE_EXPORT,
                    ID_APP_ABOUT, ID_APP_EXIT, ID_FILE_NEW, res::ID_NEXT_PANE})
        EXPECT_TRUE(frame->HasHandler(id)) << std::hex << id;
    for (UINT id : {res::ID_UNHANDLED_COMMAND, res::ID_EDIT_UNDO, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(frame->HasHandler(id)) << std::hex << id << " without a grid";
    OpenRecords(2);
    for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE})
        EXPECT_TRUE(frame->HasHandler(id)) << std::hex << id << " reaches the grid";
    EXPECT_FALSE(frame->HasHandler(res::ID_EDIT_UNDO));

    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(view->GetGrid(), nullptr);
    EXPECT_EQ(view->Records().GetSize(), 0u);
    EXPECT_TRUE(view->findChildren<CGridCtrl*>().isEmpty());
}

TEST_F(ShellTest, OpenedTableTakesTheKeysAndCtrlASelectsEveryRecordCell)
{
    OpenRecords(2);
    CGridCtrl* grid = view->GetGrid();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->hasFocus());
    grid->MoveFocusTo(3, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectionBounds(), CellRange(3, 1, 9, 12)) << "two records: rows 3..8 and the spare row 9";
    EXPECT_EQ(grid->Store().SelectedCells().size(), 7u * 12u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(grid->GetFocusCell(), CellId(4, 1));
    EXPECT_EQ(grid->Store().SelectedCells().size(), 1u);
}

TEST_F(ShellTest, ToolbarButtonsImagesAndTooltips)
{
    const QList<QAction*> actions = frame->ToolBar()->actions();
    const std::vector<std::pair<UINT, QString>> expected = {
        {ID_FILE_OPEN, "Open"}, {ID_FILE_SAVE, "Save"}, {0, ""}, {ID_FILE_PRINT, "Print"}, {0, ""}, {ID_APP_ABOUT, "About"}};
    ASSERT_EQ(actions.size(), static_cast<int>(expected.size()));
    for (int i = 0; i < actions.size(); ++i) {
        const auto& [id, tip] = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(actions[i]->isSeparator(), id == 0) << i;
        if (id == 0)
            continue;
        EXPECT_EQ(actions[i], frame->CommandAction(id)) << i;
        EXPECT_EQ(actions[i]->toolTip(), tip) << i;
        EXPECT_FALSE(actions[i]->icon().isNull()) << i;
    }
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
}

TEST_F(ShellTest, StatusBarShowsReadyIndicatorsAndTheViewsMessages)
{
    EXPECT_EQ(frame->MessageText(), QStringLiteral("Ready"));
    const UINT ids[] = {res::ID_INDICATOR_CAPS, res::ID_INDICATOR_NUM, res::ID_INDICATOR_SCRL};
    ASSERT_EQ(frame->Indicators().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(frame->Indicators()[i]->IndicatorId(), ids[i]) << i;
    frame->Indicators()[0]->SetOn(true);
    EXPECT_EQ(frame->Indicators()[0]->text(), QStringLiteral("CAPS"));
    frame->Indicators()[0]->SetOn(false);
    EXPECT_EQ(frame->Indicators()[0]->text(), QString());
    view->OpenRecordFile(QStringLiteral("/nonexistent/x.bin"));
    EXPECT_TRUE(frame->MessageText().contains(QStringLiteral("/nonexistent/x.bin")));
}

TEST(AboutDialogTest, ShowsVersionAndClosesWithEnterOrEsc)
{
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted}, std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        AboutDialog about;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About Orvik Application System"));
        EXPECT_EQ(about.VersionLabel()->text(), QStringLiteral("Orvik Application System V2.25.En"));
        EXPECT_TRUE(about.OkButton()->isDefault());
        EXPECT_GE(about.VersionLabel()->width(),
                  about.VersionLabel()->fontMetrics().horizontalAdvance(about.VersionLabel()->text()));
        about.show();
        QTest::keyClick(&about, key);
        EXPECT_EQ(about.result(), result);
        EXPECT_FALSE(about.isVisible());
    }
}

} // namespace
