#pragma once

#include "monitor/history/fleetview.h"
#include "monitor/history/historystore.h"

#include <QDate>
#include <QMap>
#include <QObject>
#include <QStringList>

// One projector's history as the history window shows it.
struct ProjectorHistory
{
    QString ip;
    QVector<HistoryEvent> events;
    // Each event's local time as the list shows it, made on the history
    // thread: a long history costs the window no date arithmetic.
    QStringList eventTimes;
    // Thinned to what a chart can show.
    QVector<QPair<QDateTime, int>> lampHours;
    QMap<QDate, double> onHoursPerDay;
};

// The history store's thread side: every database call happens here, so a
// slow disk or a large history never reaches the window.
class HistoryWorker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    HistoryStore &store() { return m_store; }

public slots:
    void open(const QString &path);
    void record(const QVector<ProjectorState> &sweep, const QDateTime &time);
    void prune(const QDateTime &cutoff);
    void projectorHistory(const QString &ip, const QDateTime &since, const QDateTime &until, int request);
    void fleetView(const QHash<QString, int> &ratedLives, const QDateTime &now, int request);
    void close() { m_store.close(); }

public:
    // Buckets of the lamp chart (see SeriesThinner): about one per three
    // pixels of a wide history window.
    static constexpr int LampChartBuckets = 300;
    // Projectors pruned per transaction: requests wait for one slice at
    // most, not for the whole prune.
    static constexpr int PruneSlice = 50;

signals:
    void opened(bool ok, const QString &reason);
    void turnedOff(const QString &reason);
    void recorded(int states, int events, qint64 microseconds);
    void projectorHistoryReady(int request, const ProjectorHistory &history);
    void fleetViewReady(int request, const FleetView &view);

private:
    void checkHealth();
    void pruneSlice();

    HistoryStore m_store;
    bool m_wasOn = false;
    QDateTime m_pruneCutoff;
    QStringList m_pruneQueue;
    bool m_pruneScheduled = false;
};

Q_DECLARE_METATYPE(ProjectorHistory)
Q_DECLARE_METATYPE(FleetView)
