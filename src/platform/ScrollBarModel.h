#pragma once
// One scroll bar with Win32 semantics, as plain data: range nMin..nMax, page,
// position and track position. Every position is clamped into
// nMin .. nMax - max(page - 1, 0) (nMin when the page covers the range), and
// the clamping is redone whenever the range or page changes. The bar is shown
// only when there is something to scroll: a maximum of 0 hides it.
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

class ScrollBarModel {
public:
    // SetScrollInfo: applies the fields named by fMask; returns the (clamped) position.
    int SetScrollInfo(const SCROLLINFO& info);
    // GetScrollInfo: fills the fields named by info->fMask; FALSE when none are asked for.
    BOOL GetScrollInfo(SCROLLINFO* info) const;
    // SetScrollRange: page kept (cut to the range size); returns TRUE.
    BOOL SetScrollRange(int minPos, int maxPos);
    // SetScrollPos: returns the previous position.
    int SetScrollPos(int pos);
    int GetScrollPos() const { return pos_; }
    int GetTrackPos() const { return tracking_ ? trackPos_ : pos_; }
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }
    UINT GetPage() const { return page_; }

    // Thumb dragging: while tracking, GetTrackPos returns the thumb's position.
    void BeginTracking(int trackPos);
    void EndTracking() { tracking_ = false; }
    bool IsTracking() const { return tracking_; }

    // The highest position the bar accepts.
    int MaxScrollPos() const;
    bool IsVisible() const { return MaxScrollPos() > min_; }

private:
    int Clamp(int pos) const;

    int min_ = 0;
    int max_ = 0;
    UINT page_ = 0;
    int pos_ = 0;
    int trackPos_ = 0;
    bool tracking_ = false;
};
