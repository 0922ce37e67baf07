#include "platform/ScrollBarBinding.h"

#include <QAbstractScrollArea>
#include <QSignalBlocker>

int ScrollBarBinding::QtMaximum(int minPos, int maxPos, UINT page)
{
    ScrollBarModel model;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    info.nPage = page;
    model.SetScrollInfo(info);
    return model.MaxScrollPos();
}

ScrollBarBinding::ScrollBarBinding(QScrollBar* bar, Handler handler, QObject* parent)
    : QObject(parent), bar_(bar), handler_(std::move(handler))
{
    if (!bar_)
        return;
    bar_->setSingleStep(1);
    // Without tracking, dragging the thumb only moves the slider position
    // (sliderMoved); the value stays what the handler set.
    bar_->setTracking(false);
    connect(bar_, &QAbstractSlider::actionTriggered, this, &ScrollBarBinding::OnActionTriggered);
    connect(bar_, &QAbstractSlider::sliderMoved, this, &ScrollBarBinding::OnSliderMoved);
    connect(bar_, &QAbstractSlider::sliderReleased, this, &ScrollBarBinding::OnSliderReleased);
    connect(bar_, &QAbstractSlider::valueChanged, this, &ScrollBarBinding::OnValueChanged);
    Sync();
}

int ScrollBarBinding::SetScrollInfo(const SCROLLINFO& info, BOOL redraw)
{
    (void)redraw;   // Qt repaints the bar itself
    const int pos = model_.SetScrollInfo(info);
    Sync();
    return pos;
}

BOOL ScrollBarBinding::SetScrollRange(int minPos, int maxPos, BOOL redraw)
{
    (void)redraw;
    model_.SetScrollRange(minPos, maxPos);
    Sync();
    return TRUE;
}

int ScrollBarBinding::SetScrollPos(int pos, BOOL redraw)
{
    (void)redraw;
    const int previous = model_.SetScrollPos(pos);
    Sync();
    return previous;
}

void ScrollBarBinding::Sync()
{
    if (!bar_)
        return;
    // Mirroring must not feed back into the handler; valueChanged still reaches
    // the scroll area (QAbstractScrollArea::scrollContentsBy).
    syncing_ = true;
    bar_->setRange(model_.GetMin(), QtMaximum(model_.GetMin(), model_.GetMax(), model_.GetPage()));
    bar_->setPageStep(std::max<int>(1, static_cast<int>(model_.GetPage())));
    bar_->setValue(model_.GetScrollPos());
    if (model_.IsTracking() && bar_->isSliderDown())
        bar_->setSliderPosition(model_.GetTrackPos());   // the thumb stays under the pointer
    syncing_ = false;
}

void ScrollBarBinding::OnActionTriggered(int action)
{
    if (!bar_ || syncing_)
        return;
    // Qt has already moved the slider to the position it proposes; only a
    // slider move's position is of interest, the rest is the handler's call.
    const int proposed = bar_->sliderPosition();
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBPOSITION; break;   // wheel or key over the bar
    default: break;
    }
    // Back to the model's position: the bar does not move by itself.
    // (triggerAction applies the slider position as the value after this.)
    syncing_ = true;
    bar_->setSliderPosition(model_.GetScrollPos());
    syncing_ = false;
    if (code < 0 || !handler_)
        return;
    if (code == SB_THUMBPOSITION) {
        model_.BeginTracking(proposed);
        const int track = model_.GetTrackPos();
        model_.EndTracking();
        handler_(code, track);
        return;
    }
    handler_(code, model_.GetScrollPos());
}

void ScrollBarBinding::OnSliderMoved(int position)
{
    if (!bar_ || syncing_ || !bar_->isSliderDown())
        return;
    model_.BeginTracking(position);
    if (handler_)
        handler_(SB_THUMBTRACK, model_.GetTrackPos());
    Sync();
}

void ScrollBarBinding::OnSliderReleased()
{
    if (!bar_ || syncing_ || !model_.IsTracking())
        return;
    const int track = model_.GetTrackPos();
    model_.EndTracking();
    if (handler_) {
        handler_(SB_THUMBPOSITION, track);
        handler_(SB_ENDSCROLL, model_.GetScrollPos());
    }
    Sync();
}

void ScrollBarBinding::OnValueChanged(int value)
{
    // A value set without a bar action (the bar's own "Scroll here" menu
    // entry) is a thumb release at that value, so the content follows.
    if (!bar_ || syncing_ || value == model_.GetScrollPos())
        return;
    model_.BeginTracking(value);
    const int track = model_.GetTrackPos();
    model_.EndTracking();
    if (handler_)
        handler_(SB_THUMBPOSITION, track);
    Sync();
}

WindowScrollBars::WindowScrollBars(QAbstractScrollArea* area, ScrollBarBinding::Handler onHScroll,
                                   ScrollBarBinding::Handler onVScroll)
    : horz_(area ? area->horizontalScrollBar() : nullptr, std::move(onHScroll)),
      vert_(area ? area->verticalScrollBar() : nullptr, std::move(onVScroll))
{
}

ScrollBarBinding* WindowScrollBars::Binding(int bar)
{
    return bar == SB_HORZ ? &horz_ : bar == SB_VERT ? &vert_ : nullptr;
}

const ScrollBarBinding* WindowScrollBars::Binding(int bar) const
{
    return bar == SB_HORZ ? &horz_ : bar == SB_VERT ? &vert_ : nullptr;
}

BOOL WindowScrollBars::GetScrollInfo(int bar, SCROLLINFO* info) const
{
    const ScrollBarBinding* b = Binding(bar);
    return b ? b->GetScrollInfo(info) : FALSE;
}

int WindowScrollBars::SetScrollInfo(int bar, const SCROLLINFO& info, BOOL redraw)
{
    ScrollBarBinding* b = Binding(bar);
    return b ? b->SetScrollInfo(info, redraw) : 0;
}

BOOL WindowScrollBars::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    if (bar == SB_BOTH)
        return horz_.SetScrollRange(minPos, maxPos, redraw) && vert_.SetScrollRange(minPos, maxPos, redraw);
    ScrollBarBinding* b = Binding(bar);
    return b ? b->SetScrollRange(minPos, maxPos, redraw) : FALSE;
}

int WindowScrollBars::SetScrollPos(int bar, int pos, BOOL redraw)
{
    ScrollBarBinding* b = Binding(bar);
    return b ? b->SetScrollPos(pos, redraw) : 0;
}

int WindowScrollBars::GetScrollPos(int bar) const
{
    const ScrollBarBinding* b = Binding(bar);
    return b ? b->GetScrollPos() : 0;
}
