#include "net/pjlinklistener.h"

#include "net/pjlinkdatagram.h"

#include <QNetworkDatagram>

PJLinkListener::PJLinkListener(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &PJLinkListener::readDatagrams);
}

bool PJLinkListener::start(quint16 port)
{
    return m_socket.bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
}

void PJLinkListener::search(const QHostAddress &broadcast, quint16 port)
{
    m_socket.writeDatagram(PJLinkDatagram::searchRequest(), broadcast, port);
}

void PJLinkListener::readDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        // Valid datagrams are about 25 bytes; reading 64 is enough to tell
        // a longer one is not one of them.
        const QNetworkDatagram datagram = m_socket.receiveDatagram(64);
        const PJLinkDatagram parsed = PJLinkDatagram::parse(datagram.data());
        const QString ip = QHostAddress(datagram.senderAddress().toIPv4Address()).toString();
        switch (parsed.kind()) {
        case PJLinkDatagram::Kind::Invalid:
            ++m_ignored;
            break;
        case PJLinkDatagram::Kind::Acknowledge:
            emit sigAcknowledged(ip, parsed.mac());
            break;
        case PJLinkDatagram::Kind::LinkUp:
            emit sigNotification(ip, QStringLiteral("LKUP"), parsed.mac());
            break;
        case PJLinkDatagram::Kind::Status:
            emit sigNotification(ip, parsed.command(), parsed.value());
            break;
        }
    }
}
