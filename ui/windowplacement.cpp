#include "ui/windowplacement.h"

QRect WindowPlacement::mainWindow(const QRect &available)
{
    return centred(QSize(available.width() * 8 / 10, available.height() * 9 / 10), available);
}

QRect WindowPlacement::centred(const QSize &size, const QRect &available)
{
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(available.center());
    return rect;
}
