// Record files dropped on the main window from a file manager.
#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "app/ViewerApp.h"
#include "grid/CGridCtrl.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

class FrameDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.GetMainWnd();
        view = app.GetView();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        ASSERT_TRUE(view->OpenRecordFile(folder.Write(QStringLiteral("first.bin"), NumberedRecords(1))));
    }

    // A file manager's drag, offering copy or move as they do, over the empty
    // part of the grid's client area right of and below the table: the window
    // system delivers every event there, to the viewport, and the window takes
    // the drop when the drag reaches it. The drop action is returned
    // (IgnoreAction when nobody took the drag).
    Qt::DropAction Drop(const QList<QUrl>& urls)
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
    int GridRecords() const { return (view->GetGrid()->GetRowCount() - 4) / 3; }

    ViewerApp app;
    RecordFileFolder folder;
    CMainFrame* frame = nullptr;
    COrvik50View* view = nullptr;
};

// The window takes local files as a copy (a move would let the file manager
// delete the file), opens the first and keeps the others' fate in the status bar.
TEST_F(FrameDropTest, OpensTheFirstDroppedFileAndSaysSoForSeveral)
{
    const QString two = folder.Write(QStringLiteral("two.bin"), NumberedRecords(2));
    const QString five = folder.Write(QStringLiteral("five.bin"), NumberedRecords(5));
    const QString shortened = folder.Write(QStringLiteral("short.bin"), NumberedRecords(2), 4);
    const QString missing = folder.Path(QStringLiteral("missing.bin"));
    const struct {
        const char* name;
        QList<QUrl> urls;
        Qt::DropAction action;
        int records;
        QString message;   // empty: the view's own message
    } cases[] = {
        {"one file", {QUrl::fromLocalFile(two)}, Qt::CopyAction, 2, QStringLiteral("Ready")},
        {"several files", {QUrl::fromLocalFile(five), QUrl::fromLocalFile(two), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 5, QStringLiteral("Opened %1, the first of 3 dropped files").arg(five)},
        {"web link before a file", {QUrl(QStringLiteral("https://example.org/a.bin")), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 2, QStringLiteral("Ready")},
        {"shortened first file", {QUrl::fromLocalFile(shortened), QUrl::fromLocalFile(five)}, Qt::CopyAction, 2,
         QStringLiteral("%1: read 2 of 4 records (the first of 2 dropped files)").arg(shortened)},
        {"missing first file keeps the table", {QUrl::fromLocalFile(missing), QUrl::fromLocalFile(two)},
         Qt::CopyAction, 2, QStringLiteral("Cannot open %1").arg(missing)},
        {"only web links", {QUrl(QStringLiteral("https://example.org/a.bin"))}, Qt::IgnoreAction, 2, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Drop(c.urls), c.action);
        EXPECT_EQ(GridRecords(), c.records);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(frame->MessageText().startsWith(c.message)) << frame->MessageText().toStdString();
        }
    }
    EXPECT_TRUE(frame->MessageText().endsWith(QStringLiteral("(the first of 2 dropped files)")));
}

} // namespace
