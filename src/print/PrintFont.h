#pragma once
// A font that keeps its own LOGFONT and makes its font object again whenever
// a field is set through it, so the selected font always matches the fields.
#include "platform/GdiObjects.h"
#include "platform/WinTypes.h"

#include <string>

class PrintFont {
public:
    // Height -12, normal weight, default character set, proof quality,
    // variable pitch roman family, the given face.
    explicit PrintFont(const std::string& faceName);

    // Each setter stores the field, makes the font again and returns the previous value.
    LONG SetFontHeight(LONG height);
    LONG SetFontWidth(LONG width);

    const LOGFONT& GetLogFont() const { return logFont; }
    // The font object to select into a device context.
    CFont* GetFont() { return &font; }

private:
    void Recreate();

    LOGFONT logFont;
    CFont font;
};
