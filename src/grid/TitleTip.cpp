#include "grid/TitleTip.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/FontMapping.h"
#include "platform/SysColors.h"
#include "platform/WinConstants.h"

namespace {

// The thin frame around the text, inside the tip's rectangle.
constexpr int kBorder = 1;
// The text colour a device context starts with.
constexpr COLORREF kDefaultTextColor = RGB(0, 0, 0);

}  // namespace

TitleTip::TitleTip(QWidget* clientWidget, QWidget* keySource)
    : QWidget(clientWidget, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                                | Qt::WindowDoesNotAcceptFocus),
      client(clientWidget)
{
    // Input passes through to the grid underneath; showing never activates.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    client->installEventFilter(this);
    if (keySource && keySource != client)
        keySource->installEventFilter(this);
    // No tip stays up for an application in the background, or once no window of it has the keyboard.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now)
            Hide();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            Hide();
    });
}

bool TitleTip::Show(RECT title, const std::string& text, int xOffset, const RECT* hoverRect, const LOGFONT& font)
{
    if (title.IsRectEmpty())
        return false;
    hover = hoverRect ? *hoverRect : title;
    if (isVisible())
        return true;
    // An application in the background shows no tips.
    if (!QApplication::focusWidget())
        return false;

    const QString shown = QStringLiteral(" ") + QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                          + QStringLiteral(" ");
    const QFont& qfont = QFontFromLogFont(font);
    const int extent = QFontMetrics(qfont).horizontalAdvance(shown);
    // Text metrics of this platform have no overhang.
    const int neededRight = title.left + xOffset + extent + xOffset;
    if (title.right - xOffset >= neededRight)
        return false;

    shownText = shown;
    shownFont = font;
    // What a screen reader says for the tip.
    setAccessibleName(shown.trimmed());
    setFont(qfont);
    const QPoint topLeft = client->mapToGlobal(QPoint(title.left + xOffset, title.top));
    setGeometry(topLeft.x(), topLeft.y(), extent + xOffset, title.bottom - title.top);
    show();
    update();
    return true;
}

void TitleTip::Hide()
{
    dismissed.reset();
    hide();
}

void TitleTip::Dismiss()
{
    if (isVisible())
        dismissed = hover;
    hide();
}

bool TitleTip::TrackPointer(POINT point)
{
    if (isVisible() && !hover.PtInRect(point))
        hide();
    if (dismissed && !dismissed->PtInRect(point))
        dismissed.reset();
    return !dismissed;
}

bool TitleTip::eventFilter(QObject* watched, QEvent* event)
{
    // The event always goes on to the grid: the tip only steps aside.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Dismiss();
        break;
    case QEvent::Wheel:
    case QEvent::Hide:
        if (watched == client)
            Hide();
        break;
    case QEvent::Leave:
        // Showing the tip under the pointer can itself send the client a
        // leave; only a pointer really outside the client area hides it.
        if (watched == client && !client->rect().contains(client->mapFromGlobal(QCursor::pos())))
            Hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TitleTip::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        HandOn(static_cast<QSinglePointEvent*>(event));
        return true;
    default:
        return QWidget::event(event);
    }
}

void TitleTip::HandOn(QSinglePointEvent* event)
{
    const QPointF globalPosition = event->globalPosition();
    event->accept();
    // Dismissed, not just hidden: a move inside the cell must not bring the
    // tip back under the pointer before the button comes up.
    Dismiss();
    QWidget* target = QApplication::widgetAt(globalPosition.toPoint());
    if (!target || target == this)
        target = client;
    const QPointF local = target->mapFromGlobal(globalPosition);
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        QWheelEvent copy(local, globalPosition, wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                         wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
        QApplication::sendEvent(target, &copy);
        return;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QMouseEvent copy(mouse->type(), local, local, globalPosition, mouse->button(), mouse->buttons(),
                     mouse->modifiers(), mouse->pointingDevice());
    QApplication::sendEvent(target, &copy);
}

void TitleTip::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(GetSysColor(COLOR_INFOBK)));
    painter.setPen(ToQColor(GetSysColor(COLOR_INFOTEXT)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The text's top-left corner at the top-left of the area inside the
    // frame, in a new device context's text colour, whatever the palette's
    // tooltip text.
    painter.setPen(ToQColor(kDefaultTextColor));
    painter.setFont(font());
    painter.drawText(QPoint(kBorder, kBorder + QFontMetrics(font()).ascent()), shownText);
}
