#include "bridge/clientwritehandle.h"

#include <QTcpSocket>
#include <QTimer>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <unistd.h>
#endif

namespace {

qintptr duplicate(qintptr descriptor)
{
    if (descriptor < 0)
        return -1;
#ifdef Q_OS_WIN
    WSAPROTOCOL_INFOW info;
    if (WSADuplicateSocketW(SOCKET(descriptor), GetCurrentProcessId(), &info) != 0)
        return -1;
    const SOCKET copy = WSASocketW(FROM_PROTOCOL_INFO, FROM_PROTOCOL_INFO, FROM_PROTOCOL_INFO, &info, 0, 0);
    return copy == INVALID_SOCKET ? -1 : qintptr(copy);
#else
    return ::dup(int(descriptor));
#endif
}

void release(qintptr descriptor)
{
#ifdef Q_OS_WIN
    closesocket(SOCKET(descriptor));
#else
    ::close(int(descriptor));
#endif
}

// Long enough for a short answer to leave; the socket is dropped after it.
constexpr int CloseGraceMs = 2000;

} // namespace

ClientWriteHandle::ClientWriteHandle(qintptr descriptor) : m_descriptor(duplicate(descriptor)) {}

ClientWriteHandle::~ClientWriteHandle()
{
    reset();
}

ClientWriteHandle::ClientWriteHandle(ClientWriteHandle &&other) noexcept : m_descriptor(other.m_descriptor)
{
    other.m_descriptor = -1;
}

ClientWriteHandle &ClientWriteHandle::operator=(ClientWriteHandle &&other) noexcept
{
    if (this != &other) {
        reset();
        m_descriptor = other.m_descriptor;
        other.m_descriptor = -1;
    }
    return *this;
}

void ClientWriteHandle::reset()
{
    if (m_descriptor >= 0)
        release(m_descriptor);
    m_descriptor = -1;
}

bool ClientWriteHandle::writeAndClose(const QByteArray &bytes)
{
    if (m_descriptor < 0)
        return false;
    auto *socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(m_descriptor, QAbstractSocket::ConnectedState, QIODevice::WriteOnly)) {
        delete socket;
        reset();
        return false;
    }
    m_descriptor = -1; // the socket owns it now
    // Written out at once: back in the event loop the socket would read the
    // client's end of input and drop the connection with the bytes unsent.
    const bool written = socket->write(bytes) == bytes.size() && socket->flush();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(CloseGraceMs, socket, [socket]() {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    return written;
}
