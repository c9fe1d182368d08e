#include "net/myudprx.h"

#include "app/orvlog/OrvLog.h"
#include "net/discoveryreply.h"

#include <QNetworkDatagram>
#include <QTimer>

MyUdpRX::MyUdpRX(const QString &multicastAddress, const quint16 &port, QObject *parent)
    : QObject(parent), m_multicast(multicastAddress)
{
    const bool bound = m_socket.bind(QHostAddress::AnyIPv4, port,
                                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    OLOG_DEBUG() << "UDPrx Bind" << port << (bound ? "true" : "false");
    // While a slice waits for its turn, new datagrams wait with it.
    connect(&m_socket, &QUdpSocket::readyRead, this, [this] {
        if (!m_drainQueued)
            processPendingDatagrams();
    });
}

void MyUdpRX::processPendingDatagrams()
{
    int cut = 0;
    int handled = 0;
    while (m_socket.hasPendingDatagrams()) {
        if (handled == MaxDatagramsPerTurn) {
            // The rest on the next turn: paint and other sockets come first.
            m_drainQueued = true;
            QTimer::singleShot(0, this, [this] {
                m_drainQueued = false;
                processPendingDatagrams();
            });
            break;
        }
        ++handled;
        // receiveDatagram sizes its buffer to the datagram (at most 64 KB).
        const QByteArray data = m_socket.receiveDatagram().data();
        bool truncated = false;
        const QString text = DiscoveryReply::datagramText(data, &truncated);
        if (truncated)
            ++cut;
        emit sigSendUDPdata(tr("UDP:%1").arg(text));
    }
    if (cut > 0)
        OLOG_WARN() << "UDP replies cut to" << DiscoveryReply::MaxReplyBytes << "bytes:" << cut;
}
