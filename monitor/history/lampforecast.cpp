#include "monitor/history/lampforecast.h"

double LampForecast::daysToRatedLife(const QDateTime &firstTime, int firstHours, const QDateTime &lastTime,
                                     int lastHours, int ratedLife)
{
    if (ratedLife <= 0 || lastHours < 0)
        return -1;
    if (lastHours >= ratedLife)
        return 0;
    // Less than a day apart says more about the poll than about the lamp.
    const double days = firstTime.secsTo(lastTime) / 86400.0;
    if (!firstTime.isValid() || days < 1.0 || lastHours <= firstHours || firstHours < 0)
        return -1;
    const double hoursPerDay = (lastHours - firstHours) / days;
    return (ratedLife - lastHours) / hoursPerDay;
}
