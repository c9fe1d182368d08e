#include "monitor/history/poweronhours.h"

namespace {

void addInterval(QMap<QDate, double> &days, QDateTime from, const QDateTime &to)
{
    while (from < to) {
        const QDateTime midnight(from.toLocalTime().date().addDays(1), QTime(0, 0), Qt::LocalTime);
        const QDateTime end = midnight < to ? midnight : to;
        days[from.toLocalTime().date()] += from.secsTo(end) / 3600.0;
        from = end;
    }
}

} // namespace

QMap<QDate, double> PowerOnHours::perDay(const QVector<QPair<QDateTime, QString>> &changes, const QDateTime &until)
{
    QMap<QDate, double> days;
    for (int i = 0; i < changes.size(); ++i) {
        const QString &code = changes.at(i).second;
        if (code != QLatin1String("2") && code != QLatin1String("1"))
            continue;
        const QDateTime end = i + 1 < changes.size() ? changes.at(i + 1).first : until;
        addInterval(days, changes.at(i).first, end);
    }
    return days;
}
