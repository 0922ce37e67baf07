// CDC state and mapping, on the recording context (the CDC base class keeps both).
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "RecordingDC.h"

namespace {

TEST(DcMapping, ReportPageMapsLogicalUnitsToPrinterPixels)
{
    // 1/110 inch across and 1/100 inch down on a 600 dpi printer.
    RecordingDC dc({.logPixelsX = 600, .logPixelsY = 600, .horzRes = 4960, .vertRes = 7016, .printing = true});
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 700);
    dc.SetViewportExt(5454, 4200);
    const struct {
        POINT logical, device;
    } cases[] = {
        {{0, 0}, {0, 0}},
        {{851, 1060}, {4641, 6360}},   // right edge of the table, end of the last slot
        {{15, 60}, {82, 360}},         // 81.81 rounds up
        {{-4, 0}, {-22, 0}},           // -21.8 rounds to -22
    };
    for (const auto& c : cases) {
        POINT p = c.logical;
        dc.LPtoDP(&p);
        const POINT device = p;
        dc.DPtoLP(&p);
        EXPECT_EQ(std::pair(device, p), std::pair(c.device, c.logical)) << c.logical.x << "," << c.logical.y;
    }
}

TEST(DcMapping, OriginsShiftAndTextModeIgnoresExtents)
{
    RecordingDC dc;
    dc.SetWindowExt(10, 10);   // MM_TEXT: ignored
    EXPECT_EQ(dc.GetWindowExt(), (SIZE{1, 1}));
    dc.SetWindowOrg(100, 50);
    dc.OffsetWindowOrg(5, -10);
    dc.SetViewportOrg(3, 4);
    POINT p{105, 40};
    dc.LPtoDP(&p);
    EXPECT_EQ(p, (POINT{3, 4}));
    RECT clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{102, 36, 902, 636})) << "the device clip box in logical coordinates";
}

auto Tie(const DcAttributes& a)
{
    return std::tie(a.font, a.pen, a.brush, a.textColor, a.bkMode, a.rop2, a.mapMode, a.windowExt, a.windowOrg,
                    a.currentPosition);
}

TEST(DcState, SaveAndRestoreBringBackEveryAttribute)
{
    RecordingDC dc;
    LOGFONT lf;
    lf.lfHeight = -11;
    CFont font, bold;
    font.CreateFontIndirect(lf);
    lf.lfWeight = 600;
    bold.CreateFontIndirect(lf);
    CPen pen(PS_SOLID, 0, RGB(1, 2, 3));
    CFont* initialFont = dc.SelectObject(&font);
    dc.SelectObject(&pen);
    const DcAttributes before = dc.Attributes();
    EXPECT_EQ(dc.SaveDC(), 1);

    EXPECT_EQ(dc.SelectObject(&bold), &font);
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SetTextColor(RGB(9, 9, 9));
    dc.SetBkMode(TRANSPARENT);
    dc.SetROP2(R2_NOT);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(3, 3);
    dc.SetWindowOrg(7, 7);
    dc.MoveTo(5, 5);
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SetTextColor(RGB(2, 2, 2));

    EXPECT_TRUE(dc.RestoreDC(1)) << "restoring an outer level drops the inner ones";
    EXPECT_TRUE(Tie(dc.Attributes()) == Tie(before));
    EXPECT_EQ(std::pair(dc.GetCurrentFont(), dc.GetCurrentPen()), std::pair(&font, &pen));
    EXPECT_FALSE(dc.RestoreDC(-1) || dc.RestoreDC(2)) << "nothing left to restore";
    EXPECT_EQ(dc.SelectObject(initialFont), &font);
}

TEST(DcState, StockObjectsAndNullSelections)
{
    RecordingDC dc;
    ASSERT_NE(dc.SelectStockObject(NULL_PEN), nullptr) << "a new context starts with a stock pen";
    EXPECT_TRUE(dc.Attributes().pen.IsNull());
    EXPECT_EQ(dc.SelectStockObject(BLACK_PEN), GetStockObject(NULL_PEN));
    EXPECT_EQ(dc.Attributes().pen, (PenSpec{PS_SOLID, 0, RGB(0, 0, 0)}));
    EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), nullptr);
    EXPECT_EQ(dc.SelectStockObject(12345), nullptr);
}

}  // namespace
