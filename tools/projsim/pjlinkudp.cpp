#include "pjlinkudp.h"

#include "discoveryresponder.h"
#include "pjlinkprojectorstate.h"

#include <QNetworkDatagram>

PJLinkUdp::PJLinkUdp(quint16 port, const QHostAddress &notifyHost, quint16 notifyPort, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_notifyHost(notifyHost)
    , m_notifyPort(notifyPort)
{
}

void PJLinkUdp::addProjector(const QHostAddress &address, PJLinkProjectorState *state)
{
    Projector projector;
    projector.address = address;
    projector.mac = DiscoveryResponder::macFor(address).toLatin1();
    const int index = m_projectors.size();
    m_projectors.append(projector);
    connect(state, &PJLinkProjectorState::notification, this, [this, index](const QByteArray &line) {
        if (!m_notifyHost.isNull())
            sendFrom(index, line + '\r', m_notifyHost, m_notifyPort);
    });
}

bool PJLinkUdp::start(QString *error)
{
    if (!m_searches.bind(QHostAddress::AnyIPv4, m_port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        *error = m_searches.errorString();
        return false;
    }
    for (Projector &projector : m_projectors) {
        projector.sender = new QUdpSocket(this);
        projector.sender->bind(projector.address, 0);
    }
    connect(&m_searches, &QUdpSocket::readyRead, this, &PJLinkUdp::readSearches);
    if (!m_notifyHost.isNull()) {
        for (int i = 0; i < m_projectors.size(); ++i)
            sendFrom(i, "%2LKUP=" + m_projectors.at(i).mac + '\r', m_notifyHost, m_notifyPort);
    }
    return true;
}

void PJLinkUdp::sendFrom(int index, const QByteArray &line, const QHostAddress &to, quint16 port)
{
    const Projector &projector = m_projectors.at(index);
    if (projector.sender)
        projector.sender->writeDatagram(line, to, port);
}

void PJLinkUdp::readSearches()
{
    while (m_searches.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_searches.receiveDatagram(64);
        if (datagram.data() != "%2SRCH\r")
            continue;
        for (int i = 0; i < m_projectors.size(); ++i)
            sendFrom(i, "%2ACKN=" + m_projectors.at(i).mac + '\r', datagram.senderAddress(),
                     quint16(datagram.senderPort()));
    }
}
