#include "platform/SystemSettings.h"

#include <QApplication>

int GetWheelScrollLines()
{
    return QApplication::wheelScrollLines();
}
