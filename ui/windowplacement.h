#pragma once

#include <QRect>
#include <QSize>

// Where the shell's windows open on the screen's available area.
class WindowPlacement
{
public:
    // The main window: 80 % of the width and 90 % of the height, centred;
    // never smaller than minimum where the screen has room for it, and never
    // beyond the available area (a small screen gets the window it can show).
    static QRect mainWindow(const QRect &available, const QSize &minimum = QSize());
    static QRect centred(const QSize &size, const QRect &available);
};
