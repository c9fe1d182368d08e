#pragma once

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

// Hours a projector was on, per calendar day (local time), from the times its
// power state changed. "On" is the table's power code "2", and "1" (warming
// up, the lamp already lit) counts with it; standby, cooling down, error and
// an empty code (not reachable) count as not on.
class PowerOnHours
{
public:
    static QMap<QDate, double> perDay(const QVector<QPair<QDateTime, QString>> &changes, const QDateTime &until);
};
