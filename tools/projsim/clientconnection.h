#pragma once

#include "addressmode.h"
#include "linesplitter.h"

#include <QObject>

class OutputScheduler;
class ProjectorState;
class QTcpSocket;

// One accepted client of a simulated projector. Reads request lines and
// answers each with "OP KEY=VALUE" CR LF, shaped by the address's mode.
// Deletes itself when the client goes away.
class ClientConnection : public QObject
{
    Q_OBJECT
public:
    ClientConnection(QTcpSocket *socket, ProjectorState *state, const AddressMode &mode, QObject *parent = nullptr);

    // Junk used by the garbage mode: binary bytes without a zero byte.
    static QByteArray junk(int length);

private:
    void readRequests();
    void handleLine(const QByteArray &line);

    QTcpSocket *m_socket;
    ProjectorState *m_state;
    AddressMode m_mode;
    LineSplitter m_lines;
    OutputScheduler *m_output;
    int m_requests = 0;
    bool m_closing = false;
};
