#pragma once
// Plain value types with Win32 field names. No Qt here: the record, grid
// store and export code use these without pulling in any GUI header.
#include <cstdint>
#include <cstring>
#include <string>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using LPARAM = std::intptr_t;
using COLORREF = std::uint32_t;   // 0x00BBGGRR

#ifndef TRUE
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
#endif

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
// A cell colour that means "use the grid's default colour".
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
// GetPixel outside the device.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// GDI rectangle: drawing operations exclude the right and bottom edges.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(LONG dx, LONG dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void DeflateRect(LONG dx, LONG dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
    void InflateRect(LONG dx, LONG dy) { DeflateRect(-dx, -dy); }
    friend bool operator==(const RECT&, const RECT&) = default;
};

// Intersection of two rectangles; false (and an empty result) when they do not meet.
inline bool IntersectRect(RECT* out, const RECT& a, const RECT& b)
{
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.IsRectEmpty()) {
        *out = RECT{};
        return false;
    }
    *out = r;
    return true;
}

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};   // UTF-8, NUL-terminated

    void SetFaceName(const std::string& name)
    {
        std::memset(lfFaceName, 0, sizeof lfFaceName);
        std::strncpy(lfFaceName, name.c_str(), LF_FACESIZE - 1);
    }
    friend bool operator==(const LOGFONT& a, const LOGFONT& b)
    {
        return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement
            && a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic
            && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet
            && a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision
            && a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily
            && std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
    }
};

struct TEXTMETRIC {
    LONG tmHeight = 0;            // ascent + descent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;   // leading
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
};

// Scroll bar state as GetScrollInfo/SetScrollInfo exchange it; fMask (SIF_*)
// says which fields are read or written.
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
