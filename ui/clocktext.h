#pragma once

#include <QString>
#include <QTime>

// Text and colouring of the toolbar clock. The clock only runs while the
// scheduler switch is on, so an operator sees at a glance whether jobs are
// being watched; the colon blinks to show the window is alive.
class ClockText
{
public:
    static QString text(const QTime &now, bool schedulerOn);
    static QString applicationStyleSheet(bool schedulerOn);
    // Remaining time until the next status poll, as shown in its progress bar.
    static QString countdown(int secondsLeft);
};
