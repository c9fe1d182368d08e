#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>

// Receives discovery replies on the receive port. The socket shares its port
// so that the request can be sent from the same port.
//
// A flood of datagrams is read in slices of MaxDatagramsPerTurn, each slice
// on its own event-loop turn, so the window keeps painting and a burst
// cannot pile up unbounded work; the kernel's socket buffer bounds what
// waits. Oversized replies are cut (DiscoveryReply::MaxReplyBytes) and
// counted in one WARN per slice.
class MyUdpRX : public QObject
{
    Q_OBJECT

public:
    // A reply costs up to about 0.7 ms with a full "Found" group (the tree
    // is searched for its address): 16 keep a slice well under 50 ms.
    static constexpr int MaxDatagramsPerTurn = 16;

    MyUdpRX(const QString &multicastAddress, const quint16 &port, QObject *parent = nullptr);

    bool isBound() const { return m_socket.state() == QAbstractSocket::BoundState; }
    QHostAddress multicastAddress() const { return m_multicast; }

signals:
    void sigSendUDPdata(const QString &text);

public slots:
    void processPendingDatagrams();

private:
    QUdpSocket m_socket;
    QHostAddress m_multicast;
    bool m_drainQueued = false;
};
