#include "monitor/history/historyservice.h"

HistoryService::HistoryService(QObject *parent) : QObject(parent), m_worker(new HistoryWorker)
{
    qRegisterMetaType<ProjectorHistory>("ProjectorHistory");
    qRegisterMetaType<FleetView>("FleetView");
    qRegisterMetaType<QVector<ProjectorState>>("QVector<ProjectorState>");
    qRegisterMetaType<QHash<QString, int>>("QHash<QString,int>");
    m_worker->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("history"));
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(this, &HistoryService::sigOpen, m_worker, &HistoryWorker::open);
    connect(this, &HistoryService::sigRecord, m_worker, &HistoryWorker::record);
    connect(this, &HistoryService::sigPrune, m_worker, &HistoryWorker::prune);
    connect(this, &HistoryService::sigProjectorHistory, m_worker, &HistoryWorker::projectorHistory);
    connect(this, &HistoryService::sigFleetView, m_worker, &HistoryWorker::fleetView);
    connect(m_worker, &HistoryWorker::opened, this, [this](bool ok, const QString &reason) {
        m_on = ok;
        m_offReason = reason;
        emit sigStarted(ok, reason);
        if (ok)
            pruneNow();
    });
    connect(m_worker, &HistoryWorker::turnedOff, this, [this](const QString &reason) {
        m_on = false;
        m_offReason = reason;
        emit sigTurnedOff(reason);
    });
    connect(m_worker, &HistoryWorker::recorded, this, &HistoryService::sigRecorded);
    connect(m_worker, &HistoryWorker::projectorHistoryReady, this, &HistoryService::projectorHistoryReady);
    connect(m_worker, &HistoryWorker::fleetViewReady, this, &HistoryService::fleetViewReady);
    m_daily.setInterval(24 * 3600 * 1000);
    connect(&m_daily, &QTimer::timeout, this, &HistoryService::pruneNow);
}

HistoryService::~HistoryService()
{
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(m_worker, &HistoryWorker::close, Qt::QueuedConnection);
        m_thread.quit();
        m_thread.wait();
    } else {
        delete m_worker;
    }
}

void HistoryService::start(const QString &path, bool enabled, int retentionDays)
{
    m_retentionDays = retentionDays > 0 ? retentionDays : DefaultRetentionDays;
    if (!enabled || m_started) {
        if (!enabled) {
            m_offReason = tr("history is turned off in Config");
            emit sigStarted(false, m_offReason);
        }
        return;
    }
    m_started = true;
    m_thread.start(QThread::LowPriority);
    emit sigOpen(path);
    m_daily.start();
}

void HistoryService::recordSweep(const QVector<ProjectorState> &sweep)
{
    if (m_on && !sweep.isEmpty())
        emit sigRecord(sweep, now());
}

void HistoryService::pruneNow()
{
    if (m_on)
        emit sigPrune(now().addDays(-m_retentionDays));
}

int HistoryService::requestProjectorHistory(const QString &ip, int days)
{
    if (!m_on)
        return -1;
    const int request = m_nextRequest++;
    const QDateTime until = now();
    emit sigProjectorHistory(ip, until.addDays(-days), until, request);
    return request;
}

int HistoryService::requestFleetView(const QHash<QString, int> &ratedLives)
{
    if (!m_on)
        return -1;
    const int request = m_nextRequest++;
    emit sigFleetView(ratedLives, now(), request);
    return request;
}
