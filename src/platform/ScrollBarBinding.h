#pragma once
// Mirrors a ScrollBarModel into a QScrollBar and turns the user's actions on
// the bar into Win32 scroll codes. The bar never moves by itself: the handler
// decides the new position (SetScrollPos), which is what the bar then shows.
//
// Actions -> codes: single step SB_LINEUP/SB_LINEDOWN, page step
// SB_PAGEUP/SB_PAGEDOWN, to minimum/maximum SB_TOP/SB_BOTTOM, thumb dragging
// SB_THUMBTRACK with the thumb's position, thumb release SB_THUMBPOSITION
// followed by SB_ENDSCROLL. A slider move without the thumb held (the wheel
// over the bar) and a value set without an action (the bar's context menu
// "Scroll here") come as SB_THUMBPOSITION.
#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <functional>

#include "platform/ScrollBarModel.h"

class QAbstractScrollArea;

class ScrollBarBinding : public QObject {
    Q_OBJECT
public:
    // code: SB_*; trackPos: the thumb position for SB_THUMBTRACK/SB_THUMBPOSITION, else the position.
    using Handler = std::function<void(int code, int trackPos)>;

    ScrollBarBinding(QScrollBar* bar, Handler handler, QObject* parent = nullptr);

    int SetScrollInfo(const SCROLLINFO& info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info) const { return model_.GetScrollInfo(info); }
    BOOL SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const { return model_.GetScrollPos(); }
    const ScrollBarModel& Model() const { return model_; }
    QScrollBar* Bar() const { return bar_; }

    // The QScrollBar range for a Win32 range and page: 0 .. max(0, max - max(page - 1, 0)).
    static int QtMaximum(int minPos, int maxPos, UINT page);

private:
    void OnActionTriggered(int action);
    void OnSliderMoved(int position);
    void OnSliderReleased();
    void OnValueChanged(int value);
    // Copies range, page and position into the QScrollBar.
    void Sync();

    QPointer<QScrollBar> bar_;
    Handler handler_;
    ScrollBarModel model_;
    bool syncing_ = false;
};

// Both bars of a QAbstractScrollArea, addressed as SB_HORZ / SB_VERT like a
// window's own scroll bars (the area's viewport is the client area).
class WindowScrollBars {
public:
    WindowScrollBars(QAbstractScrollArea* area, ScrollBarBinding::Handler onHScroll,
                     ScrollBarBinding::Handler onVScroll);

    BOOL GetScrollInfo(int bar, SCROLLINFO* info) const;
    int SetScrollInfo(int bar, const SCROLLINFO& info, BOOL redraw = TRUE);
    BOOL SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    ScrollBarBinding& Horz() { return horz_; }
    ScrollBarBinding& Vert() { return vert_; }

private:
    ScrollBarBinding* Binding(int bar);
    const ScrollBarBinding* Binding(int bar) const;

    ScrollBarBinding horz_;
    ScrollBarBinding vert_;
};
