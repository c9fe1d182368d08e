#include "ui/windowplacement.h"

QRect WindowPlacement::mainWindow(const QRect &available, const QSize &minimum)
{
    const QSize wanted = QSize(available.width() * 8 / 10, available.height() * 9 / 10).expandedTo(minimum);
    return centred(wanted.boundedTo(available.size()), available);
}

QRect WindowPlacement::centred(const QSize &size, const QRect &available)
{
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(available.center());
    return rect;
}
