// DrawText and the text queries of QPainterDC, read back from pixels.
#include <gtest/gtest.h>

#include "PixelHelpers.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white canvas with DejaVu Sans of the given character height selected.
struct Canvas {
    MemoryDC dc;
    CFont font;

    explicit Canvas(int fontHeight = 14, int width = 200, int height = 80) : dc(width, height)
    {
        LOGFONT lf;
        lf.lfHeight = -fontHeight;
        lf.SetFaceName("DejaVu Sans");
        font.CreateFontIndirect(lf);
        dc.SelectObject(&font);
        Clear(dc, kWhite);
    }
    QRect Ink() const { return InkBounds(dc.Image(), qRgb(255, 255, 255)); }
};

// Draws `text` in `rect` on a fresh canvas and returns the ink box.
QRect InkOf(const std::string& text, RECT rect, UINT format)
{
    Canvas canvas;
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.DrawText(text, &rect, format);
    return canvas.Ink();
}

TEST(DcText, PlacementVerticalOnlyWithSingleLine)
{
    const RECT cell{10, 10, 190, 70};
    const QRect top = InkOf("Hg", cell, DT_LEFT);
    ASSERT_FALSE(top.isEmpty());
    EXPECT_LT(top.top(), 20) << "without placement the text starts at the top";
    EXPECT_EQ(InkOf("Hg", cell, DT_LEFT | DT_VCENTER), top) << "DT_VCENTER without DT_SINGLELINE is ignored";
    EXPECT_EQ(InkOf("Hg", cell, DT_LEFT | DT_BOTTOM), top) << "DT_BOTTOM without DT_SINGLELINE is ignored";
    EXPECT_NEAR(InkOf("Hg", cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE).center().y(), 40, 3);
    const QRect bottom = InkOf("Hg", cell, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_GT(bottom.bottom(), 60);
    EXPECT_LT(bottom.bottom(), 70);

    const RECT row{10, 10, 190, 40};
    EXPECT_LT(InkOf("abc", row, DT_LEFT | DT_SINGLELINE).left(), 13);
    EXPECT_NEAR(InkOf("abc", row, DT_CENTER | DT_SINGLELINE).center().x(), 100, 3);
    const QRect right = InkOf("abc", row, DT_RIGHT | DT_SINGLELINE);
    EXPECT_GT(right.right(), 185);
    EXPECT_LT(right.right(), 190);
}

TEST(DcText, ClippedToTheRectangleUnlessNoClipAndWrappedWithWordBreak)
{
    const std::string longText = "A rather long text that does not fit";
    const RECT narrow{20, 10, 60, 40};
    const QRect clipped = InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE);
    EXPECT_GE(clipped.left(), 20);
    EXPECT_LE(clipped.right(), 59) << "right edge of the rectangle excluded";
    EXPECT_GT(InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE | DT_NOCLIP).right(), 100);

    const RECT cell{0, 0, 70, 80};
    const QRect single = InkOf("one two three four", cell, DT_LEFT);
    EXPECT_GT(InkOf("one two three four", cell, DT_LEFT | DT_WORDBREAK).height(), 2 * single.height());
}

TEST(DcText, EndEllipsisShortensToFit)
{
    const std::string text = "WWWWWWWWWWWWWWWWWWWW";
    const RECT narrow{0, 0, 80, 30};
    const QRect clipped = InkOf(text, narrow, DT_SINGLELINE);
    Canvas canvas(14, 200, 40);
    RECT r = narrow;
    canvas.dc.DrawText(text, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const QRect elided = canvas.Ink();
    EXPECT_LE(elided.right(), 79);
    EXPECT_LT(elided.right(), clipped.right()) << "the clipped W's run up to the edge";
    // The dots sit on the baseline: the last ink column has only a few pixels.
    int dotColumnInk = 0;
    for (int y = 0; y < 40; ++y)
        dotColumnInk += canvas.dc.GetPixel(elided.right(), y) != kWhite ? 1 : 0;
    EXPECT_LT(dotColumnInk, 5);
}

TEST(DcText, AmpersandIsDrawnNotTakenAsMnemonic)
{
    const RECT cell{0, 0, 200, 40};
    EXPECT_GT(InkOf("&A", cell, DT_LEFT | DT_SINGLELINE).width(), InkOf("A", cell, DT_LEFT | DT_SINGLELINE).width() + 5)
        << "'&' has its own glyph";
    Canvas canvas;
    EXPECT_GT(canvas.dc.GetTextExtent("&A").cx, canvas.dc.GetTextExtent("A").cx);
}

TEST(DcText, MeasuresFollowTheSelectedFont)
{
    Canvas small(10), large(20);
    RECT r{5, 5, 6, 6};
    const int height = large.dc.DrawText(std::string("Hello"), &r, DT_SINGLELINE | DT_CALCRECT);
    const SIZE extent = large.dc.GetTextExtent("Hello");
    EXPECT_EQ(r, (RECT{5, 5, 5 + extent.cx, 5 + extent.cy}));
    EXPECT_EQ(height, extent.cy);
    EXPECT_TRUE(large.Ink().isEmpty()) << "DT_CALCRECT measures without drawing";
    EXPECT_EQ(large.dc.GetTextExtent("").cx, 0);

    TEXTMETRIC tmSmall, tmLarge;
    small.dc.GetTextMetrics(&tmSmall);
    large.dc.GetTextMetrics(&tmLarge);
    EXPECT_EQ(tmLarge.tmHeight, tmLarge.tmAscent + tmLarge.tmDescent);
    EXPECT_GE(tmLarge.tmHeight, 20);
    EXPECT_GT(tmLarge.tmHeight, tmSmall.tmHeight);
    EXPECT_GT(tmLarge.tmAveCharWidth, tmSmall.tmAveCharWidth);
    EXPECT_EQ(tmLarge.tmOverhang, 0);
}

TEST(DcText, OpaqueModeFillsBehindTheText)
{
    Canvas canvas(14, 100, 40);
    canvas.dc.SetBkColor(RGB(0, 255, 0));
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.TextOut(10, 10, "x");
    EXPECT_EQ(canvas.dc.GetPixel(10, 10), RGB(0, 255, 0)) << "TextOut's (x, y) is the top-left of the text cell";
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
