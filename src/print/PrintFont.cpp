#include "print/PrintFont.h"

namespace {
constexpr BYTE VARIABLE_PITCH_ROMAN = 0x12;   // VARIABLE_PITCH | FF_ROMAN
} // namespace

PrintFont::PrintFont(const std::string& faceName)
{
    logFont.lfHeight = -12;
    logFont.lfWidth = 0;
    logFont.lfEscapement = 0;
    logFont.lfOrientation = 0;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfItalic = 0;
    logFont.lfUnderline = 0;
    logFont.lfStrikeOut = 0;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = 0;
    logFont.lfClipPrecision = 0;
    logFont.lfQuality = PROOF_QUALITY;
    logFont.lfPitchAndFamily = VARIABLE_PITCH_ROMAN;
    logFont.SetFaceName(faceName);
    Recreate();
}

LONG PrintFont::SetFontHeight(LONG height)
{
    const LONG previous = logFont.lfHeight;
    logFont.lfHeight = height;
    Recreate();
    return previous;
}

LONG PrintFont::SetFontWidth(LONG width)
{
    const LONG previous = logFont.lfWidth;
    logFont.lfWidth = width;
    Recreate();
    return previous;
}

void PrintFont::Recreate()
{
    font.DeleteObject();
    font.CreateFontIndirect(logFont);
}
