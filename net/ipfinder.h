#pragma once

#include <QAbstractSocket>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>

// Finds projectors that do not answer the discovery broadcast by trying to
// open a connection to their command port, one address after the other.
//
// Each probe waits in a nested event loop for "connected" or for the time-out,
// so the window keeps painting and other sockets and timers keep running while
// a scan goes on; a slot running meanwhile may change anything but this
// object. A refused connection does not end the wait early: every miss costs
// the whole time-out, which keeps the pace of a scan independent of how the
// far side refuses. No byte is ever sent.
class IPfinder : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 250;
    static constexpr quint16 DefaultPort = 7000;

    explicit IPfinder(QObject *parent = nullptr);

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

    // Milliseconds the connection took, at least 1 (a started millisecond
    // counts whole), or -1 when it was not made in time.
    int probe(const QString &ip);

    // Probes the addresses in order and returns those that connected, in
    // the same order; sigFoundIP after every probe.
    QStringList scan(const QStringList &addresses);

    // The search range: localIP up to its last "." (the whole text when it
    // has none), then ".1" ... "." + ipTotal. Empty for ipTotal <= 0.
    static QStringList candidateRange(const QString &localIP, int ipTotal);

signals:
    // percent = index * 100 / count, so it stays below 100 for count > 1.
    void sigFoundIP(const QString &ip, int ms, int percent);

public slots:
    void slotMySocketState(QAbstractSocket::SocketState state);

private:
    QEventLoop m_loop;
    QTimer m_timer;
    QTcpSocket m_socket;
    int m_timeoutMs = DefaultTimeoutMs;
    quint16 m_port = DefaultPort;
};
