#pragma once
// The program's own images, drawn in code: the 16 x 15 toolbar button images
// and the program icon.
#include "platform/WinTypes.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The toolbar image of a command (open, save, print, about); a transparent
// 16 x 15 image for any other command.
QPixmap ToolbarImage(UINT command);

// The program icon (icon 128): a power meter with its display, at 16, 32 and 48 pixels.
QIcon ProgramIcon();
// The program icon drawn at `size` x `size` pixels; needs no QGuiApplication,
// so the build can make the installed icon images with it.
QImage ProgramIconImage(int size);
