#pragma once
// The CAPS, NUM and SCRL panes of the status bar: each shows its text while
// its lock key is on and stays blank otherwise.
#include "platform/WinTypes.h"

#include <QLabel>

class QStatusBar;

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The keyboard's lock states; all off when the platform cannot tell.
LockKeyState QueryLockKeyState();

class LockIndicatorPane : public QLabel {
    Q_OBJECT
public:
    // `indicatorId` is ID_INDICATOR_CAPS, _NUM or _SCRL; the pane is as wide
    // as its text so that it does not move when the text appears.
    LockIndicatorPane(UINT indicatorId, QWidget* parent);
    UINT IndicatorId() const { return indicatorId; }
    void SetOn(bool on);
    bool IsOn() const { return on; }

private:
    UINT indicatorId;
    QString indicatorText;
    bool on = false;
};
