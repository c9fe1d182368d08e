#include "net/ipfinder.h"

#include <QElapsedTimer>

IPfinder::IPfinder(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_socket, &QTcpSocket::connected, &m_loop, &QEventLoop::quit);
    connect(&m_timer, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    connect(&m_socket, &QTcpSocket::stateChanged, this, &IPfinder::slotMySocketState);
}

void IPfinder::slotMySocketState(QAbstractSocket::SocketState state)
{
    Q_UNUSED(state)
}

int IPfinder::probe(const QString &ip)
{
    QElapsedTimer clock;
    clock.start();
    m_timer.start(m_timeoutMs);
    m_socket.abort();
    m_socket.connectToHost(ip, m_port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    // A host name lookup or a local failure can settle the state before the
    // loop runs; only "connected" and the time-out end the wait.
    if (m_socket.state() != QAbstractSocket::ConnectedState)
        m_loop.exec();

    // Counted in started milliseconds: the timer's remaining time is rounded
    // up, so a connection made within its first millisecond (any projector
    // on the same host, most on a fast LAN) would come out as 0 ms and be
    // taken for a miss.
    int ms = -1;
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        ms = int(qBound<qint64>(1, (clock.nsecsElapsed() + 999999) / 1000000, m_timeoutMs));
    m_socket.abort();
    m_timer.stop();
    return ms;
}

QStringList IPfinder::scan(const QStringList &addresses)
{
    QStringList found;
    const int count = addresses.size();
    for (int i = 0; i < count; ++i) {
        const QString &address = addresses.at(i);
        const int ms = probe(address);
        if (ms > 0)
            found.append(address);
        emit sigFoundIP(address, ms, i * 100 / count);
    }
    return found;
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
