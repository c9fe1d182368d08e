#pragma once

#include <QHash>
#include <QObject>
#include <QQueue>
#include <QString>

class PJLinkDirectory;
class QTcpSocket;
class QTimer;

// Finds out whether an address speaks PJLink: connects to its PJLink port
// and waits for the greeting ("PJLINK 0" or "PJLINK 1 <random>"), then
// hangs up without sending anything.
//
// The answer is kept in the directory for the rest of the run, so an
// address is probed at most once; asking again reports the kept result
// from the event loop. At most maxConcurrent probes are open at once
// (the same bound as the op search beside it); the rest wait in order.
class PJLinkProbe : public QObject
{
    Q_OBJECT
public:
    static constexpr int GreetingTimeoutMs = 2000;

    explicit PJLinkProbe(PJLinkDirectory *directory, QObject *parent = nullptr);

    void setPort(quint16 port) { m_port = port; }
    void setMaxConcurrent(int count) { m_maxConcurrent = qMax(1, count); }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    void probe(const QString &ip);
    int inFlight() const { return m_open.size(); }

signals:
    void sigProbed(const QString &ip, bool pjlink, bool needsAuth);

private:
    void startNext();
    void finish(QTcpSocket *socket, bool pjlink, bool needsAuth);

    PJLinkDirectory *m_directory;
    quint16 m_port = 4352;
    int m_maxConcurrent = 32;
    int m_timeoutMs = GreetingTimeoutMs;
    QQueue<QString> m_waiting;
    QHash<QTcpSocket *, QString> m_open;
};
