#pragma once

#include "net/sessionfailure.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>

class QTcpSocket;
class QTimer;

// One short conversation with one projector: connect, send the op commands
// of the list one at a time (each after the answer to the previous one),
// report every answer by signal, close, delete itself.
//
// Wire format: each command goes out as its Latin-1 bytes (a character
// outside Latin-1 becomes "?") followed by CR LF. An answer is everything
// one read notification delivers, up to the first zero byte, as Latin-1;
// no line end is looked for or removed. At most MaxReadBytes are buffered
// and taken per read, so a peer that streams without end costs bounded
// memory (the kernel holds back the rest).
//
// The connect does not hold the caller: it runs in the event loop and is
// given up after ConnectLimitMs (or when the session time-out comes first).
// The whole session is limited to 3000 ms + 1000 ms per command, counted
// from doConnect().
//
// A session that ends without every answer writes one failure line to the
// log (SessionFailure: refused, unreachable, timed out, closed); a failed
// connect first writes the ">" line of the command it could not send.
//
// Lifetime: the session deletes itself (deferred) once its connection has
// ended, or, when no connection was ever made, once its time-out has been
// reported. The connection's state changes are offered as sigSocketState;
// when the parent has a slot slotMySocketState(QAbstractSocket::SocketState)
// it is connected to it automatically (do not connect it a second time).
class MyTcpSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr int ConnectLimitMs = 6000;
    static constexpr int BaseTimeoutMs = 3000;
    static constexpr int PerCommandTimeoutMs = 1000;
    static constexpr qint64 MaxReadBytes = 2 * 1024 * 1024;

    explicit MyTcpSocket(QObject *parent = nullptr);
    ~MyTcpSocket() override;

    // The op commands to send, in order, without line end. Set before
    // doConnect().
    void setCommandList(const QStringList &commands);
    QStringList commandList() const { return m_commands; }
    // The stamp of the task the session belongs to; written after "@" in the
    // closing log line ("hh:mm:ss.zzz", empty when never set). A session
    // with a stamp writes its closing lines even for a single command, so
    // every session a task counts also ends the count.
    void setStartTime(const QTime &time);
    QTime startTime() const { return m_startTime; }

    // Starts the session. Call once.
    void doConnect(const QString &host, quint16 port);

    // Last four hexadecimal digits of the connection object's identity.
    QString sessionTag() const { return m_tag; }
    // 0-based index of the command now awaiting its answer.
    int currentIndex() const { return m_index; }
    // Sum of the per-command times of all answers so far, in milliseconds.
    int totalTime() const { return m_totalTime; }

    static int sessionTimeoutMs(int commandCount);
    // The bytes that go on the wire for one command.
    static QByteArray wireImage(const QString &command);
    // The answer text carried by the bytes of one read.
    static QString answerText(const QByteArray &bytes);

signals:
    void sendLog(const QString &s);
    void sendStatus(const QString &s);
    void sigMySocketTimeout(int code);
    void sendTcpCmdResult(const QString &result);
    void sigCmdResult(const QString &sIP, const QString &sResult);
    void sigDisconnected();
    // The connection's state changes, for the owner's slotMySocketState.
    void sigSocketState(QAbstractSocket::SocketState state);

public slots:
    void connected();
    void disconnected();
    void bytesWritten(qlonglong bytes);
    void readyRead();
    void slotTimeout();

private:
    enum class Phase
    {
        Idle,
        Connecting,
        Connected,
        Closing,
        ConnectFailed,
        Finished
    };

    void onSocketError(QAbstractSocket::SocketError error);
    void onConnectLimit();
    void connectFailed(const QString &errorText, QAbstractSocket::SocketError error);
    void reportFailure(SessionFailure::Kind kind, const QString &reason);
    void releaseLater();
    QString startText() const;

    QTcpSocket *m_socket;
    QTimer *m_sessionTimer;
    QTimer *m_connectTimer;
    QStringList m_commands;
    int m_index = 0;
    QElapsedTimer m_commandClock;
    int m_totalTime = 0;
    QTime m_startTime;
    QString m_tag;
    QString m_peer;
    QString m_host; // as given to doConnect(): the peer address is unknown until connected
    Phase m_phase = Phase::Idle;
    bool m_timedOut = false;
    bool m_releaseRequested = false;
    bool m_failureReported = false;
};
