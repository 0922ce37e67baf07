// Pixels drawn through QPainterDC on a memory context: GDI edges, lines and
// raster operations; and QPainterDC on vector and printer devices.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>
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

TEST(DcPixels, InvertRectTwiceRestoresThePixels)
{
    MemoryDC dc(10, 10);
    Clear(dc, RGB(10, 20, 30));
    dc.InvertRect(RECT{1, 1, 5, 5});
    EXPECT_EQ(std::pair(dc.GetPixel(1, 1), dc.GetPixel(5, 5)), std::pair(RGB(245, 235, 225), RGB(10, 20, 30)));
    dc.InvertRect(RECT{1, 1, 5, 5});
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(10, 20, 30));
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

TEST(DcPixels, BitBltCopiesABufferPaintedAtItsWindowOrigin)
{
    // The double buffer of a paint: a bitmap of the clip box whose window
    // origin is the clip box's top-left, copied once to the same place.
    MemoryDC window(40, 30);
    Clear(window, kWhite);
    const RECT clip{10, 5, 30, 25};
    MemoryDC buffer(clip.Width(), clip.Height(), &window);
    buffer.SetWindowOrg(clip.left, clip.top);
    buffer.FillSolidRect(clip, RGB(0, 0, 255));
    buffer.FillSolidRect(RECT{12, 7, 14, 9}, kRed);
    EXPECT_EQ(buffer.GetPixel(2, 2), kRed) << "window coordinates land at buffer pixel (x - 10, y - 5)";
    window.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &buffer, clip.left, clip.top, SRCCOPY);
    EXPECT_EQ(std::vector({window.GetPixel(12, 7), window.GetPixel(29, 24), window.GetPixel(30, 24), window.GetPixel(9, 5)}),
              std::vector({kRed, RGB(0, 0, 255), kWhite, kWhite}));
}

TEST(DcPixels, MappedRectangleUsesRoundedDeviceCorners)
{
    MemoryDC dc(100, 100);
    Clear(dc, kWhite);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(25, 25);   // 2.5 device pixels per unit
    dc.FillSolidRect(RECT{1, 1, 3, 3}, kRed);   // device 2.5 -> 3, 7.5 -> 8
    EXPECT_EQ(InkOnWhite(dc), QRect(QPoint(3, 3), QPoint(7, 7)));
}

TEST(DcDevices, PdfWriterIsAPrinterContextWithItsResolution)
{
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("page.pdf"));
    pdf.setResolution(600);
    QPainter painter(&pdf);
    QPainterDC dc(&painter);
    EXPECT_TRUE(dc.IsPrinting() && !dc.IsRaster());
    EXPECT_EQ(std::tuple(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY), dc.GetDeviceCaps(HORZRES),
                         dc.GetDeviceCaps(VERTRES)), std::tuple(600, 600, pdf.width(), pdf.height()));
    RECT clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{0, 0, pdf.width(), pdf.height()}));
}

// Records drawing on a vector device (QPicture) and plays it back onto white.
QImage PlayBack(const std::function<void(CDC&)>& draw)
{
    QPicture picture;
    {
        QPainter painter(&picture);
        QPainterDC dc(&painter);
        draw(dc);
    }
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.play(&painter);
    return image;
}

TEST(DcDevices, VectorDevicesDrawNotLinesInThePenColour)
{
    const QImage image = PlayBack([](CDC& dc) {
        CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
        dc.SelectObject(&pen);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(2, 5);
        dc.LineTo(12, 5);
        dc.InvertRect(RECT{0, 10, 20, 20});
    });
    EXPECT_EQ(QColor(image.pixel(4, 5)), QColor(0, 0, 255)) << "the line stays visible";
    EXPECT_EQ(QColor(image.pixel(5, 15)), QColor(Qt::white)) << "InvertRect does nothing on vector devices";
}

TEST(DcDevices, ClipBoxOfAWidgetPaintIsTheUpdateRectangle)
{
    MemoryDC dc(100, 100);
    dc.SetDeviceClipBox(QRect(10, 20, 30, 40));
    dc.SetWindowOrg(5, 5);
    RECT clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{15, 25, 45, 65}));
    dc.SetDeviceClipBox(QRect());
    EXPECT_EQ(dc.GetClipBox(&clip), NULLREGION);
}

}  // namespace
