#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTime>
#include <QVector>

#include <functional>

class QTimer;

// The scheduler's clock: once a second it tells, per job row, how long
// until the job's next run (sigNowToSecs) and which jobs are due
// (sigFireTask).
//
// A daily job is due once its moment (HH:MM:00 on an included day) lies
// between the previous check and this one; it fires at most once per day,
// and never for a moment that passed before the clock started or before
// the row's time or rule was last changed. A periodic job ("*" in its rule,
// HH:MM read as the period) fires each time its period has run out; its
// count pauses on days the rule excludes.
//
// Times of day follow the wall clock; periods are counted on a monotonic
// clock, so a change of summer time or a clock set by hand neither stretches
// nor shortens them.
//
// A check that comes late by at most CatchUpSeconds (a busy event loop) still
// fires what fell due meanwhile, oldest first. Anything due longer ago (the
// computer slept, the clock jumped) is not run: it is reported with
// sigMissedTask, so the fleet is not switched on and off in one second
// hours late.
//
// Both clocks are injectable so tests never wait for real minutes.
class CronTimer : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    // Milliseconds from any fixed start; never goes backwards.
    using MonotonicClock = std::function<qint64()>;

    // Longer than a script may hold the event loop without a break (the
    // script watchdog's limit), far shorter than any sleep.
    static constexpr int CatchUpSeconds = 15;

    explicit CronTimer(QObject *parent = nullptr);

    void setClock(Clock clock);
    void setMonotonicClock(MonotonicClock clock);
    // Starts the repeating check and runs the first one at once.
    void start(int intervalMs = 1000);
    void stop();
    bool isActive() const;

    // Replaces the job list: per row the "hh:mm" text (anything else reads
    // as 00:00) and the weekday rule. Rows whose time and rule are unchanged
    // keep their state; changed and new rows start counting now.
    void setJobs(const QStringList &timeTexts, const QStringList &rules);
    // Rows inserted into or removed from the job table: the following rows
    // move with their state (call before the next setJobs, which then
    // counts the inserted rows as new).
    void insertRows(int row, int count);
    void removeRows(int row, int count);

    int rowCount() const { return m_rows.size(); }
    QTime time(int row) const;
    QString rule(int row) const;
    // Seconds left for a periodic job, -1 for a daily one.
    int countdown(int row) const;

signals:
    void sigFireTask(int row);
    // Seconds until the row's next run; negative once today's time of a
    // daily job has passed.
    void sigNowToSecs(int row, int seconds);
    // The row does not run today (its rule excludes the day, or it has no
    // rule): there is nothing to count down to.
    void sigNotToday(int row);
    // The row's run due at moment was missed by more than CatchUpSeconds
    // and is not made up for.
    void sigMissedTask(int row, const QDateTime &moment);

public slots:
    void showTime();

private:
    struct Row
    {
        QString timeText;
        QString rule;
        int secondOfDay = 0;
        int period = 0;       // > 0 for a periodic job
        quint8 dayMask = 0;   // bit d set when day d (1..7) is included
        qint64 armedSince = 0; // moments at or before this never fire
        qint64 nextFireMs = 0; // periodic: monotonic time of the next run
        qint64 lastFiredDay = -1;
        bool known = false;   // false: a new row, set up by the next setJobs
    };

    static qint64 wallSeconds(const QDateTime &moment);
    qint64 nowSeconds() const;

    Clock m_clock;
    MonotonicClock m_monotonic;
    QElapsedTimer m_elapsed;
    QTimer *m_timer;
    QVector<Row> m_rows;
    qint64 m_lastCheck = 0;
    qint64 m_lastCheckMs = 0;
    bool m_checked = false;
    bool m_inCheck = false;
};
