// Win32 scroll bar semantics and their QScrollBar mirror.
#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ScrollBarBinding.h"

namespace {

SCROLLINFO RangeAndPage(int max, UINT page, UINT mask = SIF_RANGE | SIF_PAGE)
{
    SCROLLINFO info;
    info.fMask = mask;
    info.nMax = max;
    info.nPage = page;
    return info;
}

TEST(ScrollBarModel, PositionsAreClampedToMaxMinusPagePlusOne)
{
    const struct {
        const char* name;
        int max;
        UINT page;
        int requested, expected;
        bool visible;
    } cases[] = {
        {"grid rows: limit 660, page 240", 660, 240, 1000, 421, true},
        {"grid columns: limit 859, page 460", 859, 460, 859, 400, true},
        {"page 0 reaches the maximum", 100, 0, 1000, 100, true},
        {"page 1 reaches the maximum", 100, 1, 1000, 100, true},
        {"page covers the range", 100, 101, 50, 0, false},
        {"page beyond the range", 100, 500, 50, 0, false},
        {"maximum 0 hides the bar", 0, 0, 10, 0, false},
        {"negative positions go to 0", 100, 10, -5, 0, true},
    };
    for (const auto& c : cases) {
        ScrollBarModel bar;
        bar.SetScrollInfo(RangeAndPage(c.max, c.page));
        bar.SetScrollPos(c.requested);
        EXPECT_EQ(std::pair(bar.GetScrollPos(), bar.IsVisible()), std::pair(c.expected, c.visible)) << c.name;
    }
}

// A scroll area whose vertical bar is driven like a window's: a handler that
// records the codes and applies a simple policy.
struct BoundArea {
    QScrollArea area;
    std::vector<std::pair<int, int>> codes;
    WindowScrollBars bars{&area, nullptr, [this](int code, int track) { OnVScroll(code, track); }};
    QScrollBar* bar = area.verticalScrollBar();

    void OnVScroll(int code, int track)
    {
        codes.emplace_back(code, track);
        const int pos = bars.GetScrollPos(SB_VERT);
        switch (code) {
        case SB_LINEDOWN: bars.SetScrollPos(SB_VERT, pos + 60); break;   // three rows at once
        case SB_LINEUP: bars.SetScrollPos(SB_VERT, pos - 60); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: bars.SetScrollPos(SB_VERT, track); break;
        default: break;   // page and end codes ignored here
        }
    }
};

TEST(ScrollBarBinding, UserActionsBecomeCodesAndTheHandlerDecidesThePosition)
{
    BoundArea a;
    a.bars.SetScrollRange(SB_VERT, 0, 1000);
    a.bars.SetScrollInfo(SB_VERT, RangeAndPage(0, 100, SIF_PAGE));
    // The handler's three-row step, not Qt's single step; an ignored code
    // leaves the bar where it was.
    std::vector<int> values;
    for (const auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderPageStepAdd,
                              QAbstractSlider::SliderToMaximum, QAbstractSlider::SliderSingleStepSub}) {
        a.bar->triggerAction(action);
        values.push_back(a.bar->value());
    }
    EXPECT_EQ(values, (std::vector<int>{60, 60, 60, 0}));

    // Dragging the thumb: track positions while held, then the final position.
    a.bar->setSliderDown(true);
    a.bar->setSliderPosition(300);
    EXPECT_EQ(std::pair(a.bars.Vert().Model().GetTrackPos(), a.bar->value()), std::pair(300, 300));
    a.bar->setSliderPosition(350);
    a.bar->setSliderDown(false);
    EXPECT_EQ(a.bar->value(), 350);
    EXPECT_FALSE(a.bars.Vert().Model().IsTracking());
    EXPECT_EQ(a.codes, (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0}, {SB_PAGEDOWN, 60}, {SB_BOTTOM, 60},
        {SB_LINEUP, 60}, {SB_THUMBTRACK, 300}, {SB_THUMBTRACK, 350}, {SB_THUMBPOSITION, 350}, {SB_ENDSCROLL, 350}}));
}

}  // namespace
