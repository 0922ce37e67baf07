// Text output of QPainterDC: DrawText with the DT_* rules, TextOut, extents and metrics.
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

#include "platform/QPainterDC.h"
#include "platform/SysColors.h"

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int QtFlags(UINT format)
{
    int flags = 0;
    if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else
        flags |= Qt::AlignLeft;
    // Vertical placement only applies to a single line; otherwise text starts at the top.
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    // No Qt::TextShowMnemonic: '&' is drawn as it is.
    return flags;
}

// CR LF, CR and LF all end a line in multi-line text.
QString NormaliseLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// True when the text surely fits `width` without measuring it: few enough
// characters of this font's widest advance. Only for Latin text, whose glyphs
// come from this font rather than a wider fallback font.
bool SurelyFits(const QString& text, const QFontMetrics& metrics, int width)
{
    if (static_cast<long long>(text.size()) * metrics.maxWidth() > width)
        return false;
    for (QChar c : text)
        if (c.unicode() >= 0x0250)
            return false;
    return true;
}

// DT_END_ELLIPSIS: every line that does not fit ends in "…".
QString ElideLines(const QString& text, const QFontMetrics& metrics, int width)
{
    if (SurelyFits(text, metrics, width))
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (metrics.horizontalAdvance(line) > width)
            line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

int QPainterDC::DoDrawText(std::string_view text, RECT& rect, UINT format)
{
    if (!Painter())
        return 0;
    QPainter& painter = *Painter();
    const QFont& font = DeviceFont();
    const QFontMetrics metrics(font, painter.device());
    const int flags = QtFlags(format);
    QString qtext = FromUtf8(text);
    if (!(format & DT_SINGLELINE))
        qtext = NormaliseLineBreaks(qtext);
    const QRect device = DeviceRect(rect);
    if ((format & DT_END_ELLIPSIS) && !(flags & Qt::TextWordWrap))
        qtext = ElideLines(qtext, metrics, device.width());

    // Height of the text as GDI measures it: lines times ascent + descent.
    const int lineHeight = metrics.ascent() + metrics.descent();
    const int lineCount = (flags & Qt::TextSingleLine) ? 1 : static_cast<int>(qtext.count(QLatin1Char('\n'))) + 1;
    int textHeight = lineCount * lineHeight;
    if (flags & Qt::TextWordWrap) {
        const QRect bounds =
            metrics.boundingRect(QRect(0, 0, std::max(device.width(), 1), 1 << 24), flags, qtext);
        textHeight = std::max(lineHeight, bounds.height());
    }
    if (format & DT_CALCRECT) {
        // The widest line; wrapped text keeps the rectangle's width.
        int textWidth = 0;
        if (!(flags & Qt::TextWordWrap)) {
            const QStringList lines =
                (flags & Qt::TextSingleLine) ? QStringList{qtext} : qtext.split(QLatin1Char('\n'));
            for (const QString& line : lines)
                textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
            rect.right = rect.left + DeviceToLogicalX(textWidth);
        }
        rect.bottom = rect.top + DeviceToLogicalY(textHeight);
        return DeviceToLogicalY(textHeight);
    }

    const DcAttributes& a = Attributes();
    painter.setFont(font);
    painter.setPen(ToQColor(a.textColor));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(a.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(ToQColor(a.bkColor));
    painter.drawText(device, flags, qtext);
    painter.setBackgroundMode(Qt::TransparentMode);
    return DeviceToLogicalY(textHeight);
}

void QPainterDC::DoTextOut(int x, int y, std::string_view text)
{
    if (!Painter())
        return;
    QPainter& painter = *Painter();
    POINT at{x, y};
    LPtoDP(&at);
    const QFont& font = DeviceFont();
    const QFontMetrics metrics(font, painter.device());
    const DcAttributes& a = Attributes();
    painter.setFont(font);
    painter.setPen(ToQColor(a.textColor));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(a.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(ToQColor(a.bkColor));
    // (x, y) is the top-left corner of the text cell; Qt wants the baseline.
    painter.drawText(QPoint(at.x, at.y + metrics.ascent()), FromUtf8(text));
    painter.setBackgroundMode(Qt::TransparentMode);
}

SIZE QPainterDC::DoGetTextExtent(std::string_view text) const
{
    const QFontMetrics metrics(DeviceFont(), Painter() ? Painter()->device() : nullptr);
    const int width = metrics.horizontalAdvance(FromUtf8(text));
    return SIZE{DeviceToLogicalX(width), DeviceToLogicalY(metrics.ascent() + metrics.descent())};
}

void QPainterDC::DoGetTextMetrics(TEXTMETRIC* tm) const
{
    const QFont& font = DeviceFont();
    const QFontMetrics m(font, Painter() ? Painter()->device() : nullptr);
    const int height = m.ascent() + m.descent();
    tm->tmHeight = DeviceToLogicalY(height);
    tm->tmAscent = DeviceToLogicalY(m.ascent());
    tm->tmDescent = tm->tmHeight - tm->tmAscent;
    const int em = font.pixelSize() > 0 ? font.pixelSize() : height;
    tm->tmInternalLeading = DeviceToLogicalY(std::max(0, height - em));
    tm->tmExternalLeading = DeviceToLogicalY(std::max(0, m.leading()));
    tm->tmAveCharWidth = DeviceToLogicalX(m.averageCharWidth());
    tm->tmMaxCharWidth = DeviceToLogicalX(m.maxWidth());
    tm->tmWeight = Attributes().font.lfWeight ? Attributes().font.lfWeight : FW_NORMAL;
    tm->tmOverhang = 0;
}
