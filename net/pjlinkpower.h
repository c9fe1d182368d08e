#pragma once

#include <QString>

// POWR values of a PJLink projector (0 standby, 1 on, 2 cooling, 3 warming
// up) in the power-state codes of the status table and the all on / all off
// rules (0 standby, 1 warming up, 2 on, 3 cooling down).
class PJLinkPower
{
public:
    // -1 for anything that is not one of the four digits.
    static int tableCode(const QString &value);
    // The POWR line that switches on (true) or off.
    static QString switchLine(bool on) { return on ? QStringLiteral("%1POWR 1") : QStringLiteral("%1POWR 0"); }
};
