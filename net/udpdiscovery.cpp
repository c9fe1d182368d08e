#include "net/udpdiscovery.h"

#include "app/orvlog/OrvLog.h"
#include "net/discoveryreply.h"
#include "net/myudprx.h"

#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

UdpDiscovery::UdpDiscovery(const QString &localIP, quint16 rxPort, quint16 txPort, QObject *parent)
    : QObject(parent), m_localIP(localIP), m_rxPort(rxPort), m_txPort(txPort)
{
}

void UdpDiscovery::startReceiver(const QString &multicastAddress)
{
    if (m_receiver)
        return;
    m_receiver = new MyUdpRX(multicastAddress, m_rxPort, this);
    connect(m_receiver, &MyUdpRX::sigSendUDPdata, this, &UdpDiscovery::sigReceived);
}

void UdpDiscovery::broadcastRequest()
{
    // Sent from the receive port so that devices that answer to the source
    // port still reach us. The socket goes at once: while it stays bound to
    // the more specific local address it would take the replies sent there
    // straight to it instead of the receiver.
    QUdpSocket sender;
    const bool bound = sender.bind(QHostAddress(m_localIP), m_rxPort, QUdpSocket::ReuseAddressHint);
    OLOG_INFO() << "UDPtx Bind" << m_localIP << (bound ? "true" : "false");
    const QByteArray request = DiscoveryReply::request();
    sender.writeDatagram(request, QHostAddress::Broadcast, m_txPort);
    OLOG_INFO() << "UDP Broadcast start@" << "255.255.255.255" << m_txPort << request.toHex().constData();
}

bool UdpDiscovery::handleReply(const QString &text)
{
    const DiscoveryReply reply = DiscoveryReply::parse(text);
    if (!reply.hasValidIp()) {
        ++m_dropped;
        ++m_droppedSinceWarn;
        if (!m_lastWarn.isValid() || m_lastWarn.elapsed() >= DropWarnIntervalMs) {
            warnDropped();
        } else if (!m_warnQueued) {
            // The rest of a burst is told once the interval is over.
            m_warnQueued = true;
            QTimer::singleShot(int(DropWarnIntervalMs - m_lastWarn.elapsed()), this, [this] {
                m_warnQueued = false;
                if (m_droppedSinceWarn > 0)
                    warnDropped();
            });
        }
        return false;
    }
    OLOG_INFO() << "Got UDP" << qUtf8Printable(reply.parts.join(QStringLiteral(", ")));
    emit sigReply(reply.ip, reply.model, reply.serial, reply.mac);
    return true;
}

void UdpDiscovery::warnDropped()
{
    OLOG_WARN() << "Discovery replies without a valid ip ignored:" << m_droppedSinceWarn;
    m_droppedSinceWarn = 0;
    m_lastWarn.start();
}
