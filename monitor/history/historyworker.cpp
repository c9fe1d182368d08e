#include "monitor/history/historyworker.h"

#include "monitor/history/poweronhours.h"

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
    m_store.prune(cutoff);
    checkHealth();
}

void HistoryWorker::projectorHistory(const QString &ip, const QDateTime &since, const QDateTime &until, int request)
{
    ProjectorHistory history;
    history.ip = ip;
    history.events = m_store.events(ip, since);
    history.lampHours = m_store.lampSeries(ip, since);
    history.onHoursPerDay = PowerOnHours::perDay(m_store.powerSeries(ip, since), until);
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
