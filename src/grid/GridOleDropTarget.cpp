// The grid's drop target: registration and the forwarding of drag events.
#include "grid/GridOleDropTarget.h"

#include "grid/CGridCtrl.h"

BOOL GridOleDropTarget::Register(QWidget* window)
{
    if (registered || !window)
        return FALSE;
    auto* target = qobject_cast<CGridCtrl*>(window);
    if (!target)
        return FALSE;
    grid = target;
    // Drags reach the client area, the widget under the pointer.
    grid->viewport()->setAcceptDrops(true);
    registered = TRUE;
    return registered;
}

void GridOleDropTarget::Revoke()
{
    registered = FALSE;
    if (grid)
        grid->viewport()->setAcceptDrops(false);
}

bool GridOleDropTarget::IsGridWindow(const QWidget* window) const
{
    return registered && grid && window && (window == grid || window == grid->viewport());
}

DWORD GridOleDropTarget::OnDragEnter(QWidget* window, const QMimeData* data, DWORD keyState, POINT point)
{
    return IsGridWindow(window) ? grid->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DWORD GridOleDropTarget::OnDragOver(QWidget* window, const QMimeData* data, DWORD keyState, POINT point)
{
    return IsGridWindow(window) ? grid->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL GridOleDropTarget::OnDrop(QWidget* window, const QMimeData* data, DWORD dropEffect, POINT point)
{
    return IsGridWindow(window) ? grid->OnDrop(data, dropEffect, point) : FALSE;
}

void GridOleDropTarget::OnDragLeave(QWidget* window)
{
    if (IsGridWindow(window))
        grid->OnDragLeave();
}

DWORD GridOleDropTarget::OnDragScroll(QWidget* window, DWORD keyState, POINT /*point*/)
{
    if (!IsGridWindow(window))
        return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
