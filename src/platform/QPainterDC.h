#pragma once
// CDC over a QPainter: a widget in paintEvent, a QImage (MemoryDC), a QPrinter,
// a QPdfWriter or any other QPaintDevice.
//
// Coordinates are mapped logical -> device by the CDC (GDI rounding) and drawn
// in device pixels, so rectangle edges and line pixels land exactly where GDI
// puts them; fonts are realised at their device size. Lines and fills use no
// antialiasing. R2_NOT and InvertRect invert pixels on raster devices; on
// vector devices (PDF, printer) lines keep the pen colour and InvertRect does
// nothing.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>

#include "platform/CDC.h"

class QPainterDC : public CDC {
public:
    // Draws with an active painter owned by the caller. Metrics come from
    // painter->device(); the clip box is the painter's clip bounding rectangle
    // (or the whole device when the painter has no clipping).
    explicit QPainterDC(QPainter* painter);
    ~QPainterDC() override;

    // For a widget's paintEvent: the update rectangle in device pixels.
    void SetDeviceClipBox(const QRect& deviceRect);
    // Marks the context as a printer context (set for QPrinter/QPdfWriter automatically).
    void SetPrinting(bool printing) { printing_ = printing; }
    // The resolution the context reports (LOGPIXELSX/Y) instead of the
    // device's: a print preview draws a page at the zoom it shows.
    void SetLogPixels(int x, int y)
    {
        logPixelsX_ = x;
        logPixelsY_ = y;
    }
    BOOL IsPrinting() const override { return printing_ ? TRUE : FALSE; }
    // True when pixels can be inverted (raster engine): R2_NOT, InvertRect.
    bool IsRaster() const { return raster_; }
    QPainter* Painter() const { return painter_; }
    // The image behind the painter, or null (BitBlt sources must have one).
    virtual const QImage* SourceImage() const { return nullptr; }

protected:
    QPainterDC() = default;   // for MemoryDC, which attaches its own painter
    void Attach(QPainter* painter);

    void DoFillRect(const RECT& rect, COLORREF color, DcCallKind kind) override;
    void DoRectangle(const RECT& rect) override;
    void DoInvertRect(const RECT& rect) override;
    void DoLine(POINT from, POINT to) override;
    int DoDrawText(std::string_view text, RECT& rect, UINT format) override;
    void DoTextOut(int x, int y, std::string_view text) override;
    void DoDrawEdge(const RECT& rect, UINT edge, UINT flags) override;
    BOOL DoBitBlt(const RECT& dest, CDC* src, POINT srcOrigin, DWORD rop) override;
    SIZE DoGetTextExtent(std::string_view text) const override;
    void DoGetTextMetrics(TEXTMETRIC* metrics) const override;
    int DoGetClipBox(RECT* rect) const override;
    int DoGetDeviceCaps(int index) const override;

    // Device rectangle (right/bottom excluded) of a logical rectangle.
    QRect DeviceRect(const RECT& logical) const;
    // The selected font realised at its device size.
    const QFont& DeviceFont() const;

private:
    // Fills device pixels with a colour under a raster operation (R2_*).
    void FillDevice(const QRect& device, COLORREF color, int rop);
    // Pixels of a pen line from `from` up to, not including, `to`.
    void DrawDeviceLine(QPoint from, QPoint to, int width, COLORREF color);
    // Device width of the selected pen: width 0 is one pixel.
    int DevicePenWidth() const;

    QPainter* painter_ = nullptr;
    bool printing_ = false;
    bool raster_ = false;
    QRect deviceClip_;
    int logPixelsX_ = 96;
    int logPixelsY_ = 96;
};

// A memory context: a QImage (Format_RGB32, initially white) with its own
// painter. Used as the off-screen buffer and as the canvas of pixel tests.
class MemoryDC : public QPainterDC {
public:
    // width × height device pixels; resolution (LOGPIXELSX/Y) taken from `compatible`
    // when given, else 96 dpi.
    MemoryDC(int width, int height, const CDC* compatible = nullptr);
    ~MemoryDC() override;

    const QImage* SourceImage() const override { return &image_; }
    const QImage& Image() const { return image_; }
    // Reads a pixel at device coordinates as COLORREF.
    COLORREF GetPixel(int deviceX, int deviceY) const;

private:
    QImage image_;
    std::unique_ptr<QPainter> ownPainter_;
};
