#pragma once

#include <QDateTime>
#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

// The fleet at a glance: the lamps due soon, the projectors with the most
// errors, the ones silent longest.
struct FleetView
{
    struct LampDue
    {
        QString ip;
        int hours = 0;
        int ratedLife = 0;
        double days = 0; // until rated life
    };

    QVector<LampDue> lampsDue; // soonest first
    QVector<QPair<QString, int>> errorCounts;
    QVector<QPair<QString, QDateTime>> unreachable; // invalid time: never answered

    using LampSpan = QPair<QPair<QDateTime, int>, QPair<QDateTime, int>>;
    // The lamps that reach their rated life within withinDays, from each
    // projector's first and last reading of the period.
    static QVector<LampDue> lampsDueWithin(const QHash<QString, LampSpan> &spans, const QHash<QString, int> &ratedLives,
                                           double withinDays);
};
