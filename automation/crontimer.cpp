#include "automation/crontimer.h"

#include "automation/weekdayrule.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr qint64 SecondsPerDay = 86400;

int dayOfWeekOf(qint64 julianDay)
{
    // Julian day 0 was a Monday.
    return int(julianDay % 7) + 1;
}

} // namespace

CronTimer::CronTimer(QObject *parent)
    : QObject(parent), m_clock([] { return QDateTime::currentDateTime(); }), m_timer(new QTimer(this))
{
    m_elapsed.start();
    m_monotonic = [this] { return m_elapsed.elapsed(); };
    connect(m_timer, &QTimer::timeout, this, &CronTimer::showTime);
}

void CronTimer::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void CronTimer::setMonotonicClock(MonotonicClock clock)
{
    m_monotonic = std::move(clock);
}

void CronTimer::start(int intervalMs)
{
    m_timer->start(intervalMs);
    showTime();
}

void CronTimer::stop()
{
    m_timer->stop();
}

bool CronTimer::isActive() const
{
    return m_timer->isActive();
}

qint64 CronTimer::wallSeconds(const QDateTime &moment)
{
    // Wall-clock seconds: a job set for 08:30 runs at 08:30 on the clock on
    // the wall, summer time or not.
    return moment.date().toJulianDay() * SecondsPerDay + moment.time().msecsSinceStartOfDay() / 1000;
}

qint64 CronTimer::nowSeconds() const
{
    return wallSeconds(m_clock());
}

void CronTimer::setJobs(const QStringList &timeTexts, const QStringList &rules)
{
    const qint64 now = nowSeconds();
    const qint64 nowMs = m_monotonic();
    // Before the first check the current second still counts, as it would
    // have for a clock that was already running.
    const qint64 armed = m_checked ? now : now - 1;
    const int count = qMax(timeTexts.size(), rules.size());
    QVector<Row> rows(count);
    for (int i = 0; i < count; ++i) {
        Row &row = rows[i];
        row.timeText = timeTexts.value(i);
        row.rule = rules.value(i);
        row.known = true;
        if (i < m_rows.size() && m_rows.at(i).known && m_rows.at(i).timeText == row.timeText
            && m_rows.at(i).rule == row.rule) {
            row = m_rows.at(i);
            continue;
        }
        const QTime time = QTime::fromString(row.timeText, QStringLiteral("hh:mm"));
        row.secondOfDay = time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
        row.period = WeekdayRule::isPeriodic(row.rule) ? row.secondOfDay : 0;
        for (int day = 1; day <= 7; ++day)
            if (WeekdayRule::includes(row.rule, day))
                row.dayMask |= quint8(1u << day);
        row.armedSince = armed;
        row.nextFireMs = nowMs + row.period * 1000LL;
    }
    m_rows = rows;
}

void CronTimer::insertRows(int row, int count)
{
    if (row < 0 || row > m_rows.size() || count <= 0)
        return;
    m_rows.insert(row, count, Row());
}

void CronTimer::removeRows(int row, int count)
{
    if (row < 0 || count <= 0 || row >= m_rows.size())
        return;
    m_rows.remove(row, qMin(count, m_rows.size() - row));
}

QTime CronTimer::time(int row) const
{
    return QTime::fromMSecsSinceStartOfDay(m_rows.value(row).secondOfDay * 1000);
}

QString CronTimer::rule(int row) const
{
    return m_rows.value(row).rule;
}

int CronTimer::countdown(int row) const
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).period <= 0)
        return -1;
    const qint64 leftMs = m_rows.at(row).nextFireMs - (m_checked ? m_lastCheckMs : m_monotonic());
    return int((leftMs + 999) / 1000);
}

void CronTimer::showTime()
{
    // A fired job may run a script that lets the event loop turn; a check
    // arriving meanwhile is left to the next tick, which loses nothing.
    if (m_inCheck)
        return;
    m_inCheck = true;
    const QDateTime wallNow = m_clock();
    const qint64 now = wallSeconds(wallNow);
    const qint64 nowMs = m_monotonic();
    // A clock set back must not replay the moments in between.
    const qint64 previous = m_checked ? qMin(m_lastCheck, now) : now - 1;
    const qint64 previousMs = m_checked ? m_lastCheckMs : nowMs;
    const qint64 today = now / SecondsPerDay;
    const int secondOfDay = int(now % SecondsPerDay);
    const int todayBit = 1 << dayOfWeekOf(today);
    const int yesterdayBit = 1 << dayOfWeekOf(today - 1);
    m_lastCheck = now;
    m_lastCheckMs = nowMs;
    m_checked = true;

    struct Due
    {
        int row;
        qint64 lateMs;
    };
    QVector<Due> due;
    QVector<Due> missed;
    const auto classify = [&](int row, qint64 lateMs) {
        (lateMs <= CatchUpSeconds * 1000LL ? due : missed).append({row, lateMs});
    };
    for (int i = 0; i < m_rows.size(); ++i) {
        Row &row = m_rows[i];
        if (row.period > 0) {
            if (!(row.dayMask & todayBit)) {
                row.nextFireMs += nowMs - previousMs; // the count pauses
                emit sigNotToday(i);
                continue;
            }
            if (nowMs >= row.nextFireMs) {
                classify(i, nowMs - row.nextFireMs);
                const qint64 periodMs = row.period * 1000LL;
                row.nextFireMs += ((nowMs - row.nextFireMs) / periodMs + 1) * periodMs;
            }
            emit sigNowToSecs(i, int((row.nextFireMs - nowMs + 999) / 1000));
            continue;
        }

        const qint64 lower = qMax(previous, row.armedSince);
        for (qint64 day = today - 1; day <= today; ++day) {
            const qint64 moment = day * SecondsPerDay + row.secondOfDay;
            const int bit = day == today ? todayBit : yesterdayBit;
            if (moment > lower && moment <= now && (row.dayMask & bit) && row.lastFiredDay != day) {
                row.lastFiredDay = day;
                classify(i, (now - moment) * 1000);
            }
        }
        if (row.dayMask & todayBit)
            emit sigNowToSecs(i, row.secondOfDay - secondOfDay);
        else
            emit sigNotToday(i);
    }
    m_inCheck = false;
    // Oldest first, whatever the row order.
    const auto older = [](const Due &a, const Due &b) { return a.lateMs > b.lateMs; };
    std::stable_sort(missed.begin(), missed.end(), older);
    std::stable_sort(due.begin(), due.end(), older);
    for (const Due &entry : qAsConst(missed))
        emit sigMissedTask(entry.row, wallNow.addMSecs(-entry.lateMs));
    // Fired after the whole table is counted, so a slot that changes the
    // job list cannot pull rows out from under the loop.
    for (const Due &entry : qAsConst(due))
        emit sigFireTask(entry.row);
}
