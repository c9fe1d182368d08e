#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

class PJLinkProjectorState;
class PJLinkSimOptions;
class QTcpServer;
class QTcpSocket;

// The TCP side of one simulated PJLink projector: greets every connection
// ("PJLINK 0", or "PJLINK 1 <random>" with a password), checks the digest in
// front of the first request, answers one line per request, and hangs up
// after the idle time, after every answer (--pjlink-close-after) or at once
// when another connection is open (--pjlink-single).
class PJLinkServer : public QObject
{
    Q_OBJECT
public:
    PJLinkServer(const QHostAddress &address, const PJLinkSimOptions &options, PJLinkProjectorState *state,
                 QObject *parent = nullptr);

    bool start(QString *error);
    void setSilent(bool silent) { m_silent = silent; }
    void setLogRequests(bool log) { m_logRequests = log; }

private:
    void accept();
    void serve(QTcpSocket *socket);
    void handleLine(QTcpSocket *socket, QByteArray line);
    void reply(QTcpSocket *socket, const QByteArray &line);

    QHostAddress m_address;
    const PJLinkSimOptions &m_options;
    PJLinkProjectorState *m_state;
    QTcpServer *m_server;
    int m_open = 0;
    bool m_silent = false;
    bool m_logRequests = false;
};
