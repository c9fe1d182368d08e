#include "monitor/history/alertrules.h"

QString AlertRules::categoryOf(const QString &errorCode)
{
    return errorCode.trimmed().left(2).toUpper();
}

bool AlertRules::errorWanted(const QString &code) const
{
    if (!m_settings.onError)
        return false;
    if (m_settings.errorCategories.isEmpty())
        return true;
    const QString category = categoryOf(code);
    for (const QString &wanted : m_settings.errorCategories) {
        if (wanted.trimmed().toUpper() == category)
            return true;
    }
    return false;
}

void AlertRules::raise(QVector<Alert> &out, Alert::Condition condition, const QString &ip, const QString &detail,
                       const QDateTime &since)
{
    const QPair<int, QString> key(condition, ip);
    const auto active = m_active.constFind(key);
    if (active != m_active.constEnd()) {
        // Lamp percentages and silent minutes grow while their condition
        // lasts; only another error code is another condition.
        if (condition != Alert::Error || active->detail == detail)
            return;
        clear(out, condition, ip, since);
    }
    const Alert alert{condition, ip, detail, since, false};
    m_active.insert(key, alert);
    out.append(alert);
}

void AlertRules::clear(QVector<Alert> &out, Alert::Condition condition, const QString &ip, const QDateTime &now)
{
    const auto active = m_active.find(QPair<int, QString>(condition, ip));
    if (active == m_active.end())
        return;
    Alert cleared = *active;
    cleared.cleared = true;
    cleared.since = now;
    m_active.erase(active);
    out.append(cleared);
}

QVector<Alert> AlertRules::evaluate(const QVector<AlertInput> &sweep, const QDateTime &now)
{
    QVector<Alert> out;
    for (const AlertInput &p : sweep) {
        if (!p.reachable) {
            const QDateTime since = m_unreachableSince.value(p.ip, now);
            m_unreachableSince.insert(p.ip, since);
            if (m_settings.unreachableMinutes > 0 && since.secsTo(now) >= m_settings.unreachableMinutes * 60)
                raise(out, Alert::Unreachable, p.ip, QString::number(since.secsTo(now) / 60), since);
            // What a silent projector's error or lamp is, nobody knows: keep them.
            continue;
        }
        m_unreachableSince.remove(p.ip);
        clear(out, Alert::Unreachable, p.ip, now);

        const bool hasError = !p.errorCode.isEmpty() && p.errorCode != QLatin1String("0000");
        if (hasError && errorWanted(p.errorCode))
            raise(out, Alert::Error, p.ip, p.errorCode, now);
        else
            clear(out, Alert::Error, p.ip, now);

        if (m_settings.lampPercent > 0 && p.ratedLife > 0 && p.lampHours >= 0 &&
            qint64(p.lampHours) * 100 >= qint64(p.ratedLife) * m_settings.lampPercent)
            raise(out, Alert::Lamp, p.ip, QString::number(qint64(p.lampHours) * 100 / p.ratedLife), now);
        else if (p.lampHours >= 0)
            clear(out, Alert::Lamp, p.ip, now);
    }
    return out;
}

Alert AlertRules::jobFailed(const QString &job, const QString &reason, const QDateTime &now)
{
    return Alert{Alert::JobFailed, job, reason, now, false};
}

void AlertThrottle::forget(const QDateTime &now) const
{
    while (!m_sent.isEmpty() && m_sent.constFirst().secsTo(now) >= 3600)
        m_sent.removeFirst();
}

bool AlertThrottle::take(const QDateTime &now)
{
    forget(now);
    if (m_sent.size() >= qMax(1, m_max))
        return false;
    m_sent.append(now);
    return true;
}

QDateTime AlertThrottle::nextSlot(const QDateTime &now) const
{
    forget(now);
    if (m_sent.size() < qMax(1, m_max))
        return QDateTime();
    return m_sent.at(m_sent.size() - qMax(1, m_max)).addSecs(3600);
}
