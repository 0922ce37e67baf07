#include "platform/SysColors.h"

#include <QGuiApplication>
#include <QPalette>

#include "platform/WinConstants.h"

COLORREF GetSysColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case COLOR_WINDOW: return ToColorRef(palette.color(QPalette::Base));
    case COLOR_WINDOWTEXT: return ToColorRef(palette.color(QPalette::Text));
    case COLOR_BTNFACE: return ToColorRef(palette.color(QPalette::Button));
    case COLOR_BTNSHADOW: return ToColorRef(palette.color(QPalette::Dark));
    case COLOR_BTNHIGHLIGHT: return ToColorRef(palette.color(QPalette::Light));
    case COLOR_3DDKSHADOW: return ToColorRef(palette.color(QPalette::Shadow));
    case COLOR_3DLIGHT: return ToColorRef(palette.color(QPalette::Midlight));
    case COLOR_BTNTEXT: return ToColorRef(palette.color(QPalette::ButtonText));
    case COLOR_GRAYTEXT: return ToColorRef(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_HIGHLIGHT: return ToColorRef(palette.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT: return ToColorRef(palette.color(QPalette::HighlightedText));
    case COLOR_INFOBK: return ToColorRef(palette.color(QPalette::ToolTipBase));
    case COLOR_INFOTEXT: return ToColorRef(palette.color(QPalette::ToolTipText));
    default: return RGB(0, 0, 0);
    }
}
