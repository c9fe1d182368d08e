#include "projectorserver.h"

#include "clientconnection.h"
#include "nativelistener.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {
// Long enough for a fleet's worth of simultaneous connects to one address.
constexpr int kAcceptQueue = 512;
} // namespace

ProjectorServer::ProjectorServer(const QHostAddress &address, quint16 port, const AddressMode &mode,
                                 ProjectorState *state, QObject *parent)
    : QObject(parent), m_address(address), m_port(port), m_mode(mode), m_state(state)
{
}

bool ProjectorServer::start(QString *error)
{
    switch (m_mode.kind()) {
    case AddressMode::Refuse:
        return true;
    case AddressMode::Backlog:
        return m_backlog.open(m_address, m_port, error);
    default:
        break;
    }
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(kAcceptQueue);
    connect(m_server, &QTcpServer::newConnection, this, &ProjectorServer::acceptClients);
    if (NativeListener::isSupported()) {
        const qintptr fd = NativeListener::listen(m_address, m_port, kAcceptQueue, error);
        if (fd < 0)
            return false;
        if (!m_server->setSocketDescriptor(fd)) {
            NativeListener::close(fd);
            *error = m_server->errorString();
            return false;
        }
        return true;
    }
    if (!m_server->listen(m_address, m_port)) {
        *error = m_server->errorString();
        return false;
    }
    return true;
}

void ProjectorServer::acceptClients()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        new ClientConnection(socket, m_state, m_mode, this);
    }
}
