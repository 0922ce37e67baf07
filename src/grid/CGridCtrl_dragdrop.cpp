// Drag and drop of cell text: the drag of the selection (copy or move), the
// drop side with its highlighted target cell, the Qt drag events of the client
// area, and the picture of the focus cell. The text is the clipboard's format,
// so cells go between grids and to and from other programs as plain text.
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QShowEvent>
#include <QUrl>
#include <algorithm>

#include "grid/CGridCtrl.h"
#include "platform/QPainterDC.h"
#include "platform/SysColors.h"

namespace {

DWORD EffectForKeys(DWORD keyState)
{
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

Qt::DropAction ActionFor(DWORD effect)
{
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

// The MK_* bits of a drag event's buttons and modifiers.
DWORD KeyState(const QDropEvent& event)
{
    DWORD keys = 0;
    if (event.buttons() & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (event.buttons() & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (event.modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (event.modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

POINT ClientPoint(const QDropEvent& event)
{
    const QPoint p = event.position().toPoint();
    return POINT{p.x(), p.y()};
}

// A source that offers only one of copy and move gets that one, whatever the
// keys say (Qt's drop events turn an action not on offer into the proposed one).
DWORD OfferedEffect(const QDropEvent& event, DWORD wanted)
{
    const Qt::DropActions possible = event.possibleActions();
    if (wanted == DROPEFFECT_COPY && !(possible & Qt::CopyAction) && (possible & Qt::MoveAction))
        return DROPEFFECT_MOVE;
    if (wanted == DROPEFFECT_MOVE && !(possible & Qt::MoveAction) && (possible & Qt::CopyAction))
        return DROPEFFECT_COPY;
    return wanted;
}

// Takes the drag or drop with the effect's action, or refuses it here.
void Answer(QDropEvent* event, DWORD effect)
{
    const Qt::DropAction action = ActionFor(effect);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

}  // namespace

// ---- the drag ----

void CGridCtrl::StartDrag()
{
    if (!dragDropEnabled)
        return;
    QMimeData* data = BuildCopyData();
    if (!data)
        return;
    const CellRange bounds = SelectionBounds();
    NotifyOwner(bounds.minRow, bounds.minCol, LVN_BEGINDRAG);
    pointerMode = PointerMode::Dragging;

    const Qt::DropAction action = ExecuteDrag(data);
    // The button came up inside the drag, so no release reaches the grid.
    pointerMode = PointerMode::Idle;
    // A drop into this grid has already taken CELL_SELECTED from the cells it
    // wrote: they keep the dropped text, the rest of the source block empties.
    if (action == Qt::MoveAction)
        ClearSelectedText();
}

Qt::DropAction CGridCtrl::ExecuteDrag(QMimeData* data)
{
    QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(data);   // the drag owns the data
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (drag)
        drag->deleteLater();
    return action;
}

// ---- the drop side ----

void CGridCtrl::ClearDropHighlight()
{
    if (!IsValidCell(lastDragOverCell))
        return;
    SetItemState(lastDragOverCell.row, lastDragOverCell.col,
                 GetItemState(lastDragOverCell.row, lastDragOverCell.col) & ~CELL_DROPHILITED);
    RedrawCell(lastDragOverCell);
}

DWORD CGridCtrl::OnDragEnter(const QMimeData* data, DWORD keyState, POINT point)
{
    if (!dragDropEnabled || !data || !data->hasText())
        return DROPEFFECT_NONE;
    // A drag that ended without a leave may have left its highlight behind.
    ClearDropHighlight();
    lastDragOverCell = GetCellFromPoint(point, FALSE);
    if (!IsValidCell(lastDragOverCell) || !IsCellEditable(lastDragOverCell))
        return DROPEFFECT_NONE;
    SetItemState(lastDragOverCell.row, lastDragOverCell.col,
                 GetItemState(lastDragOverCell.row, lastDragOverCell.col) | CELL_DROPHILITED);
    RedrawCell(lastDragOverCell);
    return EffectForKeys(keyState);
}

DWORD CGridCtrl::OnDragOver(const QMimeData* data, DWORD keyState, POINT point)
{
    if (!dragDropEnabled || !IsEditable() || !data || !data->hasText())
        return DROPEFFECT_NONE;
    const CellId cell = GetCellFromPoint(point, FALSE);
    if (!IsValidCell(cell)) {
        ClearDropHighlight();
        lastDragOverCell = CellId();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (!(cell == lastDragOverCell)) {
        ClearDropHighlight();
        lastDragOverCell = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CELL_DROPHILITED);
        RedrawCell(cell);
    }
    return EffectForKeys(keyState);
}

void CGridCtrl::OnDragLeave()
{
    ClearDropHighlight();
}

BOOL CGridCtrl::OnDrop(const QMimeData* data, DWORD /*dropEffect*/, POINT /*point*/)
{
    if (!dragDropEnabled || !IsCellEditable(lastDragOverCell))
        return FALSE;
    pointerMode = PointerMode::Idle;
    ClearDropHighlight();
    return PasteTextAt(lastDragOverCell, data);
}

// ---- Qt's drag events on the client area ----

bool CGridCtrl::IsDropDataAcceptable(const QMimeData* data) const
{
    if (!dragDropEnabled || !data || !data->hasText())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::none_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void CGridCtrl::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    // The grid window exists once it shows; only then can it take drops.
    if (windowCreated && !dropTargetOffered) {
        dropTargetOffered = true;
        dropTarget.Register(this);
    }
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused data goes on to the parent window (a record file to open).
    if (!IsDropDataAcceptable(event->mimeData())) {
        event->ignore();
        return;
    }
    const DWORD effect =
        dropTarget.OnDragEnter(viewport(), event->mimeData(), KeyState(*event), ClientPoint(*event));
    // Acceptable text is taken even over a cell that refuses it: the moves
    // that follow (Qt sends one at once) decide spot by spot.
    event->setDropAction(effect != DROPEFFECT_NONE ? ActionFor(effect) : event->proposedAction());
    event->accept();
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    if (!IsDropDataAcceptable(event->mimeData())) {
        event->ignore();
        return;
    }
    Answer(event, dropTarget.OnDragOver(viewport(), event->mimeData(), KeyState(*event), ClientPoint(*event)));
}

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    dropTarget.OnDragLeave(viewport());
    event->accept();
}

void CGridCtrl::dropEvent(QDropEvent* event)
{
    if (!IsDropDataAcceptable(event->mimeData())) {
        event->ignore();
        return;
    }
    const DWORD effect = OfferedEffect(*event, EffectForKeys(KeyState(*event)));
    // A move must place every field or change nothing: text that would find
    // no cell (past the grid's edge, a locked block) stays at the source,
    // which a copy answer (or a refusal, when copy is not on offer) leaves as
    // it is. Decided before anything is written.
    if (effect == DROPEFFECT_MOVE && dragDropEnabled && IsCellEditable(lastDragOverCell)
        && !PasteFitsWhole(lastDragOverCell, event->mimeData())) {
        pointerMode = PointerMode::Idle;
        ClearDropHighlight();
        if (event->possibleActions() & Qt::CopyAction)
            Answer(event, DROPEFFECT_COPY);
        else
            event->ignore();
        return;
    }
    if (!dropTarget.OnDrop(viewport(), event->mimeData(), effect, ClientPoint(*event))) {
        event->ignore();
        return;
    }
    Answer(event, effect);
}

// ---- the picture of the focus cell ----

QPixmap* CGridCtrl::MakeDragImage(SIZE* size)
{
    RECT rect;
    if (!GetCellRect(focusCell, &rect))
        return nullptr;
    // Cell rectangles are inclusive: the picture takes the whole cell.
    const int width = rect.right - rect.left + 1;
    const int height = rect.bottom - rect.top + 1;
    if (size)
        *size = SIZE{width, height};
    if (width <= 0 || height <= 0)
        return nullptr;
    MemoryDC dc(width, height);
    PaintCell(&dc, focusCell.row, focusCell.col, RECT{0, 0, width - 1, height - 1}, TRUE);
    auto* picture = new QPixmap(QPixmap::fromImage(dc.Image()));
    // The cell's background colour is see-through, as an image list's mask colour.
    picture->setMask(picture->createMaskFromColor(ToQColor(gridTextBkColor), Qt::MaskInColor));
    return picture;
}
