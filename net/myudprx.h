#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>

#include <deque>

// Receives discovery replies on the receive port. The socket shares its port
// so that the request can be sent from the same port.
//
// Nothing a fleet sends back to back may be lost: the socket asks for a
// receive buffer of ReceiveBufferBytes, and every notification drains it
// completely into a queue (at most MaxQueued replies; beyond that the newest
// are dropped and counted). The queue is handed on in slices, each on its
// own event-loop turn, of at most MaxDatagramsPerTurn replies and about
// SliceBudgetMs of work, so the window keeps painting while a burst of
// 2,000 replies goes into the tree. Oversized replies are cut
// (DiscoveryReply::MaxReplyBytes); cuts and drops are counted in one WARN
// per slice.
class MyUdpRX : public QObject
{
    Q_OBJECT

public:
    static constexpr int ReceiveBufferBytes = 4 * 1024 * 1024;
    static constexpr int MaxQueued = 16384;
    static constexpr int MaxDatagramsPerTurn = 64;
    static constexpr int SliceBudgetMs = 8;

    MyUdpRX(const QString &multicastAddress, const quint16 &port, QObject *parent = nullptr);

    bool isBound() const { return m_socket.state() == QAbstractSocket::BoundState; }
    QHostAddress multicastAddress() const { return m_multicast; }
    int queued() const { return int(m_queue.size()); }

signals:
    void sigSendUDPdata(const QString &text);

public slots:
    // Drains the socket, then hands on one slice of the queue.
    void processPendingDatagrams();

private:
    void drainSocket();
    void handOnSlice();

    QUdpSocket m_socket;
    QHostAddress m_multicast;
    std::deque<QByteArray> m_queue;
    bool m_sliceQueued = false;
    int m_dropped = 0;
};
