#pragma once

#include <QString>
#include <QVector>

// The weekday rule of a scheduled job (the "WeekDay(*,1-7)" column).
// Day numbers are 1 = Monday ... 7 = Sunday.
//
//   "*..."   every day (and the job is periodic: HH:MM is its period)
//   "a-b"    a <= day <= b, compared as text, so "5-1" includes no day
//   "1;3;5"  the listed days
class WeekdayRule
{
public:
    static bool includes(const QString &rule, int day);
    // A rule holding "*" anywhere makes the job periodic.
    static bool isPeriodic(const QString &rule);
    // The rule written from the seven day flags (Monday first): "1;3".
    static QString fromFlags(const QVector<bool> &flags);
    // How a day-flag cell reads: true unless empty, "0" or "false".
    static bool flagIsSet(const QString &cellText);
};
