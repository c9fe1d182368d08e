#pragma once

#include <QDateTime>

// When a lamp reaches its rated life, from two lamp-hour readings: the rate
// between them (hours per day of calendar time) carried forward from the
// later one.
class LampForecast
{
public:
    // Days until ratedLife, or -1 when it cannot be told (no rated life,
    // readings too close together, a lamp not burning, a counter that went
    // back: a replaced lamp). 0 when the life is already reached.
    static double daysToRatedLife(const QDateTime &firstTime, int firstHours, const QDateTime &lastTime, int lastHours,
                                  int ratedLife);
};
