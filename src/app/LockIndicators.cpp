#include "app/LockIndicators.h"

#include "app/StringTable.h"

#include <QFontMetrics>
#include <QGuiApplication>

#ifdef ORVIK_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

LockKeyState QueryLockKeyState()
{
    LockKeyState state;
#ifdef ORVIK_HAVE_X11
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display* display = x11->display()) {
            unsigned indicators = 0;
            if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success) {
                // Core keyboard LEDs: Caps Lock, Num Lock, Scroll Lock.
                state.caps = indicators & 0x1;
                state.num = indicators & 0x2;
                state.scroll = indicators & 0x4;
            }
        }
    }
#endif
    return state;
}

LockIndicatorPane::LockIndicatorPane(UINT id, QWidget* parent)
    : QLabel(parent)
    , indicatorId(id)
    , indicatorText(QString::fromStdString(res::LoadString(id)))
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedWidth(fontMetrics().horizontalAdvance(indicatorText) + 12);
}

void LockIndicatorPane::SetOn(bool isOn)
{
    on = isOn;
    setText(on ? indicatorText : QString());
}
