#include "RecordingDC.h"

namespace {

// Decodes one UTF-8 code point starting at text[i] and advances i; malformed
// bytes count as one character each.
char32_t NextCodePoint(std::string_view text, size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    bool valid = extra > 0 && i + extra < text.size();
    for (size_t k = 1; valid && k <= extra; ++k)
        valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!valid) {
        ++i;
        return lead;
    }
    char32_t cp = lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += extra + 1;
    return cp;
}

// East Asian wide characters (CJK, Hangul, full-width forms) take two widths.
bool IsWide(char32_t cp)
{
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3)
        || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60)
        || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

}  // namespace

int RecordingDC::CellHeight(const LOGFONT& font)
{
    if (font.lfHeight < 0)
        return -font.lfHeight * 6 / 5;
    if (font.lfHeight > 0)
        return font.lfHeight;
    return 16;
}

int RecordingDC::AveCharWidth(const LOGFONT& font)
{
    if (font.lfWidth > 0)
        return font.lfWidth;
    const int half = CellHeight(font) / 2;
    return half > 0 ? half : 1;
}

std::vector<DcCall> RecordingDC::CallsOf(DcCallKind kind) const
{
    std::vector<DcCall> out;
    for (const DcCall& call : calls_)
        if (call.kind == kind)
            out.push_back(call);
    return out;
}

std::vector<std::string> RecordingDC::Texts() const
{
    std::vector<std::string> out;
    for (const DcCall& call : calls_)
        if (call.kind == DcCallKind::DrawText || call.kind == DcCallKind::TextOut)
            out.push_back(call.text);
    return out;
}

DcCall& RecordingDC::Add(DcCallKind kind)
{
    DcCall& call = calls_.emplace_back();
    call.kind = kind;
    call.attr = Attributes();
    return call;
}

void RecordingDC::OnCall(DcCallKind kind, int value)
{
    DcCall& call = Add(kind);
    const DcAttributes& a = call.attr;
    switch (kind) {
    case DcCallKind::SetBkMode: call.value = a.bkMode; break;
    case DcCallKind::SetROP2: call.value = a.rop2; break;
    case DcCallKind::SetMapMode: call.value = a.mapMode; break;
    case DcCallKind::SetBkColor: call.color = a.bkColor; break;
    case DcCallKind::SetTextColor: call.color = a.textColor; break;
    case DcCallKind::SetWindowOrg: call.to = a.windowOrg; break;
    case DcCallKind::SetViewportOrg: call.to = a.viewportOrg; break;
    case DcCallKind::SetWindowExt: call.to = POINT{a.windowExt.cx, a.windowExt.cy}; break;
    case DcCallKind::SetViewportExt: call.to = POINT{a.viewportExt.cx, a.viewportExt.cy}; break;
    default: call.value = value; break;
    }
}

void RecordingDC::DoFillRect(const RECT& rect, COLORREF color, DcCallKind kind)
{
    DcCall& call = Add(kind);
    call.rect = rect;
    call.color = color;
}

void RecordingDC::DoRectangle(const RECT& rect)
{
    Add(DcCallKind::Rectangle).rect = rect;
}

void RecordingDC::DoInvertRect(const RECT& rect)
{
    Add(DcCallKind::InvertRect).rect = rect;
}

void RecordingDC::DoLine(POINT from, POINT to)
{
    DcCall& call = Add(DcCallKind::LineTo);
    call.from = from;
    call.to = to;
}

void RecordingDC::DoMoveTo(POINT to)
{
    Add(DcCallKind::MoveTo).to = to;
}

int RecordingDC::DoDrawText(std::string_view text, RECT& rect, UINT format)
{
    const SIZE extent = DoGetTextExtent(text);
    if (format & DT_CALCRECT) {
        rect.right = rect.left + extent.cx;
        rect.bottom = rect.top + extent.cy;
        return extent.cy;
    }
    DcCall& call = Add(DcCallKind::DrawText);
    call.rect = rect;
    call.text = std::string(text);
    call.format = format;
    return extent.cy;
}

void RecordingDC::DoTextOut(int x, int y, std::string_view text)
{
    DcCall& call = Add(DcCallKind::TextOut);
    call.to = POINT{x, y};
    call.text = std::string(text);
}

void RecordingDC::DoDrawEdge(const RECT& rect, UINT edge, UINT flags)
{
    DcCall& call = Add(DcCallKind::DrawEdge);
    call.rect = rect;
    call.format = edge;
    call.flags = flags;
}

BOOL RecordingDC::DoBitBlt(const RECT& dest, CDC* src, POINT srcOrigin, DWORD rop)
{
    (void)src;
    DcCall& call = Add(DcCallKind::BitBlt);
    call.rect = dest;
    call.from = srcOrigin;
    call.format = rop;
    return TRUE;
}

SIZE RecordingDC::DoGetTextExtent(std::string_view text) const
{
    const LOGFONT& font = Attributes().font;
    const int width = AveCharWidth(font);
    LONG cx = 0;
    for (size_t i = 0; i < text.size();)
        cx += IsWide(NextCodePoint(text, i)) ? 2 * width : width;
    return SIZE{cx, CellHeight(font)};
}

void RecordingDC::DoGetTextMetrics(TEXTMETRIC* metrics) const
{
    const LOGFONT& font = Attributes().font;
    const int height = CellHeight(font);
    metrics->tmHeight = height;
    metrics->tmAscent = height * 4 / 5;
    metrics->tmDescent = height - metrics->tmAscent;
    metrics->tmInternalLeading = font.lfHeight < 0 ? height + font.lfHeight : 0;
    metrics->tmExternalLeading = 0;
    metrics->tmAveCharWidth = AveCharWidth(font);
    metrics->tmMaxCharWidth = 2 * AveCharWidth(font);
    metrics->tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
    metrics->tmOverhang = 0;
}

int RecordingDC::DoGetClipBox(RECT* rect) const
{
    if (device_.clipResult == RGN_ERROR) {
        *rect = RECT{};
        return RGN_ERROR;
    }
    RECT box = device_.clipBox.IsRectEmpty() ? RECT{0, 0, device_.horzRes, device_.vertRes} : device_.clipBox;
    DPtoLP(&box);
    *rect = box;
    return device_.clipResult;
}

int RecordingDC::DoGetDeviceCaps(int index) const
{
    switch (index) {
    case HORZRES: return device_.horzRes;
    case VERTRES: return device_.vertRes;
    case LOGPIXELSX: return device_.logPixelsX;
    case LOGPIXELSY: return device_.logPixelsY;
    case BITSPIXEL: return 32;
    default: return 0;
    }
}
