#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class MyUdpRX;

// Owner of UDP discovery: the receiver on the receive port, the request
// broadcast, and the filter between a raw reply and the inventory.
//
// Only replies with a dotted IPv4 ip field go on (sigReply) and get an INFO
// line; the others write nothing of their own: they are counted, and the
// count goes into one WARN at most every DropWarnIntervalMs (the last ones of
// a burst included), so a flood of junk cannot flood the log as well.
class UdpDiscovery : public QObject
{
    Q_OBJECT

public:
    static constexpr int DropWarnIntervalMs = 5000;

    UdpDiscovery(const QString &localIP, quint16 rxPort, quint16 txPort, QObject *parent = nullptr);

    // Binds the receiver; its sigSendUDPdata is handed on as sigReceived.
    void startReceiver(const QString &multicastAddress);
    MyUdpRX *receiver() const { return m_receiver; }

    // One "?ZZ?" to 255.255.255.255:txPort from localIP:rxPort.
    void broadcastRequest();

    // Parses one reply ("UDP:" + datagram text); emits sigReply when it
    // names a usable address. Returns whether it did.
    bool handleReply(const QString &text);

    int droppedReplies() const { return m_dropped; }

signals:
    void sigReceived(const QString &text);
    void sigReply(const QString &ip, const QString &model, const QString &serial, const QString &mac);

private:
    void warnDropped();

    QString m_localIP;
    quint16 m_rxPort;
    quint16 m_txPort;
    MyUdpRX *m_receiver = nullptr;
    int m_dropped = 0;
    int m_droppedSinceWarn = 0;
    QElapsedTimer m_lastWarn;
    bool m_warnQueued = false;
};
