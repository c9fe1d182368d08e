#include "automation/weekdayrule.h"

#include <QStringList>

namespace {

bool listIncludes(const QString &rule, const QString &today)
{
    const QStringList pieces = rule.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return pieces.contains(today);
}

} // namespace

bool WeekdayRule::includes(const QString &rule, int day)
{
    if (rule.startsWith(QLatin1Char('*')))
        return true;
    const QString today = QString::number(day);
    if (rule.contains(QLatin1Char('-'))) {
        const QStringList range = rule.split(QLatin1Char('-'), Qt::SkipEmptyParts);
        if (range.size() != 2)
            return false;
        // Compared as text on purpose: "5-1" is an empty range, not a wrap.
        if (range.at(0) <= today && today <= range.at(1))
            return true;
    }
    return listIncludes(rule, today);
}

bool WeekdayRule::isPeriodic(const QString &rule)
{
    return rule.contains(QLatin1Char('*'));
}

QString WeekdayRule::fromFlags(const QVector<bool> &flags)
{
    QStringList days;
    for (int i = 0; i < flags.size() && i < 7; ++i)
        if (flags.at(i))
            days.append(QString::number(i + 1));
    return days.join(QLatin1Char(';'));
}

bool WeekdayRule::flagIsSet(const QString &cellText)
{
    const QString text = cellText.trimmed();
    return !(text.isEmpty() || text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
}
