#pragma once
// TitleTip: the popup that shows the whole text of a clipped cell, laid over
// the cell on the tooltip background. It never takes the focus or the mouse
// (the window is transparent for input), so keys and clicks land on the grid
// as if the tip were not there; it only watches them to get out of the way.
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "platform/WinTypes.h"

class QSinglePointEvent;

class TitleTip : public QWidget {
    Q_OBJECT

public:
    // A hidden tip for client (the grid's viewport), whose coordinates all
    // rectangles use. It hides itself on a key sent to keySource (the widget
    // holding the keyboard focus for the client), on a press, double click or
    // wheel over the client, and when the pointer leaves the client.
    TitleTip(QWidget* client, QWidget* keySource);

    // Shows " text " in font at title's left and top, title's height tall,
    // when it does not fit title (shifted right by xOffset). The pointer may
    // then move inside hover (title when null) without hiding the tip. A
    // visible tip stays as it is. True when the tip is shown now.
    bool Show(RECT title, const std::string& text, int xOffset, const RECT* hover, const LOGFONT& font);
    // Hides the tip; a point may be offered a tip again at once.
    void Hide();
    // Hides the tip, and no tip is offered inside its hover rectangle until
    // the pointer has left it (after a key or a click on the tip's cell).
    void Dismiss();
    // The pointer moved to point: hides the tip when point is outside its
    // hover rectangle. False while a tip must not be offered at point.
    bool TrackPointer(POINT point);

    bool IsShown() const { return isVisible(); }
    // What the tip shows and where the pointer may move (client coordinates).
    const QString& GetShownText() const { return shownText; }
    const LOGFONT& GetShownFont() const { return shownFont; }
    RECT GetHoverRect() const { return hover; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Some window systems give the tip a click or a wheel turn over it in
    // spite of its transparency (X11 does): it steps aside and hands the
    // event on to the widget underneath, as if it had never been there.
    bool event(QEvent* event) override;

private:
    // Dismisses the tip and sends a copy of event to the widget under the pointer.
    void HandOn(QSinglePointEvent* event);

    QWidget* client;
    RECT hover;
    // Where a key or click closed the tip; no tip there until the pointer leaves.
    std::optional<RECT> dismissed;
    QString shownText;
    LOGFONT shownFont;
};
