#include "app/COrvik50View.h"

#include "app/AppResources.h"
#include "app/FindBar.h"
#include "app/MessageBoxes.h"
#include "app/VerdictOverview.h"
#include "platform/BusyCursor.h"
#include "grid/CGridCtrl.h"
#include "records/RecordFileReader.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QResizeEvent>

namespace {

constexpr const char* kSaveFilter =
    "Microsoft Office Excel Workbook(*.xls)|*.xls|Text(Tab delimited)(*.txt)|*.txt |csv(Comma delimited)(*.csv)|*.csv|"
    "Excel Workbook (*.xlsx)|*.xlsx||";

RECT ToRect(const QRect& rect)
{
    return RECT{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

COrvik50View::COrvik50View(QWidget* parent)
    : QFrame(parent)
    , saveFilter(kSaveFilter)
    , openChooser(DefaultOpenChooser())
    , saveChooser(DefaultSaveChooser())
    , findBar(new FindBar(this))
{
    ConnectFindBar();
    // The view's own window: a bordered client area that the grid covers.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    errorReporter = [this](const QString& text) {
        QMessageBox::warning(this, QStringLiteral("Orvik50"), text);
    };
    templateMessageBox = [this](const std::string& text, unsigned style) { AfxMessageBox(this, text, style); };
    templateExport = [this] {
        RunTemplateExport(excel, QFile::encodeName(QDir::currentPath()).toStdString(), templateMessageBox);
    };
}

COrvik50View::~COrvik50View()
{
    DestroyGrid();
}

void COrvik50View::OnInitialUpdate()
{
    // File New runs this again: the grid is destroyed (not merely forgotten,
    // which would leave it on screen and leak it) and the records go with it.
    DestroyGrid();
    recordList.RemoveAll();
    if (overview)
        overview->close();   // it would describe a file no longer open
}

bool COrvik50View::OnCmdMsg(UINT id, bool execute)
{
    auto run = [execute](auto&& handler) {
        if (execute)
            handler();
        return true;
    };
    switch (id) {
    case res::ID_EDIT_FIND: return grid && run([this] { OnEditFind(); });
    case res::ID_FIND_NEXT: return grid && run([this] { FindAgain(true); });
    case res::ID_FIND_PREVIOUS: return grid && run([this] { FindAgain(false); });
    case res::ID_NEXT_FAILING_RECORD: return grid && run([this] { GoToFailingRecord(true); });
    case res::ID_PREVIOUS_FAILING_RECORD: return grid && run([this] { GoToFailingRecord(false); });
    case res::ID_VERDICT_OVERVIEW: return grid && run([this] { OnVerdictOverview(); });
    case ID_FILE_OPEN: return run([this] { OnFileOpen(); });
    case ID_FILE_SAVE: return run([this] { OnFileSave(); });
    case res::ID_TEMPLATE_EXPORT: return run([this] { OnTemplateExport(); });
    case ID_FILE_PRINT: return run([this] { OnFilePrint(); });
    case ID_FILE_PRINT_DIRECT: return run([this] { OnFilePrintDirect(); });
    case ID_FILE_PRINT_PREVIEW: return run([this] { OnFilePrintPreview(); });
    // The frame's copy, cut and paste keys go to the grid while it has the
    // keyboard focus; a command its rules disable is dropped, as the key of
    // a disabled command is. Without a grid nobody takes them.
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
        if (!grid)
            return false;
        if (execute && grid->hasFocus() && grid->IsEditCommandEnabled(id))
            grid->OnCommand(id);
        return true;
    default: return false;
    }
}

void COrvik50View::OnFileOpen()
{
    if (!openChooser)
        return;
    const std::optional<QString> path = openChooser(this);
    if (!path)
        return;
    OpenRecordFile(*path);
}

bool COrvik50View::OpenRecordFile(const QString& path)
{
    const BusyCursor busy;
    SetStatusText(QStringLiteral("Opening %1...").arg(path));
    RecordFileReadResult read = ReadRecordFile(QFile::encodeName(path).toStdString());
    if (!read.ok) {
        SetStatusText(QStringLiteral("Cannot open %1: %2").arg(path, QString::fromStdString(read.error)));
        return false;
    }
    const std::size_t readCount = read.ReadCount();
    const bool complete = read.IsComplete();
    const RECT clientRect = ToRect(GridArea());
    // The old grid goes before its records: its texts are made from them.
    DestroyGrid();
    recordList.Swap(read.records);
    openedPath = path;
    SetStatusText(QStringLiteral("Opening %1: %2 records...").arg(path).arg(readCount));
    BuildGrid(clientRect);
    // The keys go to the table at once: Ctrl+A, Ctrl+C and the arrows once a cell is chosen.
    grid->setFocus(Qt::OtherFocusReason);
    if (overview)
        overview->Describe(recordList, path);

    if (complete)
        SetStatusText(QStringLiteral("Ready"));
    else
        SetStatusText(QStringLiteral("%1: read %2 of %3 records").arg(path).arg(readCount).arg(read.announcedCount));
    return true;
}

void COrvik50View::DestroyGrid()
{
    countTimer.stop();   // the count reads the grid's texts
    findBar->ShowResult(QString(), true);
    if (!grid)
        return;
    grid->DeleteAllItems();
    delete grid;
    grid = nullptr;
}

void COrvik50View::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutChildren();
}

void COrvik50View::OnTemplateExport()
{
    // Needs no open record file: the export writes headings only.
    if (templateExport)
        templateExport();
}

void COrvik50View::SetStatusText(const QString& text)
{
    statusText = text;
    emit StatusTextChanged(text);
}
