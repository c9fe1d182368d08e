#pragma once

#include <QHostAddress>
#include <QString>

// Listening sockets made by hand, because the toolkit's server fixes the
// accept-queue length: the simulator wants a long queue for fleets of
// clients and a zero-length one to make connects hang (backlog mode).
class NativeListener
{
public:
    // Whether this platform supports the calls below.
    static bool isSupported();
    // A non-blocking listening socket on address:port, or -1 with the reason.
    static qintptr listen(const QHostAddress &address, quint16 port, int backlog, QString *error);
    // A non-blocking connect to address:port that is never used; -1 on failure.
    static qintptr connectAndForget(const QHostAddress &address, quint16 port);
    // Whether a socket made by connectAndForget has finished its handshake,
    // waiting at most timeoutMs.
    static bool waitConnected(qintptr socket, int timeoutMs);
    static void close(qintptr socket);
};
