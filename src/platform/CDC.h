#pragma once
// The device context the drawing code talks to, with GDI semantics:
// rectangles exclude their right and bottom edges, LineTo leaves out the end
// point, DrawText follows the DT_* rules, and coordinates are logical units
// mapped to device pixels by the mapping mode (MM_TEXT or MM_ANISOTROPIC).
//
// The base class keeps the state (selected objects, colours, modes, mapping,
// current position, SaveDC stack) and hands every drawing call to a backend:
// QPainterDC (a QPainter on an image, widget, printer or PDF) or RecordingDC
// (keeps the calls as data for tests). The base class itself has no Qt.
#include <string>
#include <string_view>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

// Every call a backend can be told about, drawing and state changes alike.
enum class DcCallKind {
    SelectFont, SelectPen, SelectBrush, SaveDC, RestoreDC,
    SetBkMode, SetBkColor, SetTextColor, SetROP2,
    SetMapMode, SetWindowExt, SetViewportExt, SetWindowOrg, SetViewportOrg,
    MoveTo, LineTo, FillSolidRect, FillRect, Rectangle, InvertRect,
    DrawText, TextOut, DrawEdge, BitBlt,
};

// The attributes a drawing call uses; SaveDC/RestoreDC save and restore all of them.
struct DcAttributes {
    LOGFONT font;                         // the selected font's LOGFONT
    PenSpec pen;                          // black, width 0 by default
    BrushSpec brush;                      // white by default
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int mapMode = MM_TEXT;
    POINT windowOrg;
    SIZE windowExt{1, 1};
    POINT viewportOrg;
    SIZE viewportExt{1, 1};
    POINT currentPosition;
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // --- Objects. A new context starts with the stock BLACK_PEN, WHITE_BRUSH and SYSTEM_FONT
    // (the application font), so SelectObject always returns the object selected before;
    // selecting null changes nothing and returns null. ---
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    // Selects BLACK_PEN, NULL_PEN, WHITE_BRUSH, NULL_BRUSH, …; returns the previous object of that kind.
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont() const { return currentFont_; }
    CPen* GetCurrentPen() const { return currentPen_; }
    CBrush* GetCurrentBrush() const { return currentBrush_; }

    // --- State stack. SaveDC returns the new level (1, 2, …); RestoreDC(-1) restores the latest. ---
    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // --- Attributes. Each setter returns the previous value. ---
    int SetBkMode(int mode);
    int GetBkMode() const { return attr_.bkMode; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return attr_.bkColor; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return attr_.textColor; }
    int SetROP2(int rop);
    int GetROP2() const { return attr_.rop2; }
    const DcAttributes& Attributes() const { return attr_; }

    // --- Mapping. Extents take effect in MM_ANISOTROPIC only; MM_TEXT resets them to (1, 1). ---
    int SetMapMode(int mode);
    int GetMapMode() const { return attr_.mapMode; }
    SIZE SetWindowExt(int cx, int cy);
    SIZE SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    SIZE GetWindowExt() const { return attr_.windowExt; }
    SIZE SetViewportExt(int cx, int cy);
    SIZE SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    SIZE GetViewportExt() const { return attr_.viewportExt; }
    POINT SetWindowOrg(int x, int y);
    POINT SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    POINT OffsetWindowOrg(int dx, int dy);
    POINT GetWindowOrg() const { return attr_.windowOrg; }
    POINT SetViewportOrg(int x, int y);
    POINT SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    POINT OffsetViewportOrg(int dx, int dy);
    POINT GetViewportOrg() const { return attr_.viewportOrg; }
    // Logical <-> device, rounded to the nearest pixel as GDI does.
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;
    // Device length of a logical length along x or y (and back), sign kept.
    int LogicalToDeviceX(int cx) const;
    int LogicalToDeviceY(int cy) const;
    int DeviceToLogicalX(int cx) const;
    int DeviceToLogicalY(int cy) const;

    // --- Drawing (logical coordinates). ---
    // Fills left..right-1, top..bottom-1 with the colour; like MFC it leaves the colour as the bk colour.
    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(const RECT& rect, const CBrush* brush);
    // Frame with the current pen on left..right-1, top..bottom-1, inside filled with the current brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT& rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void InvertRect(const RECT& rect);
    POINT MoveTo(int x, int y);
    POINT MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    // Draws from the current position up to, not including, (x, y); (x, y) becomes the current position.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    POINT GetCurrentPosition() const { return attr_.currentPosition; }
    // Returns the height of the text; DT_CALCRECT measures into *rect and draws nothing.
    int DrawText(const std::string& text, RECT* rect, UINT format);
    int DrawText(const char* text, int count, RECT* rect, UINT format);   // count -1: up to the NUL
    // Text with its top-left corner at (x, y), not clipped.
    BOOL TextOut(int x, int y, const std::string& text);
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
    // Copies (width × height) from src's (xSrc, ySrc) to (x, y); src must be a memory context.
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);

    // --- Queries (logical units). ---
    SIZE GetTextExtent(const std::string& text) const;
    SIZE GetTextExtent(const char* text, int count) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
    // Bounding box of the drawable area in logical coordinates; returns the region type, RGN_ERROR (0) on failure.
    int GetClipBox(RECT* rect) const;
    int GetDeviceCaps(int index) const;
    virtual BOOL IsPrinting() const = 0;

protected:
    // Backend hooks. Coordinates are logical, exactly as the caller passed them;
    // the attributes in effect are Attributes().
    // A state change (Select…, SaveDC, RestoreDC, Set…); value: SaveDC result, RestoreDC argument, else 0.
    virtual void OnCall(DcCallKind kind, int value) { (void)kind; (void)value; }
    virtual void DoFillRect(const RECT& rect, COLORREF color, DcCallKind kind) = 0;
    virtual void DoRectangle(const RECT& rect) = 0;
    virtual void DoInvertRect(const RECT& rect) = 0;
    virtual void DoLine(POINT from, POINT to) = 0;
    virtual void DoMoveTo(POINT to) { (void)to; }
    virtual int DoDrawText(std::string_view text, RECT& rect, UINT format) = 0;
    virtual void DoTextOut(int x, int y, std::string_view text) = 0;
    virtual void DoDrawEdge(const RECT& rect, UINT edge, UINT flags) = 0;
    virtual BOOL DoBitBlt(const RECT& dest, CDC* src, POINT srcOrigin, DWORD rop) = 0;
    virtual SIZE DoGetTextExtent(std::string_view text) const = 0;
    virtual void DoGetTextMetrics(TEXTMETRIC* metrics) const = 0;
    virtual int DoGetClipBox(RECT* rect) const = 0;     // logical
    virtual int DoGetDeviceCaps(int index) const = 0;

private:
    void SetFontValue(const LOGFONT& font);

    DcAttributes attr_;
    CFont* currentFont_;
    CPen* currentPen_;
    CBrush* currentBrush_;
    struct Saved {
        DcAttributes attr;
        CFont* font;
        CPen* pen;
        CBrush* brush;
    };
    std::vector<Saved> saved_;
};
