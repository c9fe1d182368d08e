#pragma once

#include <QRect>
#include <QSize>

// Where the shell's windows open on the screen's available area.
class WindowPlacement
{
public:
    // The main window: 80 % of the width and 90 % of the height, centred.
    static QRect mainWindow(const QRect &available);
    static QRect centred(const QSize &size, const QRect &available);
};
