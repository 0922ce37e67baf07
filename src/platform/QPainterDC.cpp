#include "platform/QPainterDC.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/FontMapping.h"
#include "platform/SysColors.h"

namespace {

// How a raster operation turns into painter settings on this device.
struct RopPaint {
    bool skip = false;
    QColor color;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

RopPaint ResolveRop(int rop, COLORREF color, bool raster)
{
    switch (rop) {
    case R2_NOP: return {true, {}, QPainter::CompositionMode_SourceOver};
    case R2_BLACK: return {false, Qt::black, QPainter::CompositionMode_SourceOver};
    case R2_WHITE: return {false, Qt::white, QPainter::CompositionMode_SourceOver};
    case R2_NOTCOPYPEN: return {false, ToQColor(~color & 0xFFFFFF), QPainter::CompositionMode_SourceOver};
    case R2_NOT:
        // Vector devices cannot invert: the line keeps its pen colour there.
        if (raster)
            return {false, Qt::black, QPainter::RasterOp_NotDestination};
        return {false, ToQColor(color), QPainter::CompositionMode_SourceOver};
    case R2_XORPEN:
        if (raster)
            return {false, ToQColor(color), QPainter::RasterOp_SourceXorDestination};
        return {false, ToQColor(color), QPainter::CompositionMode_SourceOver};
    default: return {false, ToQColor(color), QPainter::CompositionMode_SourceOver};
    }
}

// Pixels of a one-pixel line from a to b, b left out (Bresenham, as GDI draws them).
QPolygon LinePixels(QPoint a, QPoint b)
{
    QPolygon pixels;
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    while (x != b.x() || y != b.y()) {
        pixels << QPoint(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return pixels;
}

}  // namespace

QPainterDC::QPainterDC(QPainter* painter)
{
    Attach(painter);
}

QPainterDC::~QPainterDC() = default;

void QPainterDC::Attach(QPainter* painter)
{
    painter_ = painter;
    if (!painter_ || !painter_->device())
        return;
    QPaintDevice* device = painter_->device();
    const QPaintEngine* engine = painter_->paintEngine();
    raster_ = engine && engine->type() == QPaintEngine::Raster;
    printing_ = device->devType() == QInternal::Printer
        || (engine && engine->type() == QPaintEngine::Pdf);
    logPixelsX_ = device->logicalDpiX();
    logPixelsY_ = device->logicalDpiY();
    deviceClip_ = painter_->hasClipping() ? painter_->clipBoundingRect().toAlignedRect()
                                           : QRect(0, 0, device->width(), device->height());
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

void QPainterDC::SetDeviceClipBox(const QRect& deviceRect)
{
    deviceClip_ = deviceRect;
}

QRect QPainterDC::DeviceRect(const RECT& logical) const
{
    RECT d = logical;
    LPtoDP(&d);
    const int left = std::min(d.left, d.right), right = std::max(d.left, d.right);
    const int top = std::min(d.top, d.bottom), bottom = std::max(d.top, d.bottom);
    return QRect(left, top, right - left, bottom - top);
}

const QFont& QPainterDC::DeviceFont() const
{
    const DcAttributes& a = Attributes();
    const double scaleX = double(a.viewportExt.cx) / a.windowExt.cx;
    const double scaleY = double(a.viewportExt.cy) / a.windowExt.cy;
    return QFontFromLogFont(a.font, scaleX, scaleY);
}

int QPainterDC::DevicePenWidth() const
{
    const int width = Attributes().pen.width;
    if (width <= 0)
        return 1;
    return std::max(1, std::abs(LogicalToDeviceX(width)));
}

void QPainterDC::FillDevice(const QRect& device, COLORREF color, int rop)
{
    if (!painter_ || device.isEmpty())
        return;
    const RopPaint paint = ResolveRop(rop, color, raster_);
    if (paint.skip)
        return;
    painter_->setCompositionMode(paint.mode);
    painter_->fillRect(device, paint.color);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterDC::DoFillRect(const RECT& rect, COLORREF color, DcCallKind kind)
{
    (void)kind;
    FillDevice(DeviceRect(rect), color, R2_COPYPEN);
}

void QPainterDC::DoRectangle(const RECT& rect)
{
    const DcAttributes& a = Attributes();
    const QRect d = DeviceRect(rect);
    if (d.isEmpty())
        return;
    if (a.pen.IsNull()) {
        // Without a pen GDI fills one pixel less to the right and bottom.
        if (!a.brush.null)
            FillDevice(d.adjusted(0, 0, -1, -1), a.brush.color, a.rop2);
        return;
    }
    const int w = std::min({DevicePenWidth(), (d.width() + 1) / 2, (d.height() + 1) / 2});
    if (!a.brush.null)
        FillDevice(d.adjusted(w, w, -w, -w), a.brush.color, a.rop2);
    // Four bands that do not overlap, so R2_NOT inverts each frame pixel once.
    FillDevice(QRect(d.left(), d.top(), d.width(), w), a.pen.color, a.rop2);
    FillDevice(QRect(d.left(), d.bottom() - w + 1, d.width(), w), a.pen.color, a.rop2);
    FillDevice(QRect(d.left(), d.top() + w, w, d.height() - 2 * w), a.pen.color, a.rop2);
    FillDevice(QRect(d.right() - w + 1, d.top() + w, w, d.height() - 2 * w), a.pen.color, a.rop2);
}

void QPainterDC::DoInvertRect(const RECT& rect)
{
    if (raster_)
        FillDevice(DeviceRect(rect), RGB(0, 0, 0), R2_NOT);
}

void QPainterDC::DoLine(POINT from, POINT to)
{
    const DcAttributes& a = Attributes();
    if (a.pen.IsNull() || !painter_)
        return;
    POINT ends[2] = {from, to};
    LPtoDP(ends, 2);
    DrawDeviceLine(QPoint(ends[0].x, ends[0].y), QPoint(ends[1].x, ends[1].y), DevicePenWidth(), a.pen.color);
}

void QPainterDC::DrawDeviceLine(QPoint from, QPoint to, int width, COLORREF color)
{
    const int rop = Attributes().rop2;
    if (from == to)
        return;
    const int half = (width - 1) / 2;   // a wide pen is centred on the line
    if (from.y() == to.y()) {
        const int left = from.x() < to.x() ? from.x() : to.x() + 1;
        FillDevice(QRect(left, from.y() - half, std::abs(to.x() - from.x()), width), color, rop);
        return;
    }
    if (from.x() == to.x()) {
        const int top = from.y() < to.y() ? from.y() : to.y() + 1;
        FillDevice(QRect(from.x() - half, top, width, std::abs(to.y() - from.y())), color, rop);
        return;
    }
    const RopPaint paint = ResolveRop(rop, color, raster_);
    if (paint.skip)
        return;
    painter_->setCompositionMode(paint.mode);
    if (width == 1) {
        painter_->setPen(QPen(paint.color, 1));
        painter_->drawPoints(LinePixels(from, to));
    } else {
        painter_->setPen(QPen(paint.color, width, Qt::SolidLine, Qt::FlatCap));
        painter_->drawLine(from, to);
    }
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterDC::DoDrawEdge(const RECT& rect, UINT edge, UINT flags)
{
    QRect d = DeviceRect(rect);
    // Outer edge first, then the inner one a pixel further in.
    struct Edge {
        UINT raised, sunken;
        int raisedTopLeft, raisedBottomRight, sunkenTopLeft, sunkenBottomRight;
    };
    const Edge edges[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Edge& e : edges) {
        if (d.isEmpty())
            return;
        int topLeft, bottomRight;
        if (edge & e.raised) {
            topLeft = e.raisedTopLeft;
            bottomRight = e.raisedBottomRight;
        } else if (edge & e.sunken) {
            topLeft = e.sunkenTopLeft;
            bottomRight = e.sunkenBottomRight;
        } else {
            continue;
        }
        const COLORREF tl = GetSysColor(topLeft), br = GetSysColor(bottomRight);
        if (flags & BF_TOP)
            FillDevice(QRect(d.left(), d.top(), d.width(), 1), tl, R2_COPYPEN);
        if (flags & BF_LEFT)
            FillDevice(QRect(d.left(), d.top(), 1, d.height()), tl, R2_COPYPEN);
        if (flags & BF_BOTTOM)
            FillDevice(QRect(d.left(), d.bottom(), d.width(), 1), br, R2_COPYPEN);
        if (flags & BF_RIGHT)
            FillDevice(QRect(d.right(), d.top(), 1, d.height()), br, R2_COPYPEN);
        d.adjust(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                 flags & BF_BOTTOM ? -1 : 0);
    }
}

BOOL QPainterDC::DoBitBlt(const RECT& dest, CDC* src, POINT srcOrigin, DWORD rop)
{
    auto* source = dynamic_cast<QPainterDC*>(src);
    const QImage* image = source ? source->SourceImage() : nullptr;
    if (!image || !painter_ || rop != SRCCOPY)
        return FALSE;
    const QRect target = DeviceRect(dest);
    const QRect from = source->DeviceRect(
        RECT{srcOrigin.x, srcOrigin.y, srcOrigin.x + dest.Width(), srcOrigin.y + dest.Height()});
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    painter_->drawImage(target, *image, from);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

int QPainterDC::DoGetClipBox(RECT* rect) const
{
    RECT box{deviceClip_.left(), deviceClip_.top(), deviceClip_.left() + deviceClip_.width(),
             deviceClip_.top() + deviceClip_.height()};
    DPtoLP(&box);
    *rect = box;
    return deviceClip_.isEmpty() ? NULLREGION : SIMPLEREGION;
}

int QPainterDC::DoGetDeviceCaps(int index) const
{
    const QPaintDevice* device = painter_ ? painter_->device() : nullptr;
    switch (index) {
    case HORZRES: return device ? device->width() : 0;
    case VERTRES: return device ? device->height() : 0;
    case LOGPIXELSX: return logPixelsX_;
    case LOGPIXELSY: return logPixelsY_;
    case BITSPIXEL: return 32;
    default: return 0;
    }
}

MemoryDC::MemoryDC(int width, int height, const CDC* compatible)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)
{
    const int dpiX = compatible ? compatible->GetDeviceCaps(LOGPIXELSX) : 96;
    const int dpiY = compatible ? compatible->GetDeviceCaps(LOGPIXELSY) : 96;
    image_.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
    image_.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
    image_.fill(Qt::white);
    ownPainter_ = std::make_unique<QPainter>(&image_);
    Attach(ownPainter_.get());
}

MemoryDC::~MemoryDC()
{
    ownPainter_->end();
}

COLORREF MemoryDC::GetPixel(int deviceX, int deviceY) const
{
    if (!image_.valid(deviceX, deviceY))
        return CLR_INVALID;
    return ToColorRef(QColor(image_.pixel(deviceX, deviceY)));
}
