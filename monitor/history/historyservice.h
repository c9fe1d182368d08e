#pragma once

#include "monitor/history/historyworker.h"

#include <QObject>
#include <QThread>
#include <QTimer>

// Owner of the fleet history: the database thread, the daily pruning and
// whether history is on. The window hands it each finished sweep and asks it
// for one projector's history or the fleet view; answers come back as
// signals, never as a wait.
class HistoryService : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultRetentionDays = 365;
    using Clock = std::function<QDateTime()>;

    explicit HistoryService(QObject *parent = nullptr);
    ~HistoryService() override;

    // Opens path on the history thread (enabled) or leaves history off.
    void start(const QString &path, bool enabled, int retentionDays);
    void setClock(Clock clock) { m_clock = std::move(clock); }
    bool isOn() const { return m_on; }
    QString offReason() const { return m_offReason; }

    void recordSweep(const QVector<ProjectorState> &sweep);
    // Deletes what is older than the retention (also runs once a day).
    void pruneNow();
    // Requests; the answer comes through the matching Ready signal. -1
    // (no answer will come) while history is off.
    int requestProjectorHistory(const QString &ip, int days = 365);
    int requestFleetView(const QHash<QString, int> &ratedLives);

signals:
    void sigStarted(bool on, const QString &reason);
    // History went off while running (disk full, file locked or damaged).
    void sigTurnedOff(const QString &reason);
    void sigRecorded(int states, int events, qint64 microseconds);
    void projectorHistoryReady(int request, const ProjectorHistory &history);
    void fleetViewReady(int request, const FleetView &view);

    // Internal: the calls that cross to the history thread.
    void sigOpen(const QString &path);
    void sigRecord(const QVector<ProjectorState> &sweep, const QDateTime &time);
    void sigPrune(const QDateTime &cutoff);
    void sigProjectorHistory(const QString &ip, const QDateTime &since, const QDateTime &until, int request);
    void sigFleetView(const QHash<QString, int> &ratedLives, const QDateTime &now, int request);

private:
    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTimeUtc(); }

    QThread m_thread;
    HistoryWorker *m_worker;
    QTimer m_daily;
    Clock m_clock;
    bool m_on = false;
    bool m_started = false;
    QString m_offReason;
    int m_retentionDays = DefaultRetentionDays;
    int m_nextRequest = 1;
};
