#pragma once
// System colours from the application palette, and COLORREF <-> QColor.
#include <QColor>

#include "platform/WinTypes.h"

// COLOR_WINDOW -> Base, COLOR_WINDOWTEXT -> Text, COLOR_BTNFACE -> Button,
// COLOR_BTNSHADOW -> Dark, COLOR_BTNHIGHLIGHT -> Light, COLOR_3DDKSHADOW -> Shadow,
// COLOR_3DLIGHT -> Midlight, COLOR_BTNTEXT -> ButtonText, COLOR_GRAYTEXT -> disabled Text,
// COLOR_HIGHLIGHT -> Highlight, COLOR_HIGHLIGHTTEXT -> HighlightedText,
// COLOR_INFOBK -> ToolTipBase, COLOR_INFOTEXT -> ToolTipText; unknown indexes give black.
COLORREF GetSysColor(int index);

inline QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}
inline COLORREF ToColorRef(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}
