#pragma once

#include <QDateTime>
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
// between the previous check and this one, so a late or skipped tick does
// not lose the run; it fires at most once per day, and never for a moment
// that passed before the clock started or before the row's time or rule
// was last changed. A periodic job ("*" in its rule, HH:MM read as the
// period) fires each time its period has run out; its count pauses on days
// the rule excludes.
//
// Time comes from an injectable clock so tests never wait for real minutes.
class CronTimer : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit CronTimer(QObject *parent = nullptr);

    void setClock(Clock clock);
    // Starts the repeating check and runs the first one at once.
    void start(int intervalMs = 1000);
    void stop();
    bool isActive() const;

    // Replaces the job list: per row the "hh:mm" text (anything else reads
    // as 00:00) and the weekday rule. Rows whose time and rule are unchanged
    // keep their state; changed and new rows start counting now.
    void setJobs(const QStringList &timeTexts, const QStringList &rules);

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
        qint64 nextFire = 0;  // periodic: the moment of the next run
        qint64 lastFiredDay = -1;
    };

    static qint64 wallSeconds(const QDateTime &moment);
    qint64 nowSeconds() const;

    Clock m_clock;
    QTimer *m_timer;
    QVector<Row> m_rows;
    qint64 m_lastCheck = 0;
    bool m_checked = false;
    bool m_inCheck = false;
};
