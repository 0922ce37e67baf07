// The shell: resource tables, the frame built from them, command routing,
// toolbar, status bar, files dropped on the window and the About box.
#include "AppTestSupport.h"

#include "app/AboutDialog.h"
#include "app/AcceleratorKeys.h"
#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/LockIndicators.h"
#include "app/PrintPreviewWindow.h"
#include "app/StringTable.h"
#include "app/ViewerApp.h"
#include "grid/CGridCtrl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace {

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
    int openDialogs = 0, printDialogs = 0, templateExports = 0;
};

// The menu and accelerator tables, and the string table; a command on the menu or the toolbar
// shows the part before the newline in the status bar, the rest is its tooltip.
TEST_F(ShellTest, ResourceTablesInOrderAndTheMenusPrompts)
{
    // Each top-level item, then its drop-down entries marked with "> ".
    std::vector<std::pair<std::string, UINT>> flat;
    for (const res::TopLevelItem& item : res::MainMenu()) {
        flat.push_back({item.text, item.command});
        for (const res::MenuEntry& entry : item.entries)
            flat.push_back({"> " + entry.text, entry.id});
    }
    EXPECT_EQ(flat, (std::vector<std::pair<std::string, UINT>>{
        {"File(&F)", 0}, {"> Open(&O)...\tCtrl+O", 0xE101}, {"> Save(&S)\tCtrl+S", 0xE103}, {"> ", 0},
        {"> Print(&P)...\tCtrl+P", 0xE107}, {"> Print Preview(&W)\tCtrl+W", 0xE109}, {"> ", 0}, {"> Exit", 0xE141},
        {"Help(&H)", 0}, {"> About Orvik Application System(&A)...", 0xE140}, {"", 0x8003}, {"", 0xFFFF}}));
    std::vector<std::pair<std::string, UINT>> keys;
    for (const res::Accelerator& accelerator : res::AcceleratorTable()) {
        keys.push_back({AcceleratorKeys(accelerator).toString().toStdString(), accelerator.command});
        EXPECT_EQ(accelerator.flags & (res::FVIRTKEY | res::FNOINVERT), res::FVIRTKEY | res::FNOINVERT);
    }
    EXPECT_EQ(keys, (std::vector<std::pair<std::string, UINT>>{
        {"Ctrl+C", 0xE122}, {"Ctrl+N", 0xE100}, {"Ctrl+O", 0xE101}, {"Ctrl+S", 0xE103}, {"Ctrl+V", 0xE125},
        {"Alt+Backspace", 0xE12B}, {"Shift+Del", 0xE123}, {"F6", 0xE150}, {"Shift+F6", 0xE151},
        {"Ctrl+Ins", 0xE122}, {"Shift+Ins", 0xE125}, {"Ctrl+W", 0xE109}, {"Ctrl+X", 0xE123}, {"Ctrl+Z", 0xE12B}}));
    // The prompts of the frame's commands, and a sample of the rest: a Chinese
    // prompt and the ends of the recent-file range. ("Ready" and the lock
    // panes' texts are checked on the status bar.)
    const std::pair<UINT, std::string> texts[] = {
        {0x8003, "Writes the column headings into a new workbook made from the template Book11"},
        {0xE101, "Opens an existing document\nOpen"}, {0xE103, "Saves the document\nSave"},
        {0xE107, "Prints all or part of the document\nPrint"}, {0xE109, "Print Preview\nPrint Preview"},
        {0xE140, "Show the program info,version and copyrights\nAbout"}, {0xE141, "Quits the application\nExit"},
        {0xE122, "复制被选对象并将其置于剪贴板上\n复制"}, {0xE110, "打开该文档"}, {0xE11F, "打开该文档"},
        {0xE120, "删除被选对象\n删除"}, {0x1234, ""}};
    int shownOnTheFrame = 0;
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(res::LoadString(id), text) << std::hex << id;
        if (QAction* action = frame->CommandAction(id)) {
            EXPECT_EQ(action->statusTip().toStdString(), text.substr(0, text.find('\n'))) << std::hex << id;
            ++shownOnTheFrame;
        }
    }
    EXPECT_EQ(shownOnTheFrame, 8) << "Open, Save, Print, Print Preview, Exit, About, the blank entry and Copy";
    EXPECT_EQ(res::TooltipText(0xE106), "Pint setup");
    EXPECT_EQ(res::TooltipText(0xEF00), "");
}

TEST_F(ShellTest, FrameStatusBarAndMenuBar)
{
    EXPECT_EQ(frame->MessageText(), QStringLiteral("Ready"));
    // Each pane shows its text exactly while the keyboard reports its lock on.
    const LockKeyState keys = QueryLockKeyState();
    QTest::qWait(300);   // one refresh of the panes
    std::vector<std::pair<UINT, QString>> panes;
    for (const LockIndicatorPane* pane : frame->Indicators())
        panes.push_back({pane->IndicatorId(), pane->text()});
    EXPECT_EQ(panes, (std::vector<std::pair<UINT, QString>>{
        {0xE701, keys.caps ? "CAPS" : ""}, {0xE702, keys.num ? "NUM" : ""}, {0xE703, keys.scroll ? "SCRL" : ""}}));
    view->OpenRecordFile(QStringLiteral("/nonexistent/x.bin"));
    EXPECT_TRUE(frame->MessageText().contains(QStringLiteral("/nonexistent/x.bin")));
    EXPECT_TRUE(frame->isMaximized() && !frame->windowIcon().isNull() && frame->centralWidget() == view);
    EXPECT_EQ(QCoreApplication::organizationName() + "|" + QCoreApplication::applicationName(),
              QStringLiteral("Local AppWizard-Generated Applications|Orvik50"));
    OpenRecords(1);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvik Application System"));
    ASSERT_EQ(frame->menuBar()->actions().size(), 6);
    EXPECT_EQ(TopLevelAction(3)->text(), QStringLiteral("Help(&H)"));
    const QList<QAction*> file = TopLevelAction(0)->menu()->actions();
    ASSERT_EQ(file.size(), 7);
    EXPECT_TRUE(file[2]->isSeparator() && file[5]->isSeparator());
    EXPECT_TRUE(file[0]->shortcut().isEmpty()) << "keys come from the accelerator table only";
    QAction* exportEntry = TopLevelAction(4);
    EXPECT_EQ(exportEntry, frame->CommandAction(0x8003));
    EXPECT_EQ(exportEntry->text().trimmed(), QString()) << "the entry shows no caption";
    EXPECT_FALSE(TopLevelAction(5)->isEnabled()) << "no handler takes 0xFFFF";
    const QRect entry = frame->menuBar()->actionGeometry(exportEntry);
    EXPECT_GE(entry.width(), 12) << "a blank entry must be wide enough to click";
    QMouseEvent pointerMove(QEvent::MouseMove, QPointF(entry.center()), frame->menuBar()->mapToGlobal(QPointF(entry.center())),
                            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frame->menuBar(), &pointerMove);
    // The prompt itself is pinned by the string-table test.
    EXPECT_EQ(frame->StatusBar()->currentMessage(), exportEntry->statusTip()) << "pointing shows the entry's prompt";
    QTest::mouseClick(frame->menuBar(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(templateExports, 1);
}

TEST_F(ShellTest, OpenRunsFromMenuToolbarAndKeyAndOnlyFilePrintAsksBeforePrinting)
{
    frame->CommandAction(ID_FILE_OPEN)->trigger();
    QTest::keyClick(frame, Qt::Key_O, Qt::ControlModifier);
    QWidget* button = frame->ToolBar()->widgetForAction(frame->CommandAction(ID_FILE_OPEN));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(openDialogs, 3);
    QTest::keyClick(frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printDialogs, 1) << "Ctrl+P prints, as File > Print shows";

    OpenRecords(2);
    const QString pdf = folder.Path(QStringLiteral("direct.pdf"));
    view->SetPrinterSetup([&pdf](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); p.setOutputFileName(pdf); });
    EXPECT_TRUE(frame->SendCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_GT(QFileInfo(pdf).size(), 0) << "the report went to the default printer";
    QFile::remove(pdf);
    frame->CommandAction(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(printDialogs, 2) << "File > Print asks first";
    EXPECT_FALSE(QFileInfo::exists(pdf)) << "Print waits for the dialog, which was cancelled";
}

TEST_F(ShellTest, CommandRouteFollowsTheGridWhichTakesTheKeysAndCtrlNDestroysIt)
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
    // The opened table takes the keys; Ctrl+A selects every record cell.
    CGridCtrl* grid = view->GetGrid();
    EXPECT_TRUE(grid->hasFocus());
    grid->MoveFocusTo(3, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectionBounds(), CellRange(3, 1, 9, 12)) << "two records: rows 3..8 and the spare row 9";
    EXPECT_EQ(grid->Store().SelectedCells().size(), 7u * 12u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(grid->GetFocusCell(), CellId(4, 1));
    EXPECT_EQ(grid->Store().SelectedCells().size(), 1u);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(view->GetGrid(), nullptr);
    EXPECT_EQ(view->Records().GetSize(), 0u);
    EXPECT_TRUE(view->findChildren<CGridCtrl*>().isEmpty());
}

TEST_F(ShellTest, AcceleratorKeysReachTheirCommands)
{
    int saveDialogs = 0;
    view->SetSaveChooser([&saveDialogs](QWidget*, const QStringList&) { ++saveDialogs; return std::optional<SaveChoice>(); });
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto cell = [this] { return view->GetGrid()->GetItemText(3, 1); };
    bool previewShown = false;
    struct KeyCase { const char* keys; Qt::Key key; Qt::KeyboardModifiers modifiers; std::function<bool()> reached; };
    const std::vector<KeyCase> cases = {
        {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, [&] { return saveDialogs == 1; }},
        {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, [&] { return clipboard->text().startsWith("OLT-1"); }},
        {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, [&] { return cell() == "PASTED"; }},
        {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, [&] { return cell().empty() && clipboard->text().startsWith("OLT-1"); }},
        {"Ctrl+W", Qt::Key_W, Qt::ControlModifier, [&] { return previewShown; }},
    };
    for (const KeyCase& keyCase : cases) {
        saveDialogs = 0;
        OpenRecords(2);
        view->GetGrid()->MoveFocusTo(3, 1);
        view->GetGrid()->ApplySelectionRange(3, 1, 3, 1);
        clipboard->setText(QStringLiteral("PASTED"));
        // The preview is modal: note it and close it from inside its loop.
        QTimer::singleShot(0, [&previewShown] {
            if (auto* preview = qobject_cast<PrintPreviewWindow*>(QApplication::activeModalWidget())) {
                previewShown = true;
                preview->reject();
            }
        });
        QTest::keyClick(QApplication::focusWidget(), keyCase.key, keyCase.modifiers);
        EXPECT_TRUE(keyCase.reached()) << keyCase.keys;
    }
}

TEST_F(ShellTest, ToolbarButtonsImagesTooltipsAndNoContextMenus)
{
    // Each button is its command's action with its tip and an image; 0 is a separator.
    const std::pair<UINT, QString> expected[] = {
        {ID_FILE_OPEN, "Open"}, {ID_FILE_SAVE, "Save"}, {0, ""}, {ID_FILE_PRINT, "Print"}, {0, ""}, {ID_APP_ABOUT, "About"}};
    const QList<QAction*> actions = frame->ToolBar()->actions();
    ASSERT_EQ(actions.size(), 6);
    for (int i = 0; i < 6; ++i) {
        const auto& [id, tip] = expected[i];
        QAction* action = actions[i];
        EXPECT_TRUE(id == 0 ? action->isSeparator()
                            : action == frame->CommandAction(id) && action->toolTip() == tip && !action->icon().isNull()) << i;
    }
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
    // A right click on the toolbar or the menu bar opens no menu.
    for (QWidget* bar : {static_cast<QWidget*>(frame->ToolBar()), static_cast<QWidget*>(frame->menuBar())}) {
        bool menuShown = false;
        QTimer::singleShot(0, [&menuShown] {
            if (QWidget* popup = QApplication::activePopupWidget()) { menuShown = true; popup->close(); }
        });
        const QPoint at(bar->width() - 3, bar->height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &click);
        QCoreApplication::processEvents();
        EXPECT_FALSE(menuShown) << bar->metaObject()->className();
    }
}

// A file manager's drag, offering copy or move as they do, over the empty
// part of the grid's client area right of and below the table: the window
// system delivers every event there, to the viewport, and the window takes
// the drop when the drag reaches it. The drop action is returned
// (IgnoreAction when nobody took the drag).
Qt::DropAction Drop(COrvik50View* view, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QWidget* over = view->GetGrid()->viewport();
    const QPoint empty(over->width() - 5, over->height() - 5);
    QDragEnterEvent enter(empty, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(over, &enter);
    QDragMoveEvent move(empty, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(over, &move);
    if (!enter.isAccepted() || !move.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(empty, offered, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(over, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

using FrameDropTest = ShellTest;

// The window takes local files as a copy (a move would let the file manager
// delete the file), opens the first and keeps the others' fate in the status bar.
TEST_F(FrameDropTest, OpensTheFirstDroppedFileAndSaysSoForSeveral)
{
    OpenRecords(1);
    const QString two = folder.Write(QStringLiteral("two.bin"), NumberedRecords(2));
    const QString five = folder.Write(QStringLiteral("five.bin"), NumberedRecords(5));
    const QString shortened = folder.Write(QStringLiteral("short.bin"), NumberedRecords(2), 4);
    const QString missing = folder.Path(QStringLiteral("missing.bin"));
    const struct {
        const char* name;
        QList<QUrl> urls;
        Qt::DropAction action;
        int rows;          // 3 per record and 4 more
        QString message;   // empty: the view's own message
    } cases[] = {
        {"one file", {QUrl::fromLocalFile(two)}, Qt::CopyAction, 10, QStringLiteral("Ready")},
        {"several files", {QUrl::fromLocalFile(five), QUrl::fromLocalFile(two), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 19, QStringLiteral("Opened %1, the first of 3 dropped files").arg(five)},
        {"web link before a file", {QUrl(QStringLiteral("https://example.org/a.bin")), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 10, QStringLiteral("Ready")},
        {"shortened first file", {QUrl::fromLocalFile(shortened), QUrl::fromLocalFile(five)}, Qt::CopyAction, 10,
         QStringLiteral("%1: read 2 of 4 records (the first of 2 dropped files)").arg(shortened)},
        {"missing first file keeps the table", {QUrl::fromLocalFile(missing), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 10, QStringLiteral("Cannot open %1").arg(missing)},
        {"only web links", {QUrl(QStringLiteral("https://example.org/a.bin"))}, Qt::IgnoreAction, 10, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Drop(view, c.urls), c.action);
        EXPECT_EQ(view->GetGrid()->GetRowCount(), c.rows);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(frame->MessageText().startsWith(c.message)) << frame->MessageText().toStdString();
        }
    }
    EXPECT_TRUE(frame->MessageText().endsWith(QStringLiteral("(the first of 2 dropped files)")));
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
