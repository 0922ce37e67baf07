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
#include <QMouseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

TEST(MenuTableTest, TopLevelItemsAndEntriesInOrder)
{
    const auto& menu = res::MainMenu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].text, "File(&F)");
    const std::vector<std::pair<std::string, UINT>> file = {
        {"Open(&O)...\tCtrl+O", 0xE101}, {"Save(&S)\tCtrl+S", 0xE103}, {"", 0},
        {"Print(&P)...\tCtrl+P", 0xE107}, {"Print Preview(&W)\tCtrl+W", 0xE109}, {"", 0}, {"Exit", 0xE141}};
    ASSERT_EQ(menu[0].entries.size(), file.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(menu[0].entries[i].text, file[i].first) << i;
        EXPECT_EQ(menu[0].entries[i].id, file[i].second) << i;
    }
    EXPECT_EQ(menu[1].text, "Help(&H)");
    ASSERT_EQ(menu[1].entries.size(), 1u);
    EXPECT_EQ(menu[1].entries[0].text, "About Orvik Application System(&A)...");
    EXPECT_EQ(menu[1].entries[0].id, 0xE140u);
    EXPECT_EQ(menu[2].text, "");
    EXPECT_EQ(menu[2].command, 0x8003u);
    EXPECT_EQ(menu[3].text, "");
    EXPECT_EQ(menu[3].command, 0xFFFFu);
}

TEST(AcceleratorTableTest, KeysAndCommandsInOrder)
{
    const std::vector<std::pair<QString, UINT>> expected = {
        {"Ctrl+C", 0xE122}, {"Ctrl+N", 0xE100}, {"Ctrl+O", 0xE101}, {"Ctrl+S", 0xE103},
        {"Ctrl+V", 0xE125}, {"Alt+Backspace", 0xE12B}, {"Shift+Del", 0xE123}, {"F6", 0xE150},
        {"Shift+F6", 0xE151}, {"Ctrl+Ins", 0xE122}, {"Shift+Ins", 0xE125}, {"Ctrl+W", 0xE109},
        {"Ctrl+X", 0xE123}, {"Ctrl+Z", 0xE12B}};
    const auto& table = res::AcceleratorTable();
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(AcceleratorKeys(table[i]).toString(), expected[i].first) << i;
        EXPECT_EQ(table[i].command, expected[i].second) << i;
        EXPECT_EQ(table[i].flags & (res::FVIRTKEY | res::FNOINVERT), res::FVIRTKEY | res::FNOINVERT) << i;
    }
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
        view->SetOpenChooser([this](QWidget*) {
            ++openDialogs;
            return std::optional<QString>();
        });
        view->SetPrintDialogRunner([this](QPrinter&, CPrintInfo&) {
            ++printDialogs;
            return false;
        });
        view->SetTemplateExport([this] { ++templateExports; });
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }

    QAction* TopLevelAction(int index) { return frame->menuBar()->actions().value(index); }

    ViewerApp app;
    CMainFrame* frame = nullptr;
    COrvik50View* view = nullptr;
    int openDialogs = 0;
    int printDialogs = 0;
    int templateExports = 0;
};

TEST_F(ShellTest, FrameOpensMaximisedWithTheFixedTitleAndSettingsKey)
{
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvik Application System"));
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Orvik50"));
    EXPECT_EQ(frame->centralWidget(), view);
}

TEST_F(ShellTest, OpeningAFileLeavesTheTitle)
{
    RecordFileFolder folder;
    ASSERT_TRUE(view->OpenRecordFile(folder.Write(QStringLiteral("t.bin"), NumberedRecords(1))));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvik Application System"));
}

TEST_F(ShellTest, MenuBarShowsTheTableAndBlankEntriesCanBeClicked)
{
    ASSERT_EQ(frame->menuBar()->actions().size(), 4);
    EXPECT_EQ(TopLevelAction(0)->text(), QStringLiteral("File(&F)"));
    EXPECT_EQ(TopLevelAction(1)->text(), QStringLiteral("Help(&H)"));
    QAction* exportEntry = TopLevelAction(2);
    QAction* deadEntry = TopLevelAction(3);
    EXPECT_EQ(exportEntry, frame->CommandAction(0x8003));
    EXPECT_EQ(exportEntry->text().trimmed(), QString()) << "the entry shows no caption";
    EXPECT_TRUE(exportEntry->isEnabled());
    EXPECT_FALSE(deadEntry->isEnabled()) << "no handler takes 0xFFFF";
    EXPECT_FALSE(exportEntry->statusTip().isEmpty());

    const QRect place = frame->menuBar()->actionGeometry(exportEntry);
    EXPECT_GE(place.width(), 12) << "a blank entry must still be wide enough to click";
    QMouseEvent pointerMove(QEvent::MouseMove, QPointF(place.center()), frame->menuBar()->mapToGlobal(QPointF(place.center())),
                            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frame->menuBar(), &pointerMove);
    EXPECT_EQ(frame->StatusBar()->currentMessage(), exportEntry->statusTip())
        << "pointing at the blank entry shows its prompt";
    QTest::mouseClick(frame->menuBar(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(templateExports, 1);
}

TEST_F(ShellTest, FileMenuEntriesCarryPromptsAndHandlers)
{
    QMenu* file = TopLevelAction(0)->menu();
    ASSERT_NE(file, nullptr);
    const QList<QAction*> entries = file->actions();
    ASSERT_EQ(entries.size(), 7);
    EXPECT_TRUE(entries[2]->isSeparator());
    EXPECT_TRUE(entries[5]->isSeparator());
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Open(&O)...\tCtrl+O"));
    EXPECT_EQ(entries[0]->statusTip(), QStringLiteral("Opens an existing document"));
    EXPECT_EQ(entries[3]->statusTip(), QStringLiteral("Prints all or part of the document"));
    for (int i : {0, 1, 3, 4, 6})
        EXPECT_TRUE(entries[i]->isEnabled()) << i;
    EXPECT_TRUE(entries[0]->shortcut().isEmpty()) << "keys come from the accelerator table only";
}

TEST_F(ShellTest, CtrlOOpensAndCtrlPDoesNotPrint)
{
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(openDialogs, 1);
    QTest::keyClick(frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printDialogs, 0);
    for (QShortcut* shortcut : frame->Accelerators())
        EXPECT_NE(shortcut->key(), QKeySequence(QStringLiteral("Ctrl+P")));
    frame->CommandAction(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(printDialogs, 1) << "File > Print starts printing";
}

TEST_F(ShellTest, OpenRunsFromMenuToolbarAndKeyAlike)
{
    frame->CommandAction(ID_FILE_OPEN)->trigger();
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    QWidget* button = frame->ToolBar()->widgetForAction(frame->CommandAction(ID_FILE_OPEN));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(openDialogs, 3);
}

TEST_F(ShellTest, CtrlNDestroysTheGrid)
{
    RecordFileFolder folder;
    ASSERT_TRUE(view->OpenRecordFile(folder.Write(QStringLiteral("n.bin"), NumberedRecords(2))));
    ASSERT_NE(view->GetGrid(), nullptr);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(view->GetGrid(), nullptr);
    EXPECT_EQ(view->Records().GetSize(), 0u);
    EXPECT_TRUE(view->findChildren<CGridCtrl*>().isEmpty());
}

TEST_F(ShellTest, CommandRouteTakesWhatTheViewDocumentFrameOrApplicationHandles)
{
    for (UINT id : {ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, res::ID_TEMPLATE_EXPORT,
                    ID_APP_ABOUT, ID_APP_EXIT, ID_FILE_NEW, res::ID_NEXT_PANE})
        EXPECT_TRUE(frame->HasHandler(id)) << std::hex << id;
    for (UINT id : {res::ID_UNHANDLED_COMMAND, res::ID_EDIT_UNDO, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(frame->HasHandler(id)) << std::hex << id << " without a grid";
    // Once a grid is shown, the copy, cut and paste keys reach it.
    RecordFileFolder folder;
    ASSERT_TRUE(view->OpenRecordFile(folder.Write(QStringLiteral("c.bin"), NumberedRecords(1))));
    for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE})
        EXPECT_TRUE(frame->HasHandler(id)) << std::hex << id;
    EXPECT_FALSE(frame->HasHandler(res::ID_EDIT_UNDO));
}

TEST_F(ShellTest, ToolbarButtonsImagesAndTooltips)
{
    const QList<QAction*> actions = frame->ToolBar()->actions();
    ASSERT_EQ(actions.size(), 6);
    const UINT ids[] = {ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_FILE_PRINT, 0, ID_APP_ABOUT};
    const char* tips[] = {"Open", "Save", "", "Print", "", "About"};
    for (int i = 0; i < 6; ++i) {
        if (ids[i] == 0) {
            EXPECT_TRUE(actions[i]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(actions[i], frame->CommandAction(ids[i])) << i;
        EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(tips[i])) << i;
        EXPECT_FALSE(actions[i]->icon().isNull()) << i;
    }
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
}

TEST_F(ShellTest, StatusBarHasMessagePaneAndThreeIndicators)
{
    EXPECT_EQ(frame->MessageText(), QStringLiteral("Ready"));
    ASSERT_EQ(frame->Indicators().size(), 3u);
    EXPECT_EQ(frame->Indicators()[0]->IndicatorId(), res::ID_INDICATOR_CAPS);
    EXPECT_EQ(frame->Indicators()[1]->IndicatorId(), res::ID_INDICATOR_NUM);
    EXPECT_EQ(frame->Indicators()[2]->IndicatorId(), res::ID_INDICATOR_SCRL);
    frame->Indicators()[0]->SetOn(true);
    EXPECT_EQ(frame->Indicators()[0]->text(), QStringLiteral("CAPS"));
    frame->Indicators()[0]->SetOn(false);
    EXPECT_EQ(frame->Indicators()[0]->text(), QString());
}

TEST_F(ShellTest, ViewStatusTextReachesTheMessagePane)
{
    view->OpenRecordFile(QStringLiteral("/nonexistent/x.bin"));
    EXPECT_TRUE(frame->MessageText().contains(QStringLiteral("/nonexistent/x.bin")));
}

TEST(AboutDialogTest, ShowsVersionAndClosesWithEnterOrEsc)
{
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted}, std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        AboutDialog about;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About Orvik Application System"));
        EXPECT_EQ(about.VersionLabel()->text(), QStringLiteral("Orvik Application System V2.25.En"));
        EXPECT_EQ(about.OkButton()->text(), QStringLiteral("OK"));
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
