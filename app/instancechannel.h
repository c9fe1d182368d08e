#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The line between the running copy and a second start: the running copy
// listens on a local socket next to its instance lock; a second start calls
// it and asks it to bring its window forward, then ends. Only the one
// request line is understood, and at most a few bytes are read from a
// caller.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit InstanceChannel(QObject *parent = nullptr);

    // The socket name for a lock file: beside it, per user as the lock is.
    static QString serverNameFor(const QString &lockPath);

    // Running copy: listens for callers (a socket left by a killed copy is
    // removed first). False when the socket cannot be made.
    bool listen(const QString &serverName);

    // Second start: asks the running copy to raise its window. done(true)
    // runs once it acknowledged, done(false) when it does not answer within
    // timeoutMs (a copy still starting up is called again every 100 ms).
    // Asynchronous: needs the event loop.
    void callRunning(const QString &serverName, int timeoutMs, std::function<void(bool)> done);

signals:
    void sigRaiseRequested();

private:
    void serve(QLocalSocket *caller);
    void finish(bool raised);

    QLocalServer *m_server = nullptr;
    QLocalSocket *m_call = nullptr;
    QTimer *m_callTimer = nullptr;
    std::function<void(bool)> m_done;
};
