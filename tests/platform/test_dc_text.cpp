// DrawText and the text queries of QPainterDC, read back from pixels.
#include <gtest/gtest.h>

#include "PixelHelpers.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

LOGFONT PixelFont(int height, int weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = -height;
    lf.lfWeight = weight;
    lf.SetFaceName("DejaVu Sans");
    return lf;
}

// Draws `text` in `rect` on a fresh white 200 x 80 canvas and returns the ink box.
QRect InkOf(const std::string& text, RECT rect, UINT format)
{
    MemoryDC dc(200, 80);
    Clear(dc, kWhite);
    CFont font;
    font.CreateFontIndirect(PixelFont(14));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, &rect, format);
    return InkBounds(dc.Image(), qRgb(255, 255, 255));
}

TEST(DcText, VerticalPlacementNeedsSingleLine)
{
    const RECT cell{10, 10, 190, 70};
    const QRect top = InkOf("Hg", cell, DT_LEFT);
    const QRect vcenterOnly = InkOf("Hg", cell, DT_LEFT | DT_VCENTER);
    const QRect bottomOnly = InkOf("Hg", cell, DT_LEFT | DT_BOTTOM);
    const QRect centred = InkOf("Hg", cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const QRect bottom = InkOf("Hg", cell, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    ASSERT_FALSE(top.isEmpty());
    EXPECT_LT(top.top(), 20) << "without placement the text starts at the top";
    EXPECT_EQ(vcenterOnly, top) << "DT_VCENTER without DT_SINGLELINE is ignored";
    EXPECT_EQ(bottomOnly, top) << "DT_BOTTOM without DT_SINGLELINE is ignored";
    EXPECT_NEAR(centred.center().y(), 40, 3);
    EXPECT_GT(bottom.bottom(), 60);
    EXPECT_LT(bottom.bottom(), 70);
}

TEST(DcText, HorizontalAlignment)
{
    const RECT cell{10, 10, 190, 40};
    const QRect left = InkOf("abc", cell, DT_LEFT | DT_SINGLELINE);
    const QRect centre = InkOf("abc", cell, DT_CENTER | DT_SINGLELINE);
    const QRect right = InkOf("abc", cell, DT_RIGHT | DT_SINGLELINE);
    EXPECT_LT(left.left(), 13);
    EXPECT_NEAR(centre.center().x(), 100, 3);
    EXPECT_GT(right.right(), 185);
    EXPECT_LT(right.right(), 190);
}

TEST(DcText, ClippedToTheRectangleUnlessNoClip)
{
    const std::string longText = "A rather long text that does not fit";
    const RECT narrow{20, 10, 60, 40};
    const QRect clipped = InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE);
    EXPECT_GE(clipped.left(), 20);
    EXPECT_LE(clipped.right(), 59) << "right edge of the rectangle excluded";
    const QRect spilled = InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(spilled.right(), 100);
}

TEST(DcText, EndEllipsisShortensToFit)
{
    MemoryDC dc(200, 40);
    CFont font;
    font.CreateFontIndirect(PixelFont(14));
    dc.SelectObject(&font);
    const std::string text = "WWWWWWWWWWWWWWWWWWWW";
    const RECT narrow{0, 0, 80, 30};
    Clear(dc, kWhite);
    RECT r = narrow;
    dc.DrawText(text, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const QImage elided = dc.Image().copy();
    Clear(dc, kWhite);
    r = narrow;
    dc.DrawText(text, &r, DT_SINGLELINE);
    // The elided line ends in dots: its last ink column lies before the clip edge
    // where the clipped W's run up to it.
    const QRect elidedInk = InkBounds(elided, qRgb(255, 255, 255));
    const QRect clippedInk = InkBounds(dc.Image(), qRgb(255, 255, 255));
    EXPECT_LE(elidedInk.right(), 79);
    EXPECT_NE(elided, dc.Image());
    EXPECT_GT(clippedInk.height(), 0);
    // The dots sit on the baseline: the right end of the ink is short.
    int dotColumnInk = 0;
    for (int y = 0; y < 40; ++y)
        dotColumnInk += (elided.pixel(elidedInk.right(), y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    EXPECT_LT(dotColumnInk, 5);
}

TEST(DcText, WordBreakWrapsOntoMoreLines)
{
    const RECT cell{0, 0, 70, 80};
    const QRect single = InkOf("one two three four", cell, DT_LEFT);
    const QRect wrapped = InkOf("one two three four", cell, DT_LEFT | DT_WORDBREAK);
    EXPECT_GT(wrapped.height(), 2 * single.height());
}

TEST(DcText, AmpersandIsDrawnNotTakenAsMnemonic)
{
    const RECT cell{0, 0, 200, 40};
    const QRect withAmp = InkOf("&A", cell, DT_LEFT | DT_SINGLELINE);
    const QRect plain = InkOf("A", cell, DT_LEFT | DT_SINGLELINE);
    EXPECT_GT(withAmp.width(), plain.width() + 5) << "'&' has its own glyph";

    MemoryDC dc(10, 10);
    CFont font;
    font.CreateFontIndirect(PixelFont(14));
    dc.SelectObject(&font);
    EXPECT_GT(dc.GetTextExtent("&A").cx, dc.GetTextExtent("A").cx);
}

TEST(DcText, CalcRectMeasuresWithoutDrawing)
{
    MemoryDC dc(200, 80);
    Clear(dc, kWhite);
    CFont font;
    font.CreateFontIndirect(PixelFont(14));
    dc.SelectObject(&font);
    RECT r{5, 5, 6, 6};
    const int height = dc.DrawText(std::string("Hello"), &r, DT_SINGLELINE | DT_CALCRECT);
    const SIZE extent = dc.GetTextExtent("Hello");
    EXPECT_EQ(r.Width(), extent.cx);
    EXPECT_EQ(r.Height(), extent.cy);
    EXPECT_EQ(height, extent.cy);
    EXPECT_TRUE(InkBounds(dc.Image(), qRgb(255, 255, 255)).isEmpty());
}

TEST(DcText, MetricsFollowTheSelectedFont)
{
    MemoryDC dc(10, 10);
    CFont small, large;
    small.CreateFontIndirect(PixelFont(10));
    large.CreateFontIndirect(PixelFont(20));
    TEXTMETRIC tmSmall, tmLarge;
    dc.SelectObject(&small);
    dc.GetTextMetrics(&tmSmall);
    dc.SelectObject(&large);
    dc.GetTextMetrics(&tmLarge);
    EXPECT_EQ(tmLarge.tmHeight, tmLarge.tmAscent + tmLarge.tmDescent);
    EXPECT_GE(tmLarge.tmHeight, 20);
    EXPECT_GT(tmLarge.tmHeight, tmSmall.tmHeight);
    EXPECT_GT(tmLarge.tmAveCharWidth, tmSmall.tmAveCharWidth);
    EXPECT_EQ(tmLarge.tmOverhang, 0);
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);
}

TEST(DcText, OpaqueModeFillsBehindTheText)
{
    MemoryDC dc(100, 40);
    Clear(dc, kWhite);
    dc.SetBkColor(RGB(0, 255, 0));
    dc.SetBkMode(OPAQUE);
    dc.TextOut(10, 10, "x");
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 255, 0)) << "TextOut's (x, y) is the top-left of the text cell";
}

TEST(DcText, MappedTextScalesWithTheViewport)
{
    // A report font of cell height 15 units on a 2x device is about 30 pixels tall.
    MemoryDC dc(400, 200);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 200);
    LOGFONT lf;
    lf.lfHeight = 15;
    lf.SetFaceName("DejaVu Sans");
    CFont font;
    font.CreateFontIndirect(lf);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 15, 1) << "metrics come back in logical units";
    Clear(dc, kWhite);
    RECT r{10, 10, 190, 90};
    dc.DrawText(std::string("H"), &r, DT_LEFT | DT_SINGLELINE);
    const QRect ink = InkBounds(dc.Image(), qRgb(255, 255, 255));
    EXPECT_GE(ink.left(), 20);
    EXPECT_GT(ink.height(), 15) << "glyphs drawn at device size";
}

}  // namespace
