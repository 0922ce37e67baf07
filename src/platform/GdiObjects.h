#pragma once
// Pens, brushes and fonts as the drawing code creates them: plain values that
// a CDC copies when they are selected. No Qt here.
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

// Common base so SelectStockObject can hand back whatever was selected before.
class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font };
    explicit CGdiObject(Kind kind) : kind_(kind) {}
    virtual ~CGdiObject() = default;
    Kind GetKind() const { return kind_; }
    // True once a Create… call (or a creating constructor) gave it a value.
    bool IsCreated() const { return created_; }
    void DeleteObject() { created_ = false; }

protected:
    void MarkCreated() { created_ = true; }

private:
    Kind kind_;
    bool created_ = false;
};

struct PenSpec {
    int style = PS_SOLID;
    int width = 0;              // logical units; 0 = exactly one device pixel
    COLORREF color = RGB(0, 0, 0);
    bool IsNull() const { return style == PS_NULL; }
    friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

struct BrushSpec {
    bool null = false;          // NULL_BRUSH: fills nothing
    COLORREF color = RGB(255, 255, 255);
    friend bool operator==(const BrushSpec&, const BrushSpec&) = default;
};

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color) : CGdiObject(Kind::Pen) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color)
    {
        spec_ = PenSpec{style, width < 0 ? 0 : width, color};
        MarkCreated();
        return TRUE;
    }
    const PenSpec& Params() const { return spec_; }

private:
    PenSpec spec_;
};

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF color) : CGdiObject(Kind::Brush) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color)
    {
        spec_ = BrushSpec{false, color};
        MarkCreated();
        return TRUE;
    }
    BOOL CreateNullBrush()
    {
        spec_ = BrushSpec{true, RGB(0, 0, 0)};
        MarkCreated();
        return TRUE;
    }
    const BrushSpec& Params() const { return spec_; }

private:
    BrushSpec spec_;
};

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}
    BOOL CreateFontIndirect(const LOGFONT& logFont)
    {
        logFont_ = logFont;
        MarkCreated();
        return TRUE;
    }
    // The LOGFONT the font was created from (GetObject on a font).
    int GetLogFont(LOGFONT* out) const
    {
        if (!out || !IsCreated())
            return 0;
        *out = logFont_;
        return static_cast<int>(sizeof(LOGFONT));
    }
    const LOGFONT& LogFont() const { return logFont_; }

private:
    LOGFONT logFont_;
};

// The stock objects (BLACK_PEN, NULL_PEN, WHITE_BRUSH, NULL_BRUSH, …); null for an unknown index.
CGdiObject* GetStockObject(int index);
