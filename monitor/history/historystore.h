#pragma once

#include "monitor/history/historydiff.h"
#include "monitor/history/historyevent.h"
#include "monitor/history/projectorstate.h"

#include <QDateTime>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The fleet's history in one SQLite file (WAL journal): the states that
// changed, sweep by sweep, and the events they mean.
//
// A store belongs to the thread that opened it (Qt SQL connections may not
// cross threads); the window talks to it through HistoryWorker.
//
// Whatever goes wrong with the file (missing folder, locked, corrupt, disk
// full) turns the store off with a reason; it never throws and never
// deletes the operator's data: a corrupt file is moved aside under a dated
// name so that the next start begins a new one.
class HistoryStore
{
public:
    enum class Health
    {
        Closed,
        Open,
        Off
    };

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Opens or creates path. False (store off, offReason() says why) when it
    // cannot be used; a corrupt file is renamed to
    // "<path>.corrupt-yyyyMMdd-hhmmss" first, and movedAsideTo() names it.
    bool open(const QString &path, const QDateTime &now = QDateTime::currentDateTimeUtc());
    void close();
    Health health() const { return m_health; }
    QString offReason() const { return m_offReason; }
    QString movedAsideTo() const { return m_movedAside; }

    // Stores what changed since each projector's last stored state, with the
    // events, in one transaction. Returns what was stored; empty when the
    // store is off (a failed write turns it off).
    HistoryDiff::Result recordSweep(const QVector<ProjectorState> &sweep, const QDateTime &time);
    // Adds events that do not come from a sweep (none today but tests and
    // generated histories).
    bool addEvents(const QVector<HistoryEvent> &events);

    // Deletes what is older than cutoff, keeping each projector's newest
    // state so that the next sweep still compares against it. Each
    // projector's rows are found along its own key, so a prune that finds
    // nothing to delete costs a seek per projector, not a scan of the file.
    bool prune(const QDateTime &cutoff);
    // The same for some projectors only, so that a large prune can be done
    // in slices with other work between them.
    bool prune(const QDateTime &cutoff, const QStringList &ips);
    QStringList projectors() const { return m_pids.keys(); }

    const QHash<QString, ProjectorState> &lastStates() const { return m_last; }

    // One projector, oldest first.
    QVector<HistoryEvent> events(const QString &ip, const QDateTime &since = QDateTime()) const;
    struct Series
    {
        // Each change of the lamp counter.
        QVector<QPair<QDateTime, int>> lampHours;
        // Each change of the power code; an unreachable projector has none.
        QVector<QPair<QDateTime, QString>> power;
    };
    // Both series in one pass over the projector's states.
    Series series(const QString &ip, const QDateTime &since = QDateTime()) const;

    // The fleet: error events per projector since a time, most first.
    QVector<QPair<QString, int>> errorCounts(const QDateTime &since, int limit) const;
    // Projectors whose newest state is unreachable, with the time they were
    // lost, longest lost first.
    QVector<QPair<QString, QDateTime>> unreachableSince() const;
    // Lamp samples of every projector since a time (first and last of each).
    QHash<QString, QPair<QPair<QDateTime, int>, QPair<QDateTime, int>>> lampSpan(const QDateTime &since) const;

    QString connectionName() const { return m_connection; }

private:
    bool exec(const QString &sql);
    bool createSchema();
    bool loadLastStates();
    qint64 pidOf(const QString &ip) const;
    bool ensurePid(const QString &ip, qint64 *pid);
    void turnOff(const QString &reason);
    void moveAside(const QDateTime &now);

    QString m_connection;
    QString m_path;
    Health m_health = Health::Closed;
    QString m_offReason;
    QString m_movedAside;
    QHash<QString, ProjectorState> m_last;
    QHash<QString, qint64> m_pids; // projector's address -> key in the file
};
