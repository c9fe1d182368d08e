#include "net/ipfinder.h"

#include "net/sessionpool.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int Pending = 0;

} // namespace

IPfinder::IPfinder(QObject *parent) : QObject(parent) {}

IPfinder::~IPfinder()
{
    for (Probe *probe : qAsConst(m_probes)) {
        probe->socket->disconnect(this);
        probe->socket->abort();
        delete probe;
    }
}

void IPfinder::slotMySocketState(int state)
{
    Q_UNUSED(state)
}

int IPfinder::connectMs(qint64 elapsedNs, int timeoutMs)
{
    return int(qBound<qint64>(1, (elapsedNs + 999999) / 1000000, timeoutMs));
}

bool IPfinder::scan(const QStringList &addresses)
{
    if (m_running)
        return false;
    m_running = true;
    m_addresses = addresses;
    m_results = QVector<int>(addresses.size(), Pending);
    m_nextToStart = 0;
    m_nextToReport = 0;
    const int parallel = qMin(m_maxConcurrent, addresses.size());
    while (m_probes.size() < parallel) {
        auto *probe = new Probe;
        probe->socket = new QTcpSocket(this);
        probe->timer = new QTimer(this);
        probe->timer->setSingleShot(true);
        probe->timer->setTimerType(Qt::PreciseTimer);
        connect(probe->socket, &QTcpSocket::connected, this, [this, probe] {
            finishProbe(probe, connectMs(probe->clock.nsecsElapsed(), m_timeoutMs));
        });
        // A refusal or an unreachable network is a miss: no need to sit out
        // the time-out, the result is the same.
        connect(probe->socket, &QTcpSocket::errorOccurred, this, [this, probe] { finishProbe(probe, -1); });
        connect(probe->timer, &QTimer::timeout, this, [this, probe] { finishProbe(probe, -1); });
        connect(probe->socket, &QTcpSocket::stateChanged, this,
                [this](QAbstractSocket::SocketState state) { slotMySocketState(int(state)); });
        m_probes.append(probe);
    }
    if (addresses.isEmpty()) {
        QTimer::singleShot(0, this, &IPfinder::finishScan);
        return true;
    }
    for (int i = 0; i < parallel; ++i)
        startNext(m_probes.at(i));
    return true;
}

void IPfinder::startNext(Probe *probe)
{
    if (m_nextToStart >= m_addresses.size()) {
        probe->index = -1;
        return;
    }
    probe->index = m_nextToStart++;
    if (!m_pool) {
        connectProbe(probe);
        return;
    }
    // The time-out counts from the connect, not from the wait for a slot.
    m_pool->submit([this, probe]() -> QObject * { return connectProbe(probe) ? probe->socket : nullptr; }, this);
}

bool IPfinder::connectProbe(Probe *probe)
{
    if (!m_running || probe->index < 0)
        return false;
    probe->clock.start();
    probe->timer->start(m_timeoutMs);
    probe->socket->connectToHost(m_addresses.at(probe->index), m_port, QIODevice::ReadWrite,
                                 QAbstractSocket::AnyIPProtocol);
    // A local failure is reported inside connectToHost: nothing to hold.
    return probe->index >= 0;
}

void IPfinder::finishProbe(Probe *probe, int ms)
{
    if (probe->index < 0)
        return; // a late signal of a probe already settled
    const int index = probe->index;
    probe->index = -1;
    probe->timer->stop();
    // abort() emits stateChanged and may emit errorOccurred; index is
    // already cleared, so they end up in the guard above.
    probe->socket->abort();
    if (m_pool)
        m_pool->release(probe->socket);
    m_results[index] = ms;
    // The next address goes on the next turn: connectToHost may report a
    // local failure synchronously, and this is still inside the socket's
    // signal.
    QTimer::singleShot(0, this, [this, probe] {
        if (m_running && probe->index < 0)
            startNext(probe);
    });
    reportInOrder();
}

void IPfinder::reportInOrder()
{
    const int count = m_addresses.size();
    while (m_nextToReport < count && m_results.at(m_nextToReport) != Pending) {
        const int i = m_nextToReport++;
        emit sigFoundIP(m_addresses.at(i), m_results.at(i), i * 100 / count);
    }
    if (m_nextToReport == count && m_running)
        finishScan();
}

void IPfinder::finishScan()
{
    if (!m_running)
        return;
    QStringList found;
    for (int i = 0; i < m_addresses.size(); ++i)
        if (m_results.at(i) > 0)
            found.append(m_addresses.at(i));
    m_running = false;
    emit sigScanFinished(found);
}

QStringList IPfinder::candidateRange(const QString &localIP, int ipTotal)
{
    QStringList range;
    if (ipTotal <= 0)
        return range;
    const int lastDot = localIP.lastIndexOf(QLatin1Char('.'));
    const QString prefix = lastDot < 0 ? localIP : localIP.left(lastDot);
    range.reserve(ipTotal);
    for (int i = 1; i <= ipTotal; ++i)
        range.append(prefix + QLatin1Char('.') + QString::number(i));
    return range;
}
