// Record files dropped on the main window from a file manager.
#include "app/CMainFrame.h"

#include "app/AppResources.h"
#include "app/COrvik50View.h"
#include "app/StringTable.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The local files among the dragged URLs, in the order the source gave them.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

// Takes the drag as a copy: a file manager offering a move would otherwise
// delete the file it thinks we took.
void AcceptAsCopy(QDropEvent* event)
{
    if (!(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (LocalFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        AcceptAsCopy(event);
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event)
{
    if (LocalFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        AcceptAsCopy(event);
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    AcceptAsCopy(event);
    if (event->isAccepted())
        OpenDroppedFiles(files);
}

void CMainFrame::OpenDroppedFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !activeView)
        return;
    const bool opened = activeView->OpenRecordFile(paths.first());
    if (paths.size() == 1)
        return;   // the view has said what happened
    // A failure or a shortened file keeps the view's own message.
    const QString viewText = activeView->StatusText();
    const QString idleText = QString::fromStdString(res::LoadString(res::AFX_IDS_IDLEMESSAGE));
    if (opened && viewText == idleText)
        SetMessageText(QStringLiteral("Opened %1, the first of %2 dropped files").arg(paths.first()).arg(paths.size()));
    else
        SetMessageText(QStringLiteral("%1 (the first of %2 dropped files)").arg(viewText).arg(paths.size()));
}
