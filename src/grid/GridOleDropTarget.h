#pragma once
// GridOleDropTarget: the grid's drop-target object. Once registered it lets
// the grid's client area take drops, and hands each drag event that concerns
// the grid's own window to the grid's operation of the same name. A grid has
// one as a member; CGridCtrl's drag and drop events go through it.
#include "platform/WinTypes.h"

class CGridCtrl;
class QMimeData;
class QWidget;

class GridOleDropTarget {
public:
    GridOleDropTarget() = default;
    virtual ~GridOleDropTarget() = default;
    GridOleDropTarget(const GridOleDropTarget&) = delete;
    GridOleDropTarget& operator=(const GridOleDropTarget&) = delete;

    // Serves the grid `window`; FALSE when already registered, when window is
    // null or when it is not a CGridCtrl.
    BOOL Register(QWidget* window);
    virtual void Revoke();
    BOOL IsRegistered() const { return registered; }

    // `window` is the widget the event arrived at (the grid or its viewport);
    // any other window gets DROPEFFECT_NONE. Points are client points.
    virtual DWORD OnDragEnter(QWidget* window, const QMimeData* data, DWORD keyState, POINT point);
    virtual DWORD OnDragOver(QWidget* window, const QMimeData* data, DWORD keyState, POINT point);
    virtual BOOL OnDrop(QWidget* window, const QMimeData* data, DWORD dropEffect, POINT point);
    virtual void OnDragLeave(QWidget* window);
    // Copy with Ctrl, else move; never DROPEFFECT_SCROLL, because the grid does
    // not scroll while something is dragged over it.
    virtual DWORD OnDragScroll(QWidget* window, DWORD keyState, POINT point);

private:
    // Registered, and window is the grid or its client area.
    bool IsGridWindow(const QWidget* window) const;

    CGridCtrl* grid = nullptr;
    BOOL registered = FALSE;
};
