// Where cells are: rectangles, hit tests, the visible ranges, the scroll bar
// ranges and the scroll handlers. Sums over row heights and column widths
// come from the store's prefix sums, so every query is O(log n) and gives the
// same result as summing row by row.
#include <algorithm>
#include <QScrollBar>

#include "grid/CGridCtrl.h"
#include "platform/ScrollBarBinding.h"

namespace {

// One axis of the grid, rows or columns, in terms of offsets from the first row/column.
class Axis {
public:
    Axis(const GridCellStore& store, bool rows) : store_(store), rows_(rows) {}

    int Count() const { return rows_ ? store_.RowCount() : store_.ColumnCount(); }
    int FixedCount() const { return rows_ ? store_.FixedRowCount() : store_.FixedColumnCount(); }
    int FixedSize() const { return rows_ ? store_.FixedRowsHeight() : store_.FixedColumnsWidth(); }
    // Sum of the sizes before index, for 0 <= index <= Count().
    int Start(int index) const { return rows_ ? store_.RowTop(index) : store_.ColumnLeft(index); }

    // The smallest index j (0 <= j <= Count()) with Start(j) >= target; Count() + 1 when none.
    // Complexity: O(log(n)).
    int FirstStartAtLeast(long long target) const
    {
        if (target <= 0)
            return 0;
        if (target > Start(Count()))
            return Count() + 1;
        // The entry holding target - 1 ends at or after target; everything before it ends earlier.
        const int holding = rows_ ? store_.RowAtOffset(static_cast<int>(target - 1))
                                  : store_.ColumnAtOffset(static_cast<int>(target - 1));
        return holding + 1;
    }

    // The first scrolling index for a scroll position: from the first non-fixed
    // index, step on while the position lies beyond the sizes passed so far,
    // but never past the last index. A position inside an entry therefore
    // shows the following one first.
    int FirstScrollingAt(int pos) const
    {
        const int first = FixedCount();
        if (pos <= 0 || first >= Count() - 1)
            return first;
        return std::min(FirstStartAtLeast(static_cast<long long>(Start(first)) + pos), Count() - 1);
    }

    // Walks from `first` with a running end that starts at the fixed strip's
    // size, and stops at the first entry whose end reaches `limit`.
    struct Extent {
        int last;       // that entry, or Count() - 1 when all entries ended before limit
        int end;        // the running end after it
        bool reached;   // the walk stopped at limit
    };
    Extent WalkTo(int first, int limit) const
    {
        const int fixedSize = FixedSize();
        if (first >= Count())
            return {Count() - 1, fixedSize, false};
        const long long target = static_cast<long long>(limit) - fixedSize + Start(first);
        const int end = std::max(FirstStartAtLeast(target), first + 1);
        if (end <= Count())
            return {end - 1, fixedSize + Start(end) - Start(first), true};
        return {Count() - 1, fixedSize + Start(Count()) - Start(first), false};
    }

    // Client offset of an entry's leading edge: fixed entries from 0, the
    // others from the fixed strip on, counted from the first scrolling entry.
    int Edge(int index, int firstScrolling) const
    {
        if (index < FixedCount())
            return Start(index);
        return FixedSize() + Start(index) - Start(firstScrolling);
    }

    // The entry under a client offset, or -1: fixed entries only when allowed.
    int EntryAt(int offset, int firstScrolling, bool allowFixed) const
    {
        if (offset < 0)
            return -1;
        const int fixedSize = FixedSize();
        if (offset < fixedSize) {
            if (!allowFixed)
                return -1;
            return rows_ ? store_.RowAtOffset(offset) : store_.ColumnAtOffset(offset);
        }
        if (firstScrolling >= Count())
            return -1;
        const int inTable = offset - fixedSize + Start(firstScrolling);
        const int entry = rows_ ? store_.RowAtOffset(inTable) : store_.ColumnAtOffset(inTable);
        return entry >= Count() ? -1 : entry;
    }

private:
    const GridCellStore& store_;
    bool rows_;
};

// One flag for all grids: a WM_SIZE arriving while another is handled is dropped.
bool sizeHandlingActive = false;

}  // namespace

int CGridCtrl::GetScrollPosition(int bar, BOOL track) const
{
    if (track && (bar == SB_HORZ || bar == SB_VERT) && actionTrackPos[bar] >= 0)
        return actionTrackPos[bar];
    SCROLLINFO info;
    info.fMask = track ? SIF_TRACKPOS : SIF_POS;
    if (!scrollBars || !scrollBars->GetScrollInfo(bar, &info))
        return 0;
    return track ? info.nTrackPos : info.nPos;
}

void CGridCtrl::SetScrollPosition(int bar, int pos, BOOL redraw)
{
    if (!scrollBars)
        return;
    SCROLLINFO info;
    info.cbSize = 28;
    info.fMask = SIF_POS;
    info.nPos = pos;
    scrollBars->SetScrollInfo(bar, info, redraw);
}

CellId CGridCtrl::TopLeftCellAt(int horzPos, int vertPos) const
{
    const int col = Axis(store, false).FirstScrollingAt(horzPos);
    int row = Axis(store, true).FirstScrollingAt(vertPos);
    // A record's three rows are never split at the top.
    row -= row % RECORD_ROW_GROUP;
    return CellId(row, col);
}

CellId CGridCtrl::GetTopLeftScrollCell() const
{
    return TopLeftCellAt(GetScrollPosition(SB_HORZ), GetScrollPosition(SB_VERT));
}

CellRange CGridCtrl::GetVisibleScrollRange(RECT* extent) const
{
    const RECT client = GetClientRect();
    const CellId topLeft = GetTopLeftScrollCell();
    const Axis::Extent rows = Axis(store, true).WalkTo(topLeft.row, client.bottom);
    const Axis::Extent cols = Axis(store, false).WalkTo(topLeft.col, client.right);
    if (extent)
        *extent = RECT{0, 0, cols.reached ? client.right : cols.end, rows.reached ? client.bottom : rows.end};
    return CellRange(topLeft.row, topLeft.col, rows.last, cols.last);
}

CellRange CGridCtrl::GetFullyVisibleScrollRange() const
{
    const RECT client = GetClientRect();
    const CellId topLeft = GetTopLeftScrollCell();
    Axis::Extent rows = Axis(store, true).WalkTo(topLeft.row, client.bottom);
    Axis::Extent cols = Axis(store, false).WalkTo(topLeft.col, client.right);
    // The last entry counts only when it ends inside the client area (or exactly on its edge).
    if (rows.last > 0 && rows.end > client.bottom)
        --rows.last;
    if (cols.last > 0 && cols.end > client.right)
        --cols.last;
    return CellRange(topLeft.row, topLeft.col, rows.last, cols.last);
}

BOOL CGridCtrl::GetCellOrigin(int row, int col, POINT* origin) const
{
    if (!IsValidCell(row, col) || !origin)
        return FALSE;
    const bool fixedRow = row < store.FixedRowCount();
    const bool fixedCol = col < store.FixedColumnCount();
    CellId topLeft;
    if (!fixedRow || !fixedCol)
        topLeft = GetTopLeftScrollCell();
    if ((!fixedRow && row < topLeft.row) || (!fixedCol && col < topLeft.col))
        return FALSE;
    origin->x = Axis(store, false).Edge(col, topLeft.col);
    origin->y = Axis(store, true).Edge(row, topLeft.row);
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int row, int col, RECT* rect) const
{
    POINT origin;
    if (!rect || !GetCellOrigin(row, col, &origin))
        return FALSE;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CellRange& range, RECT* rect) const
{
    POINT topLeft;
    RECT bottomRight;
    if (!rect || !GetCellOrigin(range.minRow, range.minCol, &topLeft)
        || !GetCellRect(range.maxRow, range.maxCol, &bottomRight))
        return FALSE;
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.right, bottomRight.bottom};
    return TRUE;
}

BOOL CGridCtrl::GetTextRect(int row, int col, RECT* rect) const
{
    if (!GetCellRect(row, col, rect))
        return FALSE;
    RECT image;
    const int index = GetItemImage(row, col);
    if (imageList && index >= 0 && imageList->GetImageInfo(index, &image))
        rect->left += cellMargin + (image.right - image.left) + 1;
    return TRUE;
}

CellId CGridCtrl::GetCellFromPoint(POINT point, BOOL allowFixed) const
{
    const CellId topLeft = GetTopLeftScrollCell();
    const int col = Axis(store, false).EntryAt(point.x, topLeft.col, allowFixed != FALSE);
    const int row = Axis(store, true).EntryAt(point.y, topLeft.row, allowFixed != FALSE);
    return CellId(row, col);
}

BOOL CGridCtrl::IsCellVisible(int row, int col) const
{
    // An invalid cell is never visible (its edges would be sums over missing entries).
    if (!windowCreated || !IsValidCell(row, col))
        return FALSE;
    const bool fixedRow = row < store.FixedRowCount();
    const bool fixedCol = col < store.FixedColumnCount();
    CellId topLeft;
    if (!fixedRow || !fixedCol)
        topLeft = GetTopLeftScrollCell();
    if ((!fixedCol && col < topLeft.col) || (!fixedRow && row < topLeft.row))
        return FALSE;
    const RECT client = GetClientRect();
    if (Axis(store, false).Edge(col, topLeft.col) >= client.right)
        return FALSE;
    if (Axis(store, true).Edge(row, topLeft.row) >= client.bottom)
        return FALSE;
    return TRUE;
}

bool CGridCtrl::ScrollRangeGuardsPass(const RECT& client) const
{
    if (!drawingEnabled || !windowCreated)
        return false;
    RECT scrollArea = client;
    scrollArea.left += FixedColumnsWidth();
    scrollArea.top += FixedRowsHeight();
    // A client area smaller than the fixed strips keeps the bars as they are.
    if (scrollArea.left >= scrollArea.right || scrollArea.top >= scrollArea.bottom)
        return false;
    return IsValidRange(GetFullyVisibleScrollRange()) != FALSE;
}

void CGridCtrl::SetHorzRange(const RECT& client)
{
    const int fixedWidth = FixedColumnsWidth();
    const int page = client.right - fixedWidth;
    const int scrollable = TotalColumnsWidth() - fixedWidth;
    horzScrollLimit = page < scrollable ? scrollable - 1 : 0;
    scrollBars->SetScrollRange(SB_HORZ, 0, horzScrollLimit, TRUE);
    SCROLLINFO info;
    info.cbSize = 28;
    info.fMask = SIF_PAGE;
    info.nPage = static_cast<UINT>(page);
    scrollBars->SetScrollInfo(SB_HORZ, info, FALSE);
}

void CGridCtrl::SetVertRange(const RECT& client)
{
    const int fixedHeight = FixedRowsHeight();
    const int page = client.bottom - fixedHeight;
    // The maximum is the height of all rows, fixed rows included: the last
    // group of rows can be scrolled up to the top of the scroll area.
    vertScrollLimit = page < TotalRowsHeight() - fixedHeight ? TotalRowsHeight() : 0;
    scrollBars->SetScrollRange(SB_VERT, 0, vertScrollLimit, TRUE);
    SCROLLINFO info;
    info.cbSize = 28;
    info.fMask = SIF_PAGE;
    info.nPage = static_cast<UINT>(page);
    scrollBars->SetScrollInfo(SB_VERT, info, FALSE);
}

void CGridCtrl::UpdateScrollRanges()
{
    const RECT client = GetClientRect();
    if (!ScrollRangeGuardsPass(client))
        return;
    SetHorzRange(client);
    SetVertRange(client);
}

void CGridCtrl::UpdateHorzScrollRange()
{
    const int horz = GetScrollPosition(SB_HORZ, TRUE);
    const int vert = GetScrollPosition(SB_VERT, TRUE);
    const RECT client = GetClientRect();
    if (!ScrollRangeGuardsPass(client))
        return;
    SetHorzRange(client);
    SetScrollPosition(SB_HORZ, horz, TRUE);
    SetScrollPosition(SB_VERT, vert, TRUE);
}

void CGridCtrl::UpdateVertScrollRange()
{
    const int horz = GetScrollPosition(SB_HORZ, TRUE);
    const int vert = GetScrollPosition(SB_VERT, TRUE);
    const RECT client = GetClientRect();
    if (!ScrollRangeGuardsPass(client))
        return;
    SetVertRange(client);
    SetScrollPosition(SB_HORZ, horz, TRUE);
    SetScrollPosition(SB_VERT, vert, TRUE);
}

void CGridCtrl::OnBarAction(int bar, int code, int trackPos)
{
    actionTrackPos[bar] = trackPos;
    if (bar == SB_VERT)
        OnVScroll(static_cast<UINT>(code), static_cast<UINT>(trackPos), verticalScrollBar());
    else
        OnHScroll(static_cast<UINT>(code), static_cast<UINT>(trackPos), horizontalScrollBar());
    actionTrackPos[bar] = -1;
}

void CGridCtrl::TakeFocus()
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void CGridCtrl::scrollContentsBy(int /*dx*/, int /*dy*/)
{
}

void CGridCtrl::ScrollClient(int dx, int dy, const RECT& area)
{
    if (scrollBatchDepth > 0 || area.IsRectEmpty())
        return;
    if (viewport()->isVisible())
        viewport()->scroll(dx, dy, QRect(area.left, area.top, area.Width(), area.Height()));
}

void CGridCtrl::InvalidateForScroll(const RECT* rect)
{
    if (scrollBatchDepth == 0)
        InvalidateRect(rect);
}

// Page, thumb and end codes work alike on both bars (the horizontal codes
// share the vertical ones' values); the line codes are each handler's own.
void CGridCtrl::ScrollByJump(int bar, UINT code, int limit, int page, const RECT& scrollArea)
{
    const int pos = GetScrollPosition(bar);
    switch (static_cast<int>(code)) {
    case SB_PAGEUP:
        if (pos > 0) {
            SetScrollPosition(bar, std::max(pos - page, 0));
            InvalidateForScroll(&scrollArea);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < limit) {
            SetScrollPosition(bar, std::min(pos + page, limit));
            InvalidateForScroll(&scrollArea);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        const CellId topLeft = GetTopLeftScrollCell();
        SetScrollPosition(bar, GetScrollPosition(bar, TRUE));
        if (!(GetTopLeftScrollCell() == topLeft))
            InvalidateForScroll(&scrollArea);
        break;
    }
    case SB_TOP:
        if (pos > 0) {
            SetScrollPosition(bar, 0);
            InvalidateForScroll(nullptr);
        }
        break;
    case SB_BOTTOM:
        if (pos < limit) {
            SetScrollPosition(bar, limit);
            InvalidateForScroll(nullptr);
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnVScroll(UINT code, UINT /*pos*/, QScrollBar* /*bar*/)
{
    TakeFocus();
    HideTitleTip();
    const int pos = GetScrollPosition(SB_VERT);
    const CellId topLeft = GetTopLeftScrollCell();
    const RECT client = GetClientRect();
    const int fixedHeight = FixedRowsHeight();
    RECT scrollArea = client;
    scrollArea.top = fixedHeight;
    const int page = client.bottom - fixedHeight;

    switch (static_cast<int>(code)) {
    case SB_LINEUP:
    case GRID_SB_WHEELUP:
        if (pos > 0 && topLeft.row > GetFixedRowCount()) {
            const int step = RECORD_ROW_GROUP * GetRowHeight(topLeft.row - 1);
            SetScrollPosition(SB_VERT, std::max(pos - step, 0));
            // The whole scroll area is repainted, so the pixels need not be moved first.
            InvalidateForScroll(&scrollArea);
        }
        break;
    case SB_LINEDOWN:
    case GRID_SB_WHEELDOWN:
        if (pos < vertScrollLimit) {
            const int step = RECORD_ROW_GROUP * GetRowHeight(topLeft.row);
            SetScrollPosition(SB_VERT, std::min(pos + step, vertScrollLimit));
            if (GetScrollPosition(SB_VERT) == pos)
                break;
            // Move the pixels by what the top row really moved: one group of
            // rows normally, nothing when the clamped position stays in the same group.
            const int moved = store.RowTop(GetTopLeftScrollCell().row) - store.RowTop(topLeft.row);
            if (moved <= 0)
                break;
            RECT uncovered = scrollArea;
            uncovered.top = fixedHeight + moved;
            ScrollClient(0, -moved, scrollArea);
            InvalidateForScroll(&uncovered);
            InvalidateBlocksCutAtScrollEdge(true);
        }
        break;
    default:
        ScrollByJump(SB_VERT, code, vertScrollLimit, page, scrollArea);
        break;
    }
}

void CGridCtrl::OnHScroll(UINT code, UINT /*pos*/, QScrollBar* /*bar*/)
{
    TakeFocus();
    HideTitleTip();
    const int pos = GetScrollPosition(SB_HORZ);
    const CellId topLeft = GetTopLeftScrollCell();
    const RECT client = GetClientRect();
    const int fixedWidth = FixedColumnsWidth();
    RECT scrollArea = client;
    scrollArea.left = fixedWidth;
    const int page = client.right - fixedWidth;

    switch (static_cast<int>(code)) {
    case SB_LINELEFT:
        if (pos > 0 && topLeft.col > GetFixedColumnCount()) {
            const int step = GetColumnWidth(topLeft.col - 1);
            SetScrollPosition(SB_HORZ, std::max(pos - step, 0));
            // Pixels move by what the left column really moved (the step for equal widths).
            const int moved = store.ColumnLeft(topLeft.col) - store.ColumnLeft(GetTopLeftScrollCell().col);
            if (moved <= 0)
                break;
            ScrollClient(moved, 0, scrollArea);
            const RECT strip{fixedWidth, 0, fixedWidth + moved, client.bottom};
            InvalidateForScroll(&strip);
            InvalidateBlocksCutAtScrollEdge(false);
        }
        break;
    case SB_LINERIGHT:
        if (pos < horzScrollLimit) {
            const int step = GetColumnWidth(topLeft.col);
            SetScrollPosition(SB_HORZ, pos + step);
            if (GetScrollPosition(SB_HORZ) == pos)
                break;
            const int moved = store.ColumnLeft(GetTopLeftScrollCell().col) - store.ColumnLeft(topLeft.col);
            if (moved <= 0)
                break;
            ScrollClient(-moved, 0, scrollArea);
            const RECT strip{client.right - moved, 0, client.right, client.bottom};
            InvalidateForScroll(&strip);
            InvalidateBlocksCutAtScrollEdge(false);
        }
        break;
    default:
        ScrollByJump(SB_HORZ, code, horzScrollLimit, page, scrollArea);
        break;
    }
}

void CGridCtrl::InvalidateBlocksCutAtScrollEdge(bool vertical)
{
    // A merged block cut by the first scrolling row (column) draws its text
    // in the part still shown, so the moved pixels of a block that is cut
    // now, or was cut before the step (its master is now at the edge), are
    // stale. Each line of cells across the edge is checked.
    const CellRange visible = GetVisibleScrollRange();
    const int fixedAcross = vertical ? GetFixedColumnCount() : GetFixedRowCount();
    const int firstAcross = vertical ? visible.minCol : visible.minRow;
    const int lastAcross = vertical ? visible.maxCol : visible.maxRow;
    for (int i = 0; i <= lastAcross; ++i) {
        if (i >= fixedAcross && i < firstAcross)
            continue;   // scrolled out
        const int row = vertical ? visible.minRow : i;
        const int col = vertical ? i : visible.minCol;
        const GridCellMerge merge = GetCellMerge(row, col);
        const bool cut = vertical ? merge.masterRow < row : merge.masterCol < col;
        const bool reachesOn = vertical ? merge.rowSpan > 0 : merge.colSpan > 0;
        if (merge.covered ? !cut : !reachesOn)
            continue;
        const int masterRow = merge.covered ? merge.masterRow : row;
        const int masterCol = merge.covered ? merge.masterCol : col;
        const GridCellMerge master = GetCellMerge(masterRow, masterCol);
        const int lastRow = vertical ? std::min(masterRow + master.rowSpan, visible.maxRow) : row;
        const int lastCol = vertical ? col : std::min(masterCol + master.colSpan, visible.maxCol);
        RECT first;
        RECT last;
        if (GetCellRect(row, col, &first) && GetCellRect(lastRow, lastCol, &last)) {
            const RECT area{first.left, first.top, last.right + 1, last.bottom + 1};
            InvalidateForScroll(&area);
        }
    }
}

void CGridCtrl::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/)
{
    if (sizeHandlingActive || !windowCreated)
        return;
    sizeHandlingActive = true;
    TakeFocus();   // ends an in-place edit
    UpdateScrollRanges();
    sizeHandlingActive = false;
}

void CGridCtrl::EnsureVisible(int row, int col)
{
    const CellRange visible = GetVisibleScrollRange();
    const CellId before = GetTopLeftScrollCell();

    // Each line request is sent as often as the cell is away, in rows or
    // columns; a request that no longer moves anything ends its series (the
    // remaining ones would find the same state and do nothing either). The
    // screen is repainted once at the end instead of after every step.
    ++scrollBatchDepth;
    auto send = [this](bool vertical, UINT code, int times) {
        const int bar = vertical ? SB_VERT : SB_HORZ;
        for (int i = 0; i < times; ++i) {
            const int pos = GetScrollPosition(bar);
            vertical ? OnVScroll(code) : OnHScroll(code);
            if (GetScrollPosition(bar) == pos)
                break;
        }
    };
    send(false, SB_LINERIGHT, col - visible.maxCol);
    send(false, SB_LINELEFT, visible.minCol - col);
    send(true, SB_LINEDOWN, row - visible.maxRow);
    send(true, SB_LINEUP, visible.minRow - row);

    RECT rect;
    if (GetCellRect(row, col, &rect)) {
        const RECT client = GetClientRect();
        if (rect.right > client.right)
            OnHScroll(SB_LINERIGHT);
        if (rect.bottom > client.bottom)
            OnVScroll(SB_LINEDOWN);
    }
    --scrollBatchDepth;
    if (!(GetTopLeftScrollCell() == before))
        InvalidateForScroll(nullptr);
}
