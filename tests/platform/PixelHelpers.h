#pragma once
// Reading back what a MemoryDC drew.
#include <QImage>
#include <QRect>

#include "platform/QPainterDC.h"

// Bounding box of the pixels that differ from `background` (empty when none).
inline QRect InkBounds(const QImage& image, QRgb background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
    return box;
}

// A memory context filled with one colour.
inline void Clear(MemoryDC& dc, COLORREF color)
{
    dc.FillSolidRect(RECT{0, 0, dc.Image().width(), dc.Image().height()}, color);
}
