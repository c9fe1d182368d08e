#include "backloglistener.h"

#include "nativelistener.h"

BacklogListener::~BacklogListener()
{
    close();
}

bool BacklogListener::open(const QHostAddress &address, quint16 port, QString *error)
{
    close();
    if (!NativeListener::isSupported()) {
        *error = QStringLiteral("backlog mode is not supported on this platform");
        return false;
    }
    // A queue of length 0 holds one finished handshake; the kernel then drops
    // further SYNs instead of refusing them.
    m_listener = NativeListener::listen(address, port, 0, error);
    if (m_listener < 0)
        return false;
    const qintptr first = NativeListener::connectAndForget(address, port);
    if (first < 0 || !NativeListener::waitConnected(first, 2000)) {
        NativeListener::close(first);
        *error = QStringLiteral("could not fill the accept queue");
        close();
        return false;
    }
    m_fillers << first;
    // A second one makes sure the queue is over its limit whatever the
    // kernel counts; it stays half-open itself.
    const qintptr second = NativeListener::connectAndForget(address, port);
    if (second >= 0)
        m_fillers << second;
    return true;
}

void BacklogListener::close()
{
    for (const qintptr filler : qAsConst(m_fillers))
        NativeListener::close(filler);
    m_fillers.clear();
    NativeListener::close(m_listener);
    m_listener = -1;
}
