#pragma once
// LOGFONT <-> QFont.
//
// lfHeight < 0 is the character height in pixels (setPixelSize(-h)); > 0 the
// cell height (a pixel size whose ascent + descent comes closest to h); 0 the
// application font's size. lfWeight maps onto QFont's 100..900 weights,
// lfWidth (average character width) onto the stretch that gives that average
// width. Faces that are not installed fall back through fontconfig; Chinese
// faces ("黑体", "宋体", SimSun, …) go to an installed CJK font.
#include <QFont>

#include "platform/WinTypes.h"

// The QFont for a LOGFONT in device pixels. Cached per process: cheap to call per cell.
const QFont& QFontFromLogFont(const LOGFONT& logFont);
// The same font for a device whose pixels are scaleX × scaleY logical units
// (MM_ANISOTROPIC): heights scale with y, the average width with x.
const QFont& QFontFromLogFont(const LOGFONT& logFont, double scaleX, double scaleY);

// The LOGFONT describing a QFont, with a negative lfHeight in pixels.
LOGFONT LogFontFromQFont(const QFont& font);
// The system message font (QApplication::font()) as a LOGFONT: the grid's default font.
LOGFONT GetMessageLogFont();
// Drops all cached fonts (after the application font changes).
void ClearFontCache();
