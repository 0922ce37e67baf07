#include "platform/CDC.h"

#include <cmath>
#include <cstring>

namespace {

// GDI rounds mapped coordinates to the nearest pixel, halves upwards.
LONG RoundHalfUp(double v)
{
    return static_cast<LONG>(std::floor(v + 0.5));
}

}  // namespace

CDC::CDC()
    : currentFont_(static_cast<CFont*>(GetStockObject(SYSTEM_FONT))),
      currentPen_(static_cast<CPen*>(GetStockObject(BLACK_PEN))),
      currentBrush_(static_cast<CBrush*>(GetStockObject(WHITE_BRUSH)))
{
    attr_.font = currentFont_->LogFont();
    attr_.pen = currentPen_->Params();
    attr_.brush = currentBrush_->Params();
}

CDC::~CDC() = default;

// --- Objects ---

CFont* CDC::SelectObject(CFont* font)
{
    if (!font)
        return nullptr;
    CFont* previous = currentFont_;
    currentFont_ = font;
    attr_.font = font->LogFont();
    OnCall(DcCallKind::SelectFont, 0);
    return previous;
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (!pen)
        return nullptr;
    CPen* previous = currentPen_;
    currentPen_ = pen;
    attr_.pen = pen->Params();
    OnCall(DcCallKind::SelectPen, 0);
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (!brush)
        return nullptr;
    CBrush* previous = currentBrush_;
    currentBrush_ = brush;
    attr_.brush = brush->Params();
    OnCall(DcCallKind::SelectBrush, 0);
    return previous;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* object = GetStockObject(index);
    if (!object)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen: return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush: return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font: return SelectObject(static_cast<CFont*>(object));
    }
    return nullptr;
}

// --- State stack ---

int CDC::SaveDC()
{
    saved_.push_back(Saved{attr_, currentFont_, currentPen_, currentBrush_});
    const int level = static_cast<int>(saved_.size());
    OnCall(DcCallKind::SaveDC, level);
    return level;
}

BOOL CDC::RestoreDC(int savedDC)
{
    const int depth = static_cast<int>(saved_.size());
    // Negative: relative to the latest save; positive: the level SaveDC returned.
    const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
    if (level < 1 || level > depth)
        return FALSE;
    const Saved& s = saved_[static_cast<size_t>(level - 1)];
    attr_ = s.attr;
    currentFont_ = s.font;
    currentPen_ = s.pen;
    currentBrush_ = s.brush;
    saved_.resize(static_cast<size_t>(level - 1));
    OnCall(DcCallKind::RestoreDC, savedDC);
    return TRUE;
}

// --- Attributes ---

int CDC::SetBkMode(int mode)
{
    const int previous = attr_.bkMode;
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    attr_.bkMode = mode;
    OnCall(DcCallKind::SetBkMode, 0);
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF previous = attr_.bkColor;
    attr_.bkColor = color;
    OnCall(DcCallKind::SetBkColor, 0);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF previous = attr_.textColor;
    attr_.textColor = color;
    OnCall(DcCallKind::SetTextColor, 0);
    return previous;
}

int CDC::SetROP2(int rop)
{
    const int previous = attr_.rop2;
    if (rop < R2_BLACK || rop > R2_WHITE)
        return 0;
    attr_.rop2 = rop;
    OnCall(DcCallKind::SetROP2, 0);
    return previous;
}

// --- Mapping ---

int CDC::SetMapMode(int mode)
{
    const int previous = attr_.mapMode;
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC)
        return 0;
    attr_.mapMode = mode;
    if (mode == MM_TEXT) {
        attr_.windowExt = SIZE{1, 1};
        attr_.viewportExt = SIZE{1, 1};
    }
    OnCall(DcCallKind::SetMapMode, 0);
    return previous;
}

SIZE CDC::SetWindowExt(int cx, int cy)
{
    const SIZE previous = attr_.windowExt;
    // Only the scalable modes take extents; a zero extent is refused as in GDI.
    if (attr_.mapMode != MM_TEXT && cx != 0 && cy != 0) {
        attr_.windowExt = SIZE{cx, cy};
        OnCall(DcCallKind::SetWindowExt, 0);
    }
    return previous;
}

SIZE CDC::SetViewportExt(int cx, int cy)
{
    const SIZE previous = attr_.viewportExt;
    if (attr_.mapMode != MM_TEXT && cx != 0 && cy != 0) {
        attr_.viewportExt = SIZE{cx, cy};
        OnCall(DcCallKind::SetViewportExt, 0);
    }
    return previous;
}

POINT CDC::SetWindowOrg(int x, int y)
{
    const POINT previous = attr_.windowOrg;
    attr_.windowOrg = POINT{x, y};
    OnCall(DcCallKind::SetWindowOrg, 0);
    return previous;
}

POINT CDC::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(attr_.windowOrg.x + dx, attr_.windowOrg.y + dy);
}

POINT CDC::SetViewportOrg(int x, int y)
{
    const POINT previous = attr_.viewportOrg;
    attr_.viewportOrg = POINT{x, y};
    OnCall(DcCallKind::SetViewportOrg, 0);
    return previous;
}

POINT CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(attr_.viewportOrg.x + dx, attr_.viewportOrg.y + dy);
}

void CDC::LPtoDP(POINT* points, int count) const
{
    const auto& a = attr_;
    for (int i = 0; i < count; ++i) {
        POINT& p = points[i];
        p.x = RoundHalfUp(double(p.x - a.windowOrg.x) * a.viewportExt.cx / a.windowExt.cx) + a.viewportOrg.x;
        p.y = RoundHalfUp(double(p.y - a.windowOrg.y) * a.viewportExt.cy / a.windowExt.cy) + a.viewportOrg.y;
    }
}

void CDC::LPtoDP(RECT* rect) const
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CDC::DPtoLP(POINT* points, int count) const
{
    const auto& a = attr_;
    for (int i = 0; i < count; ++i) {
        POINT& p = points[i];
        p.x = RoundHalfUp(double(p.x - a.viewportOrg.x) * a.windowExt.cx / a.viewportExt.cx) + a.windowOrg.x;
        p.y = RoundHalfUp(double(p.y - a.viewportOrg.y) * a.windowExt.cy / a.viewportExt.cy) + a.windowOrg.y;
    }
}

void CDC::DPtoLP(RECT* rect) const
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    DPtoLP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int CDC::LogicalToDeviceX(int cx) const
{
    return RoundHalfUp(double(cx) * attr_.viewportExt.cx / attr_.windowExt.cx);
}

int CDC::LogicalToDeviceY(int cy) const
{
    return RoundHalfUp(double(cy) * attr_.viewportExt.cy / attr_.windowExt.cy);
}

int CDC::DeviceToLogicalX(int cx) const
{
    return RoundHalfUp(double(cx) * attr_.windowExt.cx / attr_.viewportExt.cx);
}

int CDC::DeviceToLogicalY(int cy) const
{
    return RoundHalfUp(double(cy) * attr_.windowExt.cy / attr_.viewportExt.cy);
}

// --- Drawing ---

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    attr_.bkColor = color;   // MFC fills through the background colour and leaves it set
    DoFillRect(rect, color, DcCallKind::FillSolidRect);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    FillSolidRect(RECT{x, y, x + cx, y + cy}, color);
}

void CDC::FillRect(const RECT& rect, const CBrush* brush)
{
    if (!brush || brush->Params().null)
        return;
    DoFillRect(rect, brush->Params().color, DcCallKind::FillRect);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    DoRectangle(RECT{left, top, right, bottom});
    return TRUE;
}

void CDC::InvertRect(const RECT& rect)
{
    DoInvertRect(rect);
}

POINT CDC::MoveTo(int x, int y)
{
    const POINT previous = attr_.currentPosition;
    attr_.currentPosition = POINT{x, y};
    DoMoveTo(attr_.currentPosition);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    const POINT from = attr_.currentPosition;
    attr_.currentPosition = POINT{x, y};
    DoLine(from, attr_.currentPosition);
    return TRUE;
}

int CDC::DrawText(const std::string& text, RECT* rect, UINT format)
{
    if (!rect)
        return 0;
    return DoDrawText(text, *rect, format);
}

int CDC::DrawText(const char* text, int count, RECT* rect, UINT format)
{
    if (!text || !rect)
        return 0;
    const size_t length = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    return DoDrawText(std::string_view(text, length), *rect, format);
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    DoTextOut(x, y, text);
    return TRUE;
}

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags)
{
    if (!rect)
        return FALSE;
    DoDrawEdge(*rect, edge, flags);
    if (flags & BF_ADJUST) {
        // One pixel per edge drawn (outer and inner), on the sides drawn.
        const int width = ((edge & 0x3) ? 1 : 0) + ((edge & 0xC) ? 1 : 0);
        if (flags & BF_LEFT) rect->left += width;
        if (flags & BF_TOP) rect->top += width;
        if (flags & BF_RIGHT) rect->right -= width;
        if (flags & BF_BOTTOM) rect->bottom -= width;
    }
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    if (!src)
        return FALSE;
    return DoBitBlt(RECT{x, y, x + width, y + height}, src, POINT{xSrc, ySrc}, rop);
}

// --- Queries ---

SIZE CDC::GetTextExtent(const std::string& text) const
{
    return DoGetTextExtent(text);
}

SIZE CDC::GetTextExtent(const char* text, int count) const
{
    if (!text)
        return SIZE{};
    const size_t length = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    return DoGetTextExtent(std::string_view(text, length));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const
{
    if (!metrics)
        return FALSE;
    *metrics = TEXTMETRIC{};
    DoGetTextMetrics(metrics);
    return TRUE;
}

int CDC::GetClipBox(RECT* rect) const
{
    if (!rect)
        return RGN_ERROR;
    return DoGetClipBox(rect);
}

int CDC::GetDeviceCaps(int index) const
{
    return DoGetDeviceCaps(index);
}
