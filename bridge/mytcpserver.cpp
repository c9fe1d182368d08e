#include "bridge/mytcpserver.h"

#include "bridge/bridgerules.h"

#include <QDebug>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

MyServer::MyServer(QObject *parent, quint16 port)
    : QObject(parent), m_server(new QTcpServer(this)), m_halfCloseTimer(new QTimer(this))
{
    m_halfCloseTimer->setSingleShot(true);
    m_halfCloseTimer->setInterval(HalfCloseGraceMs);
    connect(m_halfCloseTimer, &QTimer::timeout, this, &MyServer::dropHalfClosed);
    connect(m_server, &QTcpServer::newConnection, this, &MyServer::newConnection);
    if (m_server->listen(QHostAddress::Any, port))
        qDebug() << "mytcpserver" << __func__ << "Server started:" << port;
    else
        qDebug() << "mytcpserver" << __func__ << "Server could not start!" << m_server->errorString();
}

bool MyServer::isListening() const
{
    return m_server->isListening();
}

int MyServer::connectionCount() const
{
    return m_server->findChildren<QTcpSocket *>().size();
}

void MyServer::newConnection()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket *next = m_server->nextPendingConnection();
        qDebug() << "mytcpserver" << __func__ << "NEW Connection";
        if (m_served)
            retire(m_served);
        // Answers go to the newest client from now on.
        dropHalfClosed();
        m_servedSpare.reset();
        m_answerPending = false;
        m_served = next;
        // Answers are single short lines: send each at once.
        next->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(next, &QTcpSocket::readyRead, this, &MyServer::startRead);
        connect(next, &QTcpSocket::disconnected, this, &MyServer::connectionAboutToClose);
        // Bytes that came with the connection may already be buffered.
        if (next->bytesAvailable() > 0)
            scheduleRead();
    }
}

void MyServer::startRead()
{
    if (!m_served)
        return;
    readChunk(m_served);
    // Whatever lies beyond the read bound gets no notification of its own.
    if (m_served && m_served->bytesAvailable() > 0)
        scheduleRead();
}

bool MyServer::readChunk(QTcpSocket *socket)
{
    const QByteArray chunk = socket->read(BridgeRules::MaxTcpRead);
    if (chunk.isEmpty())
        return false;
    const QString text = BridgeRules::latin1UpToNul(chunk);
    qDebug() << "mytcpserver" << __func__ << text;
    if (socket == m_served) {
        // Taken now, while the socket still holds the connection: once the
        // client's end of input is read, it is gone.
        if (!m_servedSpare.isValid())
            m_servedSpare = ClientWriteHandle(socket->socketDescriptor());
        m_answerPending = true;
    }
    emit sigSendTCPdata(text.simplified());
    return true;
}

void MyServer::scheduleRead()
{
    if (m_readScheduled)
        return;
    m_readScheduled = true;
    QTimer::singleShot(0, this, [this]() {
        m_readScheduled = false;
        startRead();
    });
}

void MyServer::retire(QTcpSocket *replaced)
{
    // The replaced client stops being served but what it already sent is
    // still handled; then it is closed, so that connections never pile up.
    // Handling a command may open a message box and so run a nested event
    // loop: the socket is watched in case it goes away meanwhile.
    QPointer<QTcpSocket> socket(replaced);
    disconnect(socket, nullptr, this, nullptr);
    // Bytes may still wait in the system, unannounced: fetch them now.
    socket->waitForReadyRead(0);
    while (socket && socket->bytesAvailable() > 0 && readChunk(socket)) {
    }
    if (!socket)
        return;
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTcpSocket *closing = socket;
    QTimer::singleShot(RetireGraceMs, closing, [closing]() {
        closing->abort();
        closing->deleteLater();
    });
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        socket->disconnectFromHost();
}

void MyServer::connectionAboutToClose()
{
    qDebug() << "mytcpserver" << __func__ << "Connection to client closed!";
    QPointer<QTcpSocket> socket = m_served;
    if (!socket)
        return;
    // A client may send and hang up at once: its last bytes still count.
    while (socket && socket->bytesAvailable() > 0 && readChunk(socket)) {
    }
    if (!socket)
        return;
    if (m_served == socket) {
        m_served = nullptr;
        // The client may only have stopped sending: its answer can still go.
        if (m_answerPending && m_servedSpare.isValid()) {
            m_halfClosed = std::move(m_servedSpare);
            m_halfCloseTimer->start();
        }
        m_servedSpare.reset();
        m_answerPending = false;
    }
    disconnect(socket, nullptr, this, nullptr);
    socket->close();
    socket->deleteLater();
}

void MyServer::dropHalfClosed()
{
    m_halfCloseTimer->stop();
    m_halfClosed.reset();
}

void MyServer::slotWriteTCP(const QByteArray &bytes)
{
    qDebug() << "mytcpserver" << __func__ << bytes;
    if (m_halfClosed.isValid()) {
        m_halfCloseTimer->stop();
        m_halfClosed.writeAndClose(bytes);
        return;
    }
    if (!m_served || !m_served->isWritable() || m_served->state() != QAbstractSocket::ConnectedState)
        return;
    m_served->write(bytes);
    // Out at once: a client that has stopped sending is dropped by the socket
    // as soon as that is read, and with it whatever is still unsent.
    m_served->flush();
    m_answerPending = false;
}
