#pragma once

#include "addressmode.h"
#include "backloglistener.h"

#include <QHostAddress>
#include <QObject>

class ProjectorState;
class QTcpServer;

// The TCP side of one simulated projector: listens on its address and
// serves every client with a ClientConnection in the address's mode.
class ProjectorServer : public QObject
{
    Q_OBJECT
public:
    ProjectorServer(const QHostAddress &address, quint16 port, const AddressMode &mode, ProjectorState *state,
                    QObject *parent = nullptr);

    bool start(QString *error);
    QHostAddress address() const { return m_address; }
    const AddressMode &mode() const { return m_mode; }

private:
    void acceptClients();

    QHostAddress m_address;
    quint16 m_port;
    AddressMode m_mode;
    ProjectorState *m_state;
    QTcpServer *m_server = nullptr;
    BacklogListener m_backlog;
};
