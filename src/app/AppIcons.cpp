#include "app/AppIcons.h"

#include "app/AppResources.h"

#include <QPainter>
#include <QPolygon>

namespace {

// Every toolbar image is drawn on a transparent 16 x 15 canvas without
// antialiasing, so the pixels stay crisp at this small size.
QPixmap BlankToolbarImage()
{
    QPixmap image(res::kToolbarImageWidth, res::kToolbarImageHeight);
    image.fill(Qt::transparent);
    return image;
}

void DrawOpenFolder(QPainter& p)
{
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(11, 4),
                            QPoint(11, 13), QPoint(1, 13)}));
    p.setBrush(QColor(128, 128, 0));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(1, 13)}));
    // The arrow that says "open".
    p.drawLine(10, 1, 13, 1);
    p.drawLine(13, 1, 13, 4);
    p.drawLine(12, 3, 14, 3);
}

void DrawFloppyDisk(QPainter& p)
{
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(3, 1, 9, 6);       // label
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 10, 7, 4);      // shutter
    p.fillRect(9, 11, 1, 2, QColor(0, 0, 0));
}

void DrawPrinter(QPainter& p)
{
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(4, 0, 8, 5);       // paper going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 5, 15, 6);      // body
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(3, 9, 9, 5);       // paper coming out
    p.fillRect(12, 7, 2, 1, QColor(0, 255, 0));
}

void DrawAbout(QPainter& p)
{
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(1, 0, 13, 13);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QImage ProgramIconImage(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    // Case of the meter.
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(0, 96, 160));
    p.drawRoundedRect(QRectF(5.5, 1.5, 21, 29), 3, 3);
    // Display with a power reading bar in the verdict colours.
    p.setBrush(QColor(200, 230, 200));
    p.drawRect(QRectF(8.5, 4.5, 15, 10));
    p.fillRect(QRectF(10, 10, 4, 3), QColor(0, 200, 0));
    p.fillRect(QRectF(14, 10, 4, 3), QColor(255, 210, 0));
    p.fillRect(QRectF(18, 10, 4, 3), QColor(230, 0, 0));
    // Keys.
    p.setBrush(QColor(230, 230, 230));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(9.5 + col * 5, 18.5 + row * 5, 3, 3));
    return icon;
}

QPixmap ToolbarImage(UINT command)
{
    QPixmap image = BlankToolbarImage();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (command) {
    case ID_FILE_OPEN: DrawOpenFolder(p); break;
    case ID_FILE_SAVE: DrawFloppyDisk(p); break;
    case ID_FILE_PRINT: DrawPrinter(p); break;
    case ID_APP_ABOUT: DrawAbout(p); break;
    default: break;
    }
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}
