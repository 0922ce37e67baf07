#include "platform/GdiObjects.h"

namespace {

CPen* MakePen(int style, COLORREF color)
{
    auto* pen = new CPen(style, 0, color);
    return pen;
}

CBrush* MakeBrush(COLORREF color)
{
    return new CBrush(color);
}

CBrush* MakeNullBrush()
{
    auto* brush = new CBrush;
    brush->CreateNullBrush();
    return brush;
}

CFont* MakeFont()
{
    auto* font = new CFont;
    font->CreateFontIndirect(LOGFONT{});   // height 0: the application font
    return font;
}

}  // namespace

CGdiObject* GetStockObject(int index)
{
    // Created once and never freed: stock objects outlive every context.
    static CBrush* const white = MakeBrush(RGB(255, 255, 255));
    static CBrush* const ltgray = MakeBrush(RGB(192, 192, 192));
    static CBrush* const gray = MakeBrush(RGB(128, 128, 128));
    static CBrush* const dkgray = MakeBrush(RGB(64, 64, 64));
    static CBrush* const black = MakeBrush(RGB(0, 0, 0));
    static CBrush* const nullBrush = MakeNullBrush();
    static CPen* const whitePen = MakePen(PS_SOLID, RGB(255, 255, 255));
    static CPen* const blackPen = MakePen(PS_SOLID, RGB(0, 0, 0));
    static CPen* const nullPen = MakePen(PS_NULL, RGB(0, 0, 0));
    static CFont* const systemFont = MakeFont();
    switch (index) {
    case WHITE_BRUSH: return white;
    case LTGRAY_BRUSH: return ltgray;
    case GRAY_BRUSH: return gray;
    case DKGRAY_BRUSH: return dkgray;
    case BLACK_BRUSH: return black;
    case NULL_BRUSH: return nullBrush;
    case WHITE_PEN: return whitePen;
    case BLACK_PEN: return blackPen;
    case NULL_PEN: return nullPen;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return systemFont;
    default: return nullptr;
    }
}
