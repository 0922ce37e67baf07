// Pixels drawn through QPainterDC on a memory context: GDI edges, lines and
// raster operations.
#include <gtest/gtest.h>

#include <tuple>

#include "PixelHelpers.h"
#include "platform/SysColors.h"

#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

QRect InkOnWhite(const MemoryDC& dc) { return InkBounds(dc.Image(), qRgb(255, 255, 255)); }

TEST(DcPixels, NotLineOverRedReadsCyanAndCrossingShowsCellColourAgain)
{
    MemoryDC dc(20, 20);
    Clear(dc, kRed);
    CPen pen(PS_SOLID, 0, RGB(192, 192, 192));
    dc.SelectObject(&pen);
    dc.SetROP2(R2_NOT);
    dc.MoveTo(5, 0);
    dc.LineTo(5, 20);
    dc.MoveTo(0, 7);
    dc.LineTo(20, 7);
    // Line pixels, the crossing inverted twice, and a width-0 pen one pixel wide.
    EXPECT_EQ(std::vector({dc.GetPixel(5, 3), dc.GetPixel(12, 7), dc.GetPixel(5, 7), dc.GetPixel(6, 3), dc.GetPixel(4, 3)}),
              std::vector({kCyan, kCyan, kRed, kRed, kRed}));

    // A slanted NOT line inverts each of its pixels once and leaves out its end point.
    Clear(dc, kRed);
    dc.MoveTo(0, 0);
    dc.LineTo(12, 4);
    EXPECT_EQ(InkBounds(dc.Image(), qRgb(255, 0, 0)).right(), 11) << "the end column is left out";
    for (int x = 0; x < 12; ++x) {
        int inverted = 0;
        for (int y = 0; y < 20; ++y)
            inverted += dc.GetPixel(x, y) == kCyan ? 1 : 0;
        EXPECT_EQ(inverted, 1) << "column " << x;
    }
}

TEST(DcPixels, LineToLeavesOutTheEndPointInEveryDirection)
{
    const struct {
        const char* name;
        POINT from, to, lastDrawn;
    } cases[] = {
        {"right", {2, 5}, {10, 5}, {9, 5}}, {"left", {10, 5}, {2, 5}, {3, 5}},        {"down", {5, 2}, {5, 10}, {5, 9}},
        {"up", {5, 10}, {5, 2}, {5, 3}},    {"diagonal", {2, 2}, {10, 10}, {9, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDC dc(16, 16);
        Clear(dc, kWhite);
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        // start point, last pixel drawn, end point
        EXPECT_EQ(std::vector({dc.GetPixel(c.from.x, c.from.y), dc.GetPixel(c.lastDrawn.x, c.lastDrawn.y), dc.GetPixel(c.to.x, c.to.y)}),
                  std::vector({kBlack, kBlack, kWhite}));
        EXPECT_EQ(dc.GetCurrentPosition(), c.to);
    }
}

TEST(DcPixels, FillsAndRectangleExcludeRightAndBottomEdges)
{
    MemoryDC dc(20, 20);
    const QRect rightAndBottomOut(QPoint(2, 3), QPoint(7, 8));   // of RECT{2, 3, 8, 9}
    Clear(dc, kWhite);
    dc.FillSolidRect(RECT{2, 3, 8, 9}, kRed);
    EXPECT_EQ(InkOnWhite(dc), rightAndBottomOut);
    EXPECT_EQ(dc.GetBkColor(), kRed) << "FillSolidRect leaves its colour as the background colour";

    Clear(dc, kWhite);
    CBrush green(RGB(0, 255, 0));
    dc.SelectObject(&green);
    dc.Rectangle(2, 3, 8, 9);
    EXPECT_EQ(InkOnWhite(dc), rightAndBottomOut);
    // The frame on left, top, right - 1 and bottom - 1; the inside filled with the brush.
    EXPECT_EQ(std::vector({dc.GetPixel(2, 3), dc.GetPixel(7, 8), dc.GetPixel(3, 4)}), std::vector({kBlack, kBlack, RGB(0, 255, 0)}));

    Clear(dc, kWhite);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(2, 3, 8, 9);
    EXPECT_EQ(std::pair(dc.GetPixel(4, 5), dc.GetPixel(7, 5)), std::pair(kWhite, kBlack)) << "NULL_BRUSH leaves the inside alone";

    Clear(dc, kWhite);
    CBrush blue(RGB(0, 0, 255));
    dc.FillRect(RECT{0, 0, 4, 4}, &blue);
    EXPECT_EQ(InkOnWhite(dc), QRect(0, 0, 4, 4));

    Clear(dc, kWhite);
    dc.SelectStockObject(NULL_PEN);
    dc.MoveTo(0, 5);
    dc.LineTo(10, 5);
    EXPECT_TRUE(InkOnWhite(dc).isEmpty()) << "NULL_PEN draws no line";
}

TEST(DcPixels, SunkenInnerEdgeUsesDarkTopLeftAndLightBottomRight)
{
    MemoryDC dc(20, 20);
    Clear(dc, RGB(1, 2, 3));
    RECT r{2, 2, 12, 10};
    dc.DrawEdge(&r, BDR_SUNKENINNER, BF_RECT);
    const COLORREF topLeft = GetSysColor(COLOR_3DDKSHADOW), bottomRight = GetSysColor(COLOR_3DLIGHT);
    // Top, left, bottom and right edges; one pixel wide; the right edge excluded.
    EXPECT_EQ(std::vector({dc.GetPixel(5, 2), dc.GetPixel(2, 5), dc.GetPixel(5, 9), dc.GetPixel(11, 5), dc.GetPixel(5, 5), dc.GetPixel(12, 5)}),
              std::vector({topLeft, topLeft, bottomRight, bottomRight, RGB(1, 2, 3), RGB(1, 2, 3)}));
}

}  // namespace
