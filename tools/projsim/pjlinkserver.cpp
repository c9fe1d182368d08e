#include "pjlinkserver.h"

#include "pjlinkprojectorstate.h"
#include "pjlinksimoptions.h"

#include <QCryptographicHash>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace {

// Per-connection state, kept on the socket itself.
const char RandomProperty[] = "pjlinkRandom";
const char AuthenticatedProperty[] = "pjlinkAuthenticated";
const char BufferProperty[] = "pjlinkBuffer";

} // namespace

PJLinkServer::PJLinkServer(const QHostAddress &address, const PJLinkSimOptions &options, PJLinkProjectorState *state,
                           QObject *parent)
    : QObject(parent)
    , m_address(address)
    , m_options(options)
    , m_state(state)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &PJLinkServer::accept);
}

bool PJLinkServer::start(QString *error)
{
    if (m_server->listen(m_address, m_options.port))
        return true;
    *error = m_server->errorString();
    return false;
}

void PJLinkServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        if (m_options.single && m_open > 0) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_open;
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --m_open;
            socket->deleteLater();
        });
        serve(socket);
    }
}

void PJLinkServer::serve(QTcpSocket *socket)
{
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(m_options.idleMs);
    connect(idle, &QTimer::timeout, socket, &QTcpSocket::disconnectFromHost);
    idle->start();
    QByteArray greeting = "PJLINK 0\r";
    if (!m_options.password.isEmpty()) {
        const QByteArray random =
            QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0');
        socket->setProperty(RandomProperty, random);
        greeting = "PJLINK 1 " + random + '\r';
    }
    socket->write(greeting);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, idle] {
        QByteArray buffer = socket->property(BufferProperty).toByteArray() + socket->readAll();
        int cr;
        while ((cr = buffer.indexOf('\r')) >= 0 && socket->state() == QAbstractSocket::ConnectedState) {
            const QByteArray line = buffer.left(cr);
            buffer.remove(0, cr + 1);
            idle->start();
            handleLine(socket, line);
        }
        // A client that never ends its line does not get to grow us.
        socket->setProperty(BufferProperty, buffer.right(256));
    });
}

void PJLinkServer::handleLine(QTcpSocket *socket, QByteArray line)
{
    if (!m_options.password.isEmpty() && !socket->property(AuthenticatedProperty).toBool()) {
        const QByteArray random = socket->property(RandomProperty).toByteArray();
        const QByteArray expected =
            QCryptographicHash::hash(random + m_options.password.toUtf8(), QCryptographicHash::Md5).toHex();
        if (!line.startsWith(expected)) {
            socket->write("PJLINK ERRA\r");
            socket->disconnectFromHost();
            return;
        }
        socket->setProperty(AuthenticatedProperty, true);
        line = line.mid(expected.size());
    }
    if (m_logRequests) {
        std::fprintf(stderr, "REQ %s %s\n", qPrintable(m_address.toString()), line.constData());
        std::fflush(stderr);
    }
    if (m_silent)
        return;
    const QByteArray answer = m_state->answer(line) + '\r';
    if (m_options.delayMs <= 0) {
        reply(socket, answer);
        return;
    }
    QPointer<QTcpSocket> guard = socket;
    QTimer::singleShot(m_options.delayMs, this, [this, guard, answer] {
        if (guard)
            reply(guard, answer);
    });
}

void PJLinkServer::reply(QTcpSocket *socket, const QByteArray &line)
{
    socket->write(line);
    if (m_options.closeAfterAnswer)
        socket->disconnectFromHost();
}
