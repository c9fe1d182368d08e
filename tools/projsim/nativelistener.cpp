#include "nativelistener.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool fillAddress(const QHostAddress &address, quint16 port, sockaddr_storage *storage, socklen_t *length)
{
    std::memset(storage, 0, sizeof(*storage));
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) {
        auto *in = reinterpret_cast<sockaddr_in *>(storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = htonl(v4);
        *length = sizeof(sockaddr_in);
        return true;
    }
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, 16);
        *length = sizeof(sockaddr_in6);
        return true;
    }
    return false;
}

} // namespace

bool NativeListener::isSupported()
{
    return true;
}

qintptr NativeListener::listen(const QHostAddress &address, quint16 port, int backlog, QString *error)
{
    sockaddr_storage storage;
    socklen_t length = 0;
    if (!fillAddress(address, port, &storage, &length)) {
        *error = QStringLiteral("not an IP address");
        return -1;
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    if (::bind(fd, reinterpret_cast<sockaddr *>(&storage), length) != 0 || ::listen(fd, backlog) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return -1;
    }
    return fd;
}

qintptr NativeListener::connectAndForget(const QHostAddress &address, quint16 port)
{
    sockaddr_storage storage;
    socklen_t length = 0;
    if (!fillAddress(address, port, &storage, &length))
        return -1;
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&storage), length) != 0 && errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool NativeListener::waitConnected(qintptr socket, int timeoutMs)
{
    pollfd p{int(socket), POLLOUT, 0};
    if (::poll(&p, 1, timeoutMs) != 1)
        return false;
    int error = 0;
    socklen_t size = sizeof(error);
    return ::getsockopt(int(socket), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

void NativeListener::close(qintptr socket)
{
    if (socket >= 0)
        ::close(int(socket));
}

#else

bool NativeListener::isSupported()
{
    return false;
}

qintptr NativeListener::listen(const QHostAddress &, quint16, int, QString *error)
{
    *error = QStringLiteral("not supported on this platform");
    return -1;
}

qintptr NativeListener::connectAndForget(const QHostAddress &, quint16)
{
    return -1;
}

bool NativeListener::waitConnected(qintptr, int)
{
    return false;
}

void NativeListener::close(qintptr) {}

#endif
