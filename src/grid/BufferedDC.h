#pragma once
// BufferedDC: the paint context of the grid window with an off-screen buffer.
//
// On a screen context the clip box is painted into an image of the clip
// box's size whose window origin is the clip box's top-left corner, so the
// drawing code keeps using window coordinates; the destructor copies the image
// once to the same place in the output. On a printer context nothing is
// buffered: the object draws straight through the output's painter.
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/QPainterDC.h"

class BufferedDC : public QPainterDC {
public:
    // outputDC must stay alive (and its painter active) until this object is destroyed.
    explicit BufferedDC(QPainterDC* outputDC);
    ~BufferedDC() override;
    BufferedDC(const BufferedDC&) = delete;
    BufferedDC& operator=(const BufferedDC&) = delete;

    // False on a printer context, where the output is drawn on directly.
    bool DrawsToMemory() const { return toMemory; }
    // The rectangle this context covers: the output's clip box, logical coordinates.
    const RECT& Area() const { return area; }
    const QImage* SourceImage() const override { return toMemory ? &bitmap : nullptr; }

private:
    // Copies the mapping of the output so the borrowed painter gets the same coordinates.
    void BorrowOutputState();
    // The one copy of the buffer to the output.
    void CopyToOutput();

    // Declared before the painter: the painter ends before the image goes.
    QImage bitmap;
    std::unique_ptr<QPainter> bitmapPainter;
    QPainterDC* output;
    RECT area;
    bool toMemory;
};
