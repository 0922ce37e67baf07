// The mouse: pressing, drag-selecting and releasing, sizing rows and columns
// by their dividers in the headers, double clicks, header clicks (sorting in
// list mode), autoscrolling while the pointer is beyond the cells, and the
// wheel. One state, pointerMode, says what a press started.
#include <QApplication>
#include <QFocusEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "grid/CGridCtrl.h"
#include "platform/BusyCursor.h"
#include "grid/CellEditBox.h"

namespace {

// The MK_* bits of a mouse message from the buttons and modifiers held.
UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

POINT ClientPoint(const QPointF& position)
{
    const QPoint p = position.toPoint();
    return POINT{p.x(), p.y()};
}

bool IsSelecting(PointerMode mode)
{
    return mode == PointerMode::SelectingAll || mode == PointerMode::SelectingColumns
           || mode == PointerMode::SelectingRows || mode == PointerMode::SelectingCells;
}

bool IsSizing(PointerMode mode)
{
    return mode == PointerMode::SizingRow || mode == PointerMode::SizingColumn;
}

bool IsOverDivider(PointerMode mode)
{
    return mode == PointerMode::OverRowDivider || mode == PointerMode::OverColumnDivider;
}

}  // namespace

// ---- dividers ----

// A border between two cells of a merged block is not drawn, so it is no
// divider, except the master cell's own bottom (right) edge: that sizes the
// master's row (column), as with an unmerged cell. Without it the first row
// of a record and the header rows could never be sized.
bool CGridCtrl::IsRowDividerBelow(int row, int col) const
{
    const GridCellMerge merge = GetCellMerge(row, col);
    return !merge.joinedDown || (!merge.covered && merge.InBlock());
}

bool CGridCtrl::IsColumnDividerRightOf(int row, int col) const
{
    const GridCellMerge merge = GetCellMerge(row, col);
    return !merge.joinedRight || (!merge.covered && merge.InBlock());
}

int CGridCtrl::RowDividerAt(POINT point) const
{
    if (point.x >= FixedColumnsWidth())
        return -1;
    const CellId cell = GetCellFromPoint(point, TRUE);
    POINT origin;
    if (!IsValidCell(cell) || !GetCellOrigin(cell, &origin))
        return -1;
    const bool topIsBorder = cell.row > 0 && IsRowDividerBelow(cell.row - 1, cell.col);
    const bool bottomIsBorder = IsRowDividerBelow(cell.row, cell.col);
    int row = -1;
    if (topIsBorder && point.y - origin.y <= resizeGrip)
        row = cell.row - 1;
    else if (bottomIsBorder && origin.y + GetRowHeight(cell.row) - point.y <= resizeGrip)
        row = cell.row;
    // The row above the first scrolling one may be scrolled away: nothing to size then.
    POINT sizedOrigin;
    if (row < 0 || !GetCellOrigin(row, cell.col, &sizedOrigin))
        return -1;
    return row;
}

int CGridCtrl::ColumnDividerAt(POINT point) const
{
    if (point.y >= FixedRowsHeight())
        return -1;
    const CellId cell = GetCellFromPoint(point, TRUE);
    POINT origin;
    if (!IsValidCell(cell) || !GetCellOrigin(cell, &origin))
        return -1;
    const bool leftIsBorder = cell.col > 0 && IsColumnDividerRightOf(cell.row, cell.col - 1);
    const bool rightIsBorder = IsColumnDividerRightOf(cell.row, cell.col);
    int col = -1;
    if (leftIsBorder && point.x - origin.x <= resizeGrip)
        col = cell.col - 1;
    else if (rightIsBorder && origin.x + GetColumnWidth(cell.col) - point.x <= resizeGrip)
        col = cell.col;
    POINT sizedOrigin;
    if (col < 0 || !GetCellOrigin(cell.row, col, &sizedOrigin))
        return -1;
    return col;
}

BOOL CGridCtrl::IsOverRowDivider(POINT point) const
{
    return RowDividerAt(point) >= 0 ? TRUE : FALSE;
}

BOOL CGridCtrl::IsOverColumnDivider(POINT point) const
{
    return ColumnDividerAt(point) >= 0 ? TRUE : FALSE;
}

// ---- press ----

void CGridCtrl::OnLButtonDown(UINT flags, POINT point)
{
    const bool hadFocus = hasFocus() && !focusArrivedWithPress;
    focusArrivedWithPress = false;

    pressPoint = point;
    pressedCell = GetCellFromPoint(point, TRUE);
    if (!IsValidCell(pressedCell))
        return;
    selectionAnchor = (flags & MK_SHIFT) ? focusCell : pressedCell;
    TakeFocus();

    // A second click on the current cell edits it when released; it holds no
    // mouse and starts no autoscroll.
    if (pressedCell == focusCell) {
        pointerMode = PointerMode::PendingEdit;
        return;
    }

    // The press happens where the pointer hovers, even when no move reached
    // that point before it.
    if (pointerMode == PointerMode::Idle || IsOverDivider(pointerMode))
        UpdateHoverMode(point);

    if (!IsOverDivider(pointerMode)) {
        // A press in a header puts the focus on the first scrolling cell of its column or row.
        MoveFocusTo(-1, -1);
        MoveFocusTo(std::max(pressedCell.row, GetFixedRowCount()), std::max(pressedCell.col, GetFixedColumnCount()));
    }

    if (dragDropEnabled && hadFocus && (GetItemState(pressedCell.row, pressedCell.col) & CELL_SELECTED)) {
        pointerMode = PointerMode::PendingDrag;
        return;
    }

    mouseCaptured = true;
    if (IsOverDivider(pointerMode))
        BeginSizing(point);
    else
        BeginSelectionPress(flags);
    lastPointerPoint = point;
}

void CGridCtrl::BeginSizing(POINT point)
{
    const RECT client = GetClientRect();
    POINT origin;
    if (pointerMode == PointerMode::OverColumnDivider) {
        const int col = ColumnDividerAt(point);
        if (col < 0 || !GetCellOrigin(pressedCell.row, col, &origin)) {
            pointerMode = PointerMode::Idle;
            return;
        }
        pointerMode = PointerMode::SizingColumn;
        pressedCell.col = col;
        // The column can shrink to nothing but not past its own left edge.
        sizingBounds = RECT{origin.x, client.top, client.right, client.bottom};
    } else {
        const int row = RowDividerAt(point);
        if (row < 0 || !GetCellOrigin(row, pressedCell.col, &origin)) {
            pointerMode = PointerMode::Idle;
            return;
        }
        pointerMode = PointerMode::SizingRow;
        pressedCell.row = row;
        sizingBounds = RECT{client.left, origin.y, client.right, client.bottom};
    }
    sizingBoundsActive = true;
    InvalidateSizingLine(point);
}

void CGridCtrl::BeginSelectionPress(UINT flags)
{
    // Ctrl keeps what is selected now beside the block this press starts.
    retainedSelection.Clear();
    if (flags & MK_CONTROL)
        retainedSelection.InsertAll(store.SelectedCells());

    if (pressedCell.row < GetFixedRowCount()) {
        ClickInFixedRow(pressedCell);
    } else if (pressedCell.col < GetFixedColumnCount()) {
        ClickInFixedColumn(pressedCell);
    } else {
        pointerMode = listMode ? PointerMode::SelectingRows : PointerMode::SelectingCells;
        ExtendSelectionTo(pressedCell);
    }
    StartAutoScroll();
}

void CGridCtrl::ClickInFixedRow(CellId cell)
{
    if (!IsValidCell(cell))
        return;
    if (listMode) {
        if (!headerSortEnabled)
            return;
        // The same header again reverses the order; another one sorts ascending.
        const BusyCursor busy;
        if (cell.col == sortColumn) {
            sortAscending = !sortAscending;
        } else {
            sortAscending = TRUE;
            sortColumn = cell.col;
        }
        SortRowsByText(sortColumn, sortAscending);
        Invalidate();
        return;
    }
    pointerMode = cell.col < GetFixedColumnCount() ? PointerMode::SelectingAll : PointerMode::SelectingColumns;
    ExtendSelectionTo(cell);
}

void CGridCtrl::ClickInFixedColumn(CellId cell)
{
    if (!IsValidCell(cell))
        return;
    pointerMode = cell.row < GetFixedRowCount() ? PointerMode::SelectingAll : PointerMode::SelectingRows;
    ExtendSelectionTo(cell);
}

// ---- move ----

void CGridCtrl::OnMouseMove(UINT flags, POINT point)
{
    point = ClampToSizingBounds(point);
    if (pointerMode != PointerMode::Dragging && !GetClientRect().PtInRect(point))
        return;

    if (!(flags & MK_LBUTTON) || pointerMode == PointerMode::Idle) {
        UpdateHoverMode(point);
        OfferTitleTip(point);
        lastPointerPoint = point;
        return;
    }
    if (!IsValidCell(pressedCell)) {
        lastPointerPoint = point;
        return;
    }
    switch (pointerMode) {
    case PointerMode::SelectingColumns:
    case PointerMode::SelectingRows:
    case PointerMode::SelectingCells: {
        const CellId cell = GetCellFromPoint(point, TRUE);
        if (!IsValidCell(cell))
            return;
        if (!(cell == focusCell)) {
            ExtendSelectionTo(cell);
            // The focus follows the pointer over the scrolling cells only.
            if (cell.row >= GetFixedRowCount() && cell.col >= GetFixedColumnCount())
                MoveFocusTo(cell.row, cell.col);
        }
        break;
    }
    case PointerMode::SizingRow:
    case PointerMode::SizingColumn:
        InvalidateSizingLine(lastPointerPoint);
        InvalidateSizingLine(point);
        break;
    case PointerMode::PendingDrag:
        StartSelectionDrag();
        break;
    default:
        break;
    }
    lastPointerPoint = point;
}

void CGridCtrl::UpdateHoverMode(POINT point)
{
    // A sizing drag whose release never came ends here; its line goes with it.
    if (IsSizing(pointerMode)) {
        InvalidateSizingLine(lastPointerPoint);
        sizingBoundsActive = false;
    }
    if (columnResizeEnabled && IsOverColumnDivider(point)) {
        if (pointerMode != PointerMode::OverColumnDivider) {
            viewport()->setCursor(Qt::SizeHorCursor);
            pointerMode = PointerMode::OverColumnDivider;
        }
    } else if (rowResizeEnabled && IsOverRowDivider(point)) {
        if (pointerMode != PointerMode::OverRowDivider) {
            viewport()->setCursor(Qt::SizeVerCursor);
            pointerMode = PointerMode::OverRowDivider;
        }
    } else if (pointerMode != PointerMode::Idle) {
        viewport()->setCursor(Qt::ArrowCursor);
        pointerMode = PointerMode::Idle;
    }
}

void CGridCtrl::StartSelectionDrag()
{
    StartDrag();
}

// ---- release ----

void CGridCtrl::OnLButtonUp(UINT /*flags*/, POINT point)
{
    point = ClampToSizingBounds(point);
    sizingBoundsActive = false;
    if (mouseCaptured) {
        mouseCaptured = false;
        capturedPointerKnown = false;
        StopAutoScroll();
    }

    POINT origin;
    switch (pointerMode) {
    case PointerMode::PendingEdit:
        BeginCellEdit(focusCell.row, focusCell.col, VK_LBUTTON);
        break;
    case PointerMode::PendingDrag:
        // The press on a selected cell ended without a drag.
        ClearSelection();
        break;
    case PointerMode::SizingColumn:
    case PointerMode::SizingRow: {
        InvalidateSizingLine(lastPointerPoint);
        // Releasing where the press was leaves the column (row) as it was.
        const bool column = pointerMode == PointerMode::SizingColumn;
        if (!(point == pressPoint) && GetCellOrigin(pressedCell, &origin)) {
            if (column) {
                SetColumnWidth(pressedCell.col, point.x - origin.x);
                UpdateHorzScrollRange();
            } else {
                SetRowHeight(pressedCell.row, point.y - origin.y);
                UpdateVertScrollRange();
            }
            Invalidate();
        }
        break;
    }
    default:
        break;
    }

    pointerMode = PointerMode::Idle;
    viewport()->setCursor(Qt::ArrowCursor);
    if (IsValidCell(pressedCell))
        PostOwnerCommand();
}

// ---- double click ----

void CGridCtrl::OnLButtonDblClk(UINT /*flags*/, POINT point)
{
    switch (pointerMode) {
    case PointerMode::OverColumnDivider:
    case PointerMode::OverRowDivider: {
        // The column (row) left of (above) the divider fits its contents.
        const bool column = pointerMode == PointerMode::OverColumnDivider;
        const int index = column ? ColumnDividerAt(point) : RowDividerAt(point);
        if (index >= 0) {
            column ? FitColumnWidth(index) : FitRowHeight(index);
            Invalidate();
        }
        break;
    }
    case PointerMode::Idle: {
        const int fixedRows = GetFixedRowCount();
        const int fixedCols = GetFixedColumnCount();
        if (IsValidCell(pressedCell) && pressedCell.row >= fixedRows && pressedCell.col >= fixedCols) {
            BeginCellEdit(focusCell.row, focusCell.col, VK_LBUTTON);
        } else if (listMode) {
            // In list mode the row header of a record can be edited too.
            const CellId cell = GetCellFromPoint(point, TRUE);
            if (IsValidCell(cell) && cell.row >= fixedRows && cell.col < fixedCols)
                BeginCellEdit(cell.row, cell.col, VK_LBUTTON);
        }
        break;
    }
    default:
        break;
    }
}

// ---- sizing line ----

POINT CGridCtrl::ClampToSizingBounds(POINT point) const
{
    if (!sizingBoundsActive || sizingBounds.IsRectEmpty())
        return point;
    // As a confined cursor: right and bottom edges excluded.
    point.x = std::clamp(point.x, sizingBounds.left, sizingBounds.right - 1);
    point.y = std::clamp(point.y, sizingBounds.top, sizingBounds.bottom - 1);
    return point;
}

void CGridCtrl::InvalidateSizingLine(POINT point)
{
    const RECT client = GetClientRect();
    if (pointerMode == PointerMode::SizingColumn) {
        const RECT strip{point.x, client.top, point.x + 2, client.bottom};
        InvalidateRect(&strip);
    } else if (pointerMode == PointerMode::SizingRow) {
        const RECT strip{client.left, point.y, client.right, point.y + 2};
        InvalidateRect(&strip);
    }
}

// ---- autoscroll ----

void CGridCtrl::StartAutoScroll()
{
    StopAutoScroll();
    autoScrollTimerId = startTimer(static_cast<int>(autoScrollPeriod));
}

void CGridCtrl::StopAutoScroll()
{
    if (autoScrollTimerId != 0)
        killTimer(autoScrollTimerId);
    autoScrollTimerId = 0;
}

void CGridCtrl::OnTimer(int timerId)
{
    if (timerId != AUTOSCROLL_TIMER_ID || !capturedPointerKnown)
        return;
    // Only a selection drag scrolls: after a header sort in list mode the mode
    // is Idle, and the arrow keys sent below would then move the selection.
    if (!IsSelecting(pointerMode))
        return;

    // The pointer of the last mouse event: Qt keeps sending moves to the
    // grid while the button is held, wherever the pointer goes.
    const POINT p = capturedPointer;
    const RECT client = GetClientRect();
    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    if (p.y > client.bottom) {
        OnKeyDown(VK_DOWN, capturedModifiers);
        const LONG x = std::clamp(p.x, client.left, client.right);
        ExtendSelectionTo(GetCellFromPoint(POINT{x, client.bottom}, TRUE));
    } else if (p.y < fixedHeight) {
        OnKeyDown(VK_UP, capturedModifiers);
        const LONG x = std::clamp(p.x, client.left, client.right);
        ExtendSelectionTo(GetCellFromPoint(POINT{x, fixedHeight + 1}, TRUE));
    }
    if (p.x > client.right) {
        OnKeyDown(VK_RIGHT, capturedModifiers);
        const LONG y = std::clamp(p.y, client.top, client.bottom);
        ExtendSelectionTo(GetCellFromPoint(POINT{client.right, y}, TRUE));
    } else if (p.x < fixedWidth) {
        OnKeyDown(VK_LEFT, capturedModifiers);
        const LONG y = std::clamp(p.y, client.top, client.bottom);
        ExtendSelectionTo(GetCellFromPoint(POINT{fixedWidth + 1, y}, TRUE));
    }
}

void CGridCtrl::OnCaptureChanged(QWidget* gaining)
{
    if (gaining == this || gaining == viewport())
        return;
    mouseCaptured = false;
    capturedPointerKnown = false;
    StopAutoScroll();
    if (pointerMode == PointerMode::Dragging)
        pointerMode = PointerMode::Idle;
    // Without its release a sizing drag cannot finish: it is dropped, the size unchanged.
    if (IsSizing(pointerMode)) {
        InvalidateSizingLine(lastPointerPoint);
        sizingBoundsActive = false;
        pointerMode = PointerMode::Idle;
        viewport()->setCursor(Qt::ArrowCursor);
    }
}

// ---- wheel ----

void CGridCtrl::OnMouseWheel(UINT /*flags*/, int delta, POINT /*point*/)
{
    const bool byPages = wheelScrollLines == WHEEL_PAGESCROLL;
    const long long perNotch = byPages ? 1 : wheelScrollLines;
    // A turn the other way starts afresh instead of first paying off the old remainder.
    if ((delta > 0 && wheelRemainder < 0) || (delta < 0 && wheelRemainder > 0))
        wheelRemainder = 0;
    // Small steps (a touchpad) add up until they make a whole line or page.
    const long long total = wheelRemainder + static_cast<long long>(delta) * perNotch;
    const long long steps = total / WHEEL_DELTA;   // truncated toward zero
    wheelRemainder = static_cast<int>(total - steps * WHEEL_DELTA);

    const UINT up = byPages ? SB_PAGEUP : GRID_SB_WHEELUP;
    const UINT down = byPages ? SB_PAGEDOWN : GRID_SB_WHEELDOWN;
    const UINT code = steps > 0 ? up : down;
    for (long long i = 0; i < std::abs(steps); ++i)
        QMetaObject::invokeMethod(this, [this, code] { OnVScroll(code); }, Qt::QueuedConnection);
}

// ---- Qt events ----

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const POINT point = ClientPoint(event->position());
    capturedPointer = point;
    capturedModifiers = event->modifiers();
    capturedPointerKnown = true;
    OnLButtonDown(MouseFlags(event->buttons(), event->modifiers()), point);
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const POINT point = ClientPoint(event->position());
    // The button came up somewhere the grid never heard of (a popup, another window).
    if (mouseCaptured && !(event->buttons() & Qt::LeftButton))
        OnCaptureChanged(nullptr);
    if (mouseCaptured) {
        capturedPointer = point;
        capturedModifiers = event->modifiers();
        capturedPointerKnown = true;
    }
    OnMouseMove(MouseFlags(event->buttons(), event->modifiers()), point);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const POINT point = ClientPoint(event->position());
    const UINT flags = MouseFlags(event->buttons(), event->modifiers());
    OnLButtonUp(flags, point);
    // Giving up the mouse brings a move at the pointer, so a release over a
    // divider leaves the grid ready for the double click that sizes it.
    OnMouseMove(flags, point);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    OnLButtonDblClk(MouseFlags(event->buttons(), event->modifiers()), ClientPoint(event->position()));
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    // Accepted whatever the delta: the scroll area's own wheel handling moves
    // the bars by pixels, past the grid's three-row steps.
    event->accept();
    OnMouseWheel(MouseFlags(event->buttons(), event->modifiers()), event->angleDelta().y(),
                 ClientPoint(event->position()));
}

void CGridCtrl::timerEvent(QTimerEvent* event)
{
    if (autoScrollTimerId != 0 && event->timerId() == autoScrollTimerId)
        OnTimer(AUTOSCROLL_TIMER_ID);
    else
        QAbstractScrollArea::timerEvent(event);
}

void CGridCtrl::focusInEvent(QFocusEvent* event)
{
    focusArrivedWithPress = event->reason() == Qt::MouseFocusReason;
    QAbstractScrollArea::focusInEvent(event);
}

void CGridCtrl::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A popup or another window (the window being deactivated) took the
    // keyboard in the middle of a drag: the mouse went with it, and
    // autoscrolling must stop now, not at the next move.
    if (mouseCaptured)
        OnCaptureChanged(nullptr);
}
