// Finding in the record table: the find bar's search as you type, Find Next
// and Previous, counting the matches without holding up the keyboard, the
// step to the next failing record, and the verdict overview.
#include "app/COrvik50View.h"

#include "app/AppResources.h"
#include "app/FindBar.h"
#include "app/VerdictOverview.h"
#include "grid/CGridCtrl.h"
#include "records/RecordTableLayout.h"
#include "records/RecordTexts.h"

#include <QApplication>
#include <algorithm>

using namespace record_table;

namespace {

// Positions counted between two looks at the event queue: a few milliseconds.
constexpr long long kCountSlice = 60000;

const QString kContinuedFromTop = QStringLiteral("Continued from the top");
const QString kContinuedFromBottom = QStringLiteral("Continued from the bottom");

bool IsFailingWord(std::string_view text)
{
    return text == VerdictWord(ThresholdVerdict::Fail) || text == VerdictWord(ThresholdVerdict::Wrng);
}

// Runs `change` on the grid and gives the keyboard back to whoever had it:
// the grid takes the keyboard whenever it scrolls or is resized.
template <typename Change>
void KeepingKeyboard(QWidget* grid, Change change)
{
    QWidget* typing = QApplication::focusWidget();
    change();
    if (typing && typing != grid && QApplication::focusWidget() == grid)
        typing->setFocus(Qt::OtherFocusReason);
}

} // namespace

void COrvik50View::ConnectFindBar()
{
    connect(findBar, &FindBar::SearchChanged, this, &COrvik50View::SearchAsTyped);
    connect(findBar, &FindBar::NextRequested, this, [this] { FindAgain(true); });
    connect(findBar, &FindBar::PreviousRequested, this, [this] { FindAgain(false); });
    connect(findBar, &FindBar::Closed, this, [this] {
        countTimer.stop();
        LayoutChildren();
        if (grid)
            grid->setFocus(Qt::OtherFocusReason);
    });
    countTimer.setInterval(0);
    connect(&countTimer, &QTimer::timeout, this, &COrvik50View::CountSlice);
}

bool COrvik50View::IsCommandEnabled(UINT id) const
{
    switch (id) {
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL: return grid && grid->IsEditCommandEnabled(id);
    default: return true;
    }
}

QRect COrvik50View::GridArea() const
{
    QRect area = contentsRect();
    if (findBar->isVisibleTo(this))
        area.setBottom(area.bottom() - findBar->sizeHint().height());
    return area;
}

void COrvik50View::LayoutChildren()
{
    const QRect area = GridArea();
    findBar->setGeometry(area.left(), area.bottom() + 1, area.width(), contentsRect().bottom() - area.bottom());
    if (grid)
        KeepingKeyboard(grid, [&] { grid->setGeometry(area); });
}

void COrvik50View::OnEditFind()
{
    findBar->Open();
    LayoutChildren();
}

void COrvik50View::SearchAsTyped()
{
    FindFromFocus(true, true);
}

void COrvik50View::FindAgain(bool forward)
{
    if (findBar->Text().isEmpty()) {
        OnEditFind();
        return;
    }
    // A closed bar comes back with the last text; the keyboard stays where it is.
    if (!findBar->isVisibleTo(this)) {
        findBar->show();
        LayoutChildren();
    }
    FindFromFocus(forward, false);
}

void COrvik50View::FindFromFocus(bool forward, bool includeFrom)
{
    countTimer.stop();
    if (statusText == kContinuedFromTop || statusText == kContinuedFromBottom)
        SetStatusText(QStringLiteral("Ready"));
    const GridTextMatcher matcher(findBar->Text().toStdString(), findBar->MatchCase());
    if (!grid || matcher.IsEmpty()) {
        findBar->ShowResult(QString(), true);
        return;
    }
    const GridFindResult found = FindCell(grid->Store(), matcher, grid->GetFocusCell(), forward, includeFrom);
    if (!found.Found()) {
        findBar->ShowResult(QStringLiteral("No match"), false);
        return;
    }
    GoToCell(found.cell);
    if (found.wrapped)
        SetStatusText(forward ? kContinuedFromTop : kContinuedFromBottom);
    count.matcher = matcher;
    StartCounting(found.cell);
}

void COrvik50View::GoToCell(CellId cell)
{
    const GridCellMerge merge = grid->GetCellMerge(cell.row, cell.col);
    grid->MoveFocusTo(cell.row, cell.col);
    grid->ApplySelectionRange(cell.row, cell.col, cell.row + merge.rowSpan, cell.col + merge.colSpan);
    KeepingKeyboard(grid, [&] { grid->EnsureVisible(cell.row, cell.col); });
}

void COrvik50View::StartCounting(CellId current)
{
    count.next = count.total = count.before = 0;
    count.current = GridSearchOrder(grid->Store()).PositionOf(current);
    findBar->ShowResult(QStringLiteral("Counting..."), true);
    countTimer.start();
}

void COrvik50View::CountSlice()
{
    const long long size = GridSearchOrder(grid->Store()).Size();
    const long long end = std::min(size, count.next + kCountSlice);
    // The slice in two parts, before the current match and from it on: each cell is read once.
    const long long split = std::clamp(count.current, count.next, end);
    const long long before = CountMatches(grid->Store(), count.matcher, count.next, split);
    count.before += before;
    count.total += before + CountMatches(grid->Store(), count.matcher, split, end);
    count.next = end;
    if (end < size)
        return;
    countTimer.stop();
    findBar->ShowResult(QStringLiteral("%1 of %2").arg(count.before + 1).arg(count.total), true);
}

void COrvik50View::GoToFailingRecord(bool forward)
{
    const int records = static_cast<int>(recordList.GetSize());
    const CellId focus = grid->GetFocusCell();
    // Without a focus cell the search starts before the first record; from
    // the blank row under the last record it goes on from the top.
    int current = forward ? -1 : records;
    if (focus.row >= kHeaderRows)
        current = std::min((focus.row - kHeaderRows) / kRowsPerRecord, forward ? records - 1 : records);
    // Every record once, the one with the focus last.
    for (int k = 1; k <= records; ++k) {
        const int unwrapped = forward ? current + k : current - k;
        const int record = (unwrapped % records + records) % records;
        for (int wavelength = 0; wavelength < kRowsPerRecord; ++wavelength) {
            const int row = kHeaderRows + kRowsPerRecord * record + wavelength;
            if (!IsFailingWord(grid->Store().ItemTextView(row, kVerdictColumn)))
                continue;
            GoToCell({row, kVerdictColumn});
            if (unwrapped != record)
                SetStatusText(forward ? kContinuedFromTop : kContinuedFromBottom);
            return;
        }
    }
    SetStatusText(QStringLiteral("No failing record"));
}

void COrvik50View::OnVerdictOverview()
{
    if (!overview) {
        overview = new VerdictOverview(window());
        overview->setAttribute(Qt::WA_DeleteOnClose);
        connect(overview, &VerdictOverview::VerdictChosen, this, &COrvik50View::GoToFirstVerdict);
        overview->Describe(recordList, openedPath);
    }
    overview->show();
    overview->raise();
    overview->activateWindow();
}

VerdictOverview* COrvik50View::Overview() const
{
    return overview;
}

void COrvik50View::GoToFirstVerdict(int wavelength, ThresholdVerdict verdict)
{
    for (std::size_t position = 0; grid && position < recordList.GetSize(); ++position) {
        if (VerdictText(recordList[position], wavelength) != verdict)
            continue;
        GoToCell({kHeaderRows + kRowsPerRecord * static_cast<int>(position) + wavelength, kVerdictColumn});
        grid->setFocus(Qt::OtherFocusReason);
        return;
    }
}
