#include "grid/BufferedDC.h"

#include <algorithm>
#include <cmath>

BufferedDC::BufferedDC(QPainterDC* outputDC)
    : output(outputDC), toMemory(!outputDC->IsPrinting())
{
    output->GetClipBox(&area);
    if (!toMemory) {
        // A printer context: borrow the output's painter, nothing is buffered.
        Attach(output->Painter());
        SetPrinting(true);
        BorrowOutputState();
        return;
    }

    // The buffer has the clip box's size in device pixels, at the output's
    // resolution and pixel ratio so text is measured and drawn alike.
    RECT device = area;
    output->LPtoDP(&device);
    const int width = std::max(1, std::abs(device.Width()));
    const int height = std::max(1, std::abs(device.Height()));
    const QPaintDevice* outputDevice = output->Painter() ? output->Painter()->device() : nullptr;
    const qreal ratio = outputDevice ? outputDevice->devicePixelRatio() : 1.0;
    bitmap = QImage(static_cast<int>(std::ceil(width * ratio)), static_cast<int>(std::ceil(height * ratio)),
                    QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.setDotsPerMeterX(static_cast<int>(std::lround(output->GetDeviceCaps(LOGPIXELSX) / 0.0254)));
    bitmap.setDotsPerMeterY(static_cast<int>(std::lround(output->GetDeviceCaps(LOGPIXELSY) / 0.0254)));
    bitmapPainter = std::make_unique<QPainter>(&bitmap);
    Attach(bitmapPainter.get());
    SetDeviceClipBox(QRect(0, 0, width, height));
    SetWindowOrg(area.left, area.top);
}

BufferedDC::~BufferedDC()
{
    if (toMemory)
        CopyToOutput();
}

void BufferedDC::BorrowOutputState()
{
    SetMapMode(output->GetMapMode());
    SetWindowExt(output->GetWindowExt());
    SetViewportExt(output->GetViewportExt());
    SetWindowOrg(output->GetWindowOrg());
    SetViewportOrg(output->GetViewportOrg());
    RECT device = area;
    output->LPtoDP(&device);
    SetDeviceClipBox(QRect(device.left, device.top, device.Width(), device.Height()));
}

void BufferedDC::CopyToOutput()
{
    QPainter* target = output->Painter();
    if (!target)
        return;
    bitmapPainter->end();
    POINT topLeft{area.left, area.top};
    output->LPtoDP(&topLeft);
    // The image carries the pixel ratio, so it lands on exactly the clip box.
    const QPainter::CompositionMode mode = target->compositionMode();
    target->setCompositionMode(QPainter::CompositionMode_Source);
    target->drawImage(QPoint(topLeft.x, topLeft.y), bitmap);
    target->setCompositionMode(mode);
}
