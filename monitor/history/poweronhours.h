#pragma once

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

// Hours a projector was on, per calendar day (local time), from the times its
// power state changed. "On" is the table's power code "1"; an empty code
// means the projector was not reachable, and counts as not on.
class PowerOnHours
{
public:
    static QMap<QDate, double> perDay(const QVector<QPair<QDateTime, QString>> &changes, const QDateTime &until);
};
