#include "monitor/history/historyworker.h"

#include "monitor/history/poweronhours.h"
#include "monitor/history/seriesthinner.h"

#include <QElapsedTimer>

void HistoryWorker::open(const QString &path)
{
    const bool ok = m_store.open(path);
    m_wasOn = ok;
    emit opened(ok, ok ? QString() : m_store.offReason());
}

void HistoryWorker::checkHealth()
{
    if (m_wasOn && m_store.health() != HistoryStore::Health::Open) {
        m_wasOn = false;
        emit turnedOff(m_store.offReason());
    }
}

void HistoryWorker::record(const QVector<ProjectorState> &sweep, const QDateTime &time)
{
    QElapsedTimer clock;
    clock.start();
    const HistoryDiff::Result result = m_store.recordSweep(sweep, time);
    emit recorded(int(result.changedStates.size()), int(result.events.size()), clock.nsecsElapsed() / 1000);
    checkHealth();
}

void HistoryWorker::prune(const QDateTime &cutoff)
{
    // A newer prune takes over the queue of one still under way.
    m_pruneCutoff = cutoff;
    m_pruneQueue = m_store.projectors();
    pruneSlice();
}

void HistoryWorker::pruneSlice()
{
    m_pruneScheduled = false;
    const int count = qMin(PruneSlice, m_pruneQueue.size());
    const QStringList slice = m_pruneQueue.mid(0, count);
    m_pruneQueue.erase(m_pruneQueue.begin(), m_pruneQueue.begin() + count);
    if (!slice.isEmpty())
        m_store.prune(m_pruneCutoff, slice);
    checkHealth();
    if (m_store.health() != HistoryStore::Health::Open)
        m_pruneQueue.clear();
    if (!m_pruneQueue.isEmpty() && !m_pruneScheduled) {
        // Sweeps and the window's requests queued meanwhile go first.
        m_pruneScheduled = true;
        QMetaObject::invokeMethod(this, &HistoryWorker::pruneSlice, Qt::QueuedConnection);
    }
}

void HistoryWorker::projectorHistory(const QString &ip, const QDateTime &since, const QDateTime &until, int request)
{
    ProjectorHistory history;
    history.ip = ip;
    history.events = m_store.events(ip, since);
    history.eventTimes.reserve(history.events.size());
    for (const HistoryEvent &event : qAsConst(history.events))
        history.eventTimes.append(event.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    const HistoryStore::Series series = m_store.series(ip, since);
    history.lampHours = SeriesThinner::thin(series.lampHours, LampChartBuckets);
    history.onHoursPerDay = PowerOnHours::perDay(series.power, until);
    emit projectorHistoryReady(request, history);
}

void HistoryWorker::fleetView(const QHash<QString, int> &ratedLives, const QDateTime &now, int request)
{
    FleetView view;
    const QDateTime monthAgo = now.addDays(-30);
    view.lampsDue = FleetView::lampsDueWithin(m_store.lampSpan(monthAgo), ratedLives, 30);
    view.errorCounts = m_store.errorCounts(monthAgo, 50);
    view.unreachable = m_store.unreachableSince();
    emit fleetViewReady(request, view);
}
