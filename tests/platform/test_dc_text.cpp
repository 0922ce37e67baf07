// DrawText and the text queries of QPainterDC, read back from pixels.
#include <gtest/gtest.h>

#include "PixelHelpers.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white canvas with DejaVu Sans of the given height selected (negative:
// character height, positive: cell height).
struct Canvas {
    MemoryDC dc;
    CFont font;

    explicit Canvas(int fontHeight = -14, int width = 200, int height = 80) : dc(width, height)
    {
        LOGFONT lf;
        lf.lfHeight = fontHeight;
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

// Each row: a rule about where DrawText puts its ink, and whether it holds.
TEST(DcText, PlacementClippingAndWrapping)
{
    const RECT cell{10, 10, 190, 70}, row{10, 10, 190, 40}, narrow{20, 10, 60, 40}, tall{0, 0, 70, 80};
    const QRect top = InkOf("Hg", cell, DT_LEFT);
    const QRect bottom = InkOf("Hg", cell, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    const QRect right = InkOf("abc", row, DT_RIGHT | DT_SINGLELINE);
    const std::string longText = "A rather long text that does not fit";
    const QRect clipped = InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE);
    const std::string words = "one two three four";
    const struct {
        const char* rule;
        bool holds;
    } rules[] = {
        {"without placement the text starts at the top", !top.isEmpty() && top.top() < 20},
        {"DT_VCENTER without DT_SINGLELINE is ignored", InkOf("Hg", cell, DT_LEFT | DT_VCENTER) == top},
        {"DT_BOTTOM without DT_SINGLELINE is ignored", InkOf("Hg", cell, DT_LEFT | DT_BOTTOM) == top},
        {"DT_VCENTER centres a single line", std::abs(InkOf("Hg", cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE).center().y() - 40) <= 3},
        {"DT_BOTTOM ends just above the bottom", bottom.bottom() > 60 && bottom.bottom() < 70},
        {"DT_LEFT starts at the left", InkOf("abc", row, DT_LEFT | DT_SINGLELINE).left() < 13},
        {"DT_CENTER centres", std::abs(InkOf("abc", row, DT_CENTER | DT_SINGLELINE).center().x() - 100) <= 3},
        {"DT_RIGHT ends just left of the right edge", right.right() > 185 && right.right() < 190},
        {"clipped to the rectangle, its right edge excluded", clipped.left() >= 20 && clipped.right() <= 59},
        {"DT_NOCLIP draws past the rectangle", InkOf(longText, narrow, DT_LEFT | DT_SINGLELINE | DT_NOCLIP).right() > 100},
        {"DT_WORDBREAK wraps", InkOf(words, tall, DT_LEFT | DT_WORDBREAK).height() > 2 * InkOf(words, tall, DT_LEFT).height()},
        {"'&' is drawn, not taken as a mnemonic",
         InkOf("&A", row, DT_LEFT | DT_SINGLELINE).width() > InkOf("A", row, DT_LEFT | DT_SINGLELINE).width() + 5},
    };
    for (const auto& r : rules)
        EXPECT_TRUE(r.holds) << r.rule;
}

TEST(DcText, EndEllipsisShortensToFit)
{
    const std::string text = "WWWWWWWWWWWWWWWWWWWW";
    const RECT narrow{0, 0, 80, 30};
    const QRect clipped = InkOf(text, narrow, DT_SINGLELINE);
    Canvas canvas(-14, 200, 40);
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

}  // namespace
