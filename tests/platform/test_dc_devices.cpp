// QPainterDC on devices other than a memory image: vector and printer devices.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>
#include <tuple>

#include "PixelHelpers.h"

namespace {

TEST(DcDevices, PdfWriterIsAPrinterContextWithItsResolution)
{
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("page.pdf"));
    pdf.setResolution(600);
    QPainter painter(&pdf);
    QPainterDC dc(&painter);
    EXPECT_TRUE(dc.IsPrinting() && !dc.IsRaster());
    EXPECT_EQ(std::tuple(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY), dc.GetDeviceCaps(HORZRES),
                         dc.GetDeviceCaps(VERTRES)), std::tuple(600, 600, pdf.width(), pdf.height()));
    RECT clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{0, 0, pdf.width(), pdf.height()}));
}

// Records drawing on a vector device (QPicture) and plays it back onto white.
QImage PlayBack(const std::function<void(CDC&)>& draw)
{
    QPicture picture;
    {
        QPainter painter(&picture);
        QPainterDC dc(&painter);
        draw(dc);
    }
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.play(&painter);
    return image;
}

TEST(DcDevices, VectorDevicesDrawNotLinesInThePenColour)
{
    const QImage image = PlayBack([](CDC& dc) {
        CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
        dc.SelectObject(&pen);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(2, 5);
        dc.LineTo(12, 5);
        dc.InvertRect(RECT{0, 10, 20, 20});
    });
    EXPECT_EQ(QColor(image.pixel(4, 5)), QColor(0, 0, 255)) << "the line stays visible";
    EXPECT_EQ(QColor(image.pixel(5, 15)), QColor(Qt::white)) << "InvertRect does nothing on vector devices";
}

TEST(DcDevices, ClipBoxOfAWidgetPaintIsTheUpdateRectangle)
{
    MemoryDC dc(100, 100);
    dc.SetDeviceClipBox(QRect(10, 20, 30, 40));
    dc.SetWindowOrg(5, 5);
    RECT clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{15, 25, 45, 65}));
    dc.SetDeviceClipBox(QRect());
    EXPECT_EQ(dc.GetClipBox(&clip), NULLREGION);
}

}  // namespace
