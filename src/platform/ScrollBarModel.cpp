#include "platform/ScrollBarModel.h"

#include <algorithm>

int ScrollBarModel::MaxScrollPos() const
{
    const long long pageSpan = page_ > 0 ? static_cast<long long>(page_) - 1 : 0;
    return static_cast<int>(std::max<long long>(min_, max_ - pageSpan));
}

int ScrollBarModel::Clamp(int pos) const
{
    return std::clamp(pos, min_, MaxScrollPos());
}

int ScrollBarModel::SetScrollInfo(const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE) {
        min_ = info.nMin;
        max_ = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        page_ = info.nPage;
    // The page never exceeds the size of the range.
    const auto rangeSize = static_cast<unsigned long long>(static_cast<long long>(max_) - min_ + 1);
    if (page_ > rangeSize)
        page_ = static_cast<UINT>(rangeSize);
    if (info.fMask & SIF_POS)
        pos_ = info.nPos;
    pos_ = Clamp(pos_);
    if (tracking_)
        trackPos_ = Clamp(trackPos_);
    return pos_;
}

BOOL ScrollBarModel::GetScrollInfo(SCROLLINFO* info) const
{
    if (!info || (info->fMask & SIF_ALL) == 0)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = min_;
        info->nMax = max_;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = page_;
    if (info->fMask & SIF_POS)
        info->nPos = pos_;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = GetTrackPos();
    return TRUE;
}

BOOL ScrollBarModel::SetScrollRange(int minPos, int maxPos)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(info);
    return TRUE;
}

int ScrollBarModel::SetScrollPos(int pos)
{
    const int previous = pos_;
    pos_ = Clamp(pos);
    return previous;
}

void ScrollBarModel::BeginTracking(int trackPos)
{
    tracking_ = true;
    trackPos_ = Clamp(trackPos);
}
