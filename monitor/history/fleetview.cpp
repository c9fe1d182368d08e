#include "monitor/history/fleetview.h"

#include "monitor/history/lampforecast.h"

#include <algorithm>

QVector<FleetView::LampDue> FleetView::lampsDueWithin(const QHash<QString, LampSpan> &spans,
                                                      const QHash<QString, int> &ratedLives, double withinDays)
{
    QVector<LampDue> due;
    for (auto it = spans.cbegin(); it != spans.cend(); ++it) {
        const int life = ratedLives.value(it.key());
        const double days = LampForecast::daysToRatedLife(it->first.first, it->first.second, it->second.first,
                                                          it->second.second, life);
        if (days >= 0 && days <= withinDays)
            due.append(LampDue{it.key(), it->second.second, life, days});
    }
    std::sort(due.begin(), due.end(), [](const LampDue &a, const LampDue &b) {
        return a.days != b.days ? a.days < b.days : a.ip < b.ip;
    });
    return due;
}
