#include "bridge/myudprx.h"

#include "bridge/bridgerules.h"

#include <QDebug>
#include <QNetworkDatagram>
#include <QTime>
#include <QUdpSocket>

MyUdpRX::MyUdpRX(quint16 port, QObject *parent) : QObject(parent), m_socket(new QUdpSocket(this))
{
    m_bound = m_socket->bind(QHostAddress::Any, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    qDebug() << "myudprx" << __func__ << "UDPrx Bind" << port << (m_bound ? "true" : "false");
    connect(m_socket, &QUdpSocket::readyRead, this, &MyUdpRX::processPendingDatagrams);
}

void MyUdpRX::processPendingDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid()) {
            // A failed read would otherwise leave the datagram pending forever.
            break;
        }
        QHostAddress sender = datagram.senderAddress();
        bool isV4 = false;
        const quint32 v4 = sender.toIPv4Address(&isV4);
        if (isV4)
            sender = QHostAddress(v4);
        const QString text = tr("udp=%1;time=%2;%3")
                                 .arg(sender.toString(), QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")),
                                      BridgeRules::latin1UpToNul(datagram.data()));
        emit sigSendUDPdata(text);
    }
}
