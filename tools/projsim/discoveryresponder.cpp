#include "discoveryresponder.h"

#include <QNetworkDatagram>

DiscoveryResponder::DiscoveryResponder(QObject *parent) : QObject(parent) {}

QString DiscoveryResponder::macFor(const QHostAddress &address)
{
    const quint32 ip = address.toIPv4Address();
    return QStringLiteral("02:50:4A:%1:%2:%3")
        .arg((ip >> 16) & 0xff, 2, 16, QLatin1Char('0'))
        .arg((ip >> 8) & 0xff, 2, 16, QLatin1Char('0'))
        .arg(ip & 0xff, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QByteArray DiscoveryResponder::replyFor(const QHostAddress &address, const QString &model, const QString &serialNumber)
{
    return QStringLiteral("ip=%1;mac=%2;model=%3;serial=%4;")
        .arg(address.toString(), macFor(address), model, serialNumber)
        .toLatin1();
}

void DiscoveryResponder::addProjector(const QHostAddress &address, const QString &model, const QString &serialNumber)
{
    Projector projector;
    projector.address = address;
    projector.reply = replyFor(address, model, serialNumber);
    m_projectors.append(projector);
}

bool DiscoveryResponder::start(QString *error)
{
    if (!m_requests.bind(QHostAddress::AnyIPv4, RequestPort,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        *error = m_requests.errorString();
        return false;
    }
    for (Projector &projector : m_projectors) {
        projector.sender = new QUdpSocket(this);
        projector.sender->bind(projector.address, 0);
    }
    connect(&m_requests, &QUdpSocket::readyRead, this, &DiscoveryResponder::readRequests);
    return true;
}

void DiscoveryResponder::readRequests()
{
    while (m_requests.hasPendingDatagrams()) {
        if (!m_requests.receiveDatagram().data().contains("?ZZ?"))
            continue;
        for (const Projector &projector : qAsConst(m_projectors))
            projector.sender->writeDatagram(projector.reply, QHostAddress::Broadcast, ReplyPort);
    }
}
