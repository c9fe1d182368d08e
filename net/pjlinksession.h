#pragma once

#include "net/pjlinkreply.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>

class QTcpSocket;
class QTimer;

// The conversation with one PJLink projector on its TCP port (4352).
//
// Requests ("%1POWR ?", "%2INNM ?31", ...) are queued and go out one at a
// time, each after the answer to the previous one, on one connection. The
// connection starts with the projector's greeting; when the greeting asks
// for authentication the digest of its random number and the password is
// written in front of the first request.
//
// Projectors hang up on their own: some after every answer, all after about
// 30 s without a request. A hang-up between requests is not a failure: the
// next request opens a new connection. A hang-up while a request waits for
// its answer is tried once more on a fresh connection before the request is
// reported as failed. A refused digest ("PJLINK ERRA") ends the session for
// good: every waiting and later request fails with "Authentication failed",
// one WARN goes to the log for the run, and nothing reconnects.
//
// Every wait is bounded: the connect, the greeting and each answer have a
// time-out. Projectors in standby may take several seconds per answer, so
// the answer time-out is generous; a projector that stays silent past it
// fails its whole queue at once rather than once per request.
//
// Nothing here blocks: all of it runs from the event loop. The password is
// never logged; the request lines in the log are without the digest.
class PJLinkSession : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 4352;
    static constexpr int ConnectTimeoutMs = 5000;
    static constexpr int GreetingTimeoutMs = 5000;
    static constexpr int AnswerTimeoutMs = 8000;
    // Below the projectors' own 30 s, so the session, not the projector,
    // decides when an idle connection ends.
    static constexpr int IdleCloseMs = 20000;

    enum class Failure
    {
        Unreachable, // refused or no connection in time
        TimedOut,    // connected, but no greeting or answer in time
        Closed,      // hung up twice while a request waited
        AuthFailed,  // "PJLINK ERRA"
    };

    explicit PJLinkSession(const QString &host, QObject *parent = nullptr);
    ~PJLinkSession() override;

    QString host() const { return m_host; }
    void setPort(quint16 port) { m_port = port; }
    void setPassword(const QString &password) { m_password = password; }
    void setAnswerTimeoutMs(int ms) { m_answerTimeoutMs = ms; }
    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    // Written after "@" in the closing log line of the next batch, so the
    // console log can tell when a task is complete.
    void setStartTime(const QTime &time) { m_startTime = time; }

    // Queues requests (without CR), sent in order of the calls.
    void send(const QString &request);
    void send(const QStringList &requests);

    bool isAuthFailed() const { return m_authFailed; }
    bool isBusy() const { return !m_queue.isEmpty(); }
    int pending() const { return m_queue.size(); }
    // Connections opened so far (reconnects included).
    int connectionCount() const { return m_connections; }
    // Ends the connection now; waiting requests fail as Closed.
    void close();

    static QString failureText(Failure failure);

signals:
    // Console lines: ">request", "<<ip", "<<<answer", failure lines ("!").
    void sendLog(const QString &line);
    // Every answer line exactly as received (without its CR).
    void sigCmdResult(const QString &ip, const QString &result);
    // The answer to request, taken apart.
    void sigReply(const QString &ip, const QString &request, const PJLinkReply &reply);
    void sigFailed(const QString &ip, const QString &request, PJLinkSession::Failure failure);
    // The queue has run empty.
    void sigIdle();

private:
    enum class Phase
    {
        Idle,
        Connecting,
        Greeting,
        Ready,
        Waiting,
        Dead
    };

    void startConnection();
    void onConnected();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void onReadyRead();
    void onTimer();
    void onLine(const QByteArray &line);
    void writeNext();
    void answered(const PJLinkReply &reply, const QString &line);
    void failAll(Failure failure, const QString &reason);
    void finishBatch(bool complete);
    void warnOnce(const QString &kind, const QString &detail);
    void dropSocket();

    QString m_host;
    quint16 m_port = DefaultPort;
    QString m_password;
    int m_answerTimeoutMs = AnswerTimeoutMs;
    int m_connectTimeoutMs = ConnectTimeoutMs;
    QTime m_startTime;

    QTcpSocket *m_socket = nullptr;
    QTimer *m_timer;
    QTimer *m_idleTimer;
    Phase m_phase = Phase::Idle;
    QStringList m_queue;
    QByteArray m_random; // of the current connection's greeting; empty: no digest
    bool m_digestSent = false;
    int m_retries = 0;   // reconnects for the request at the head of the queue
    QByteArray m_in;
    bool m_discarding = false;
    bool m_authFailed = false;
    int m_connections = 0;
};
