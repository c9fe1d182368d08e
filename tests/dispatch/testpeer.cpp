#include "testpeer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

TestPeer::TestPeer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestPeer::accept);
}

bool TestPeer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void TestPeer::answered()
{
    if (m_onAnswer)
        m_onAnswer();
}

void TestPeer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        ++m_connections;
        m_received.clear();
        if (m_mode == Mode::CloseOnAccept) {
            socket->close();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() {
            const bool hadLine = m_received.contains('\n');
            m_received += socket->readAll();
            if (hadLine || !m_received.contains('\n'))
                return;
            ++m_requests;
            if (m_onRequest)
                m_onRequest();
            emit requestArrived();
            const QPointer<QTcpSocket> guarded(socket);
            switch (m_mode) {
            case Mode::Answer:
                socket->write(m_reply);
                answered();
                break;
            case Mode::DelayedAnswer:
                QTimer::singleShot(m_delayMs, this, [this, guarded, reply = m_reply]() {
                    if (guarded) {
                        guarded->write(reply);
                        answered();
                    }
                });
                break;
            case Mode::Split:
                socket->write(m_reply);
                socket->flush();
                QTimer::singleShot(m_delayMs, this, [this, guarded, rest = m_second]() {
                    if (guarded) {
                        guarded->write(rest);
                        answered();
                    }
                });
                break;
            case Mode::CloseOnRequest:
                socket->close();
                break;
            case Mode::Silent:
            case Mode::CloseOnAccept:
                break;
            }
        });
    }
}
