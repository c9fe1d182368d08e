#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

// Asks one projector its power state without holding the caller: connect,
// write the query, take the first answer, each step bounded by its own
// wait (3000 ms by default, like the blocking question it replaces). Ends
// with exactly one finished() carrying the power-state code (-1 when the
// projector cannot be reached, stays silent or answers nonsense).
class PowerStateProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultWaitMs = 3000;
    static constexpr int MaxAnswerBytes = 4096;

    explicit PowerStateProbe(QObject *parent = nullptr);

    void setWaitMs(int ms) { m_waitMs = qMax(1, ms); }
    // Starts the question; query without line end ("op status ?").
    void start(const QString &ip, quint16 port, const QString &query);

signals:
    void finished(int powerState);

private:
    enum class Phase
    {
        Idle,
        Connecting,
        Writing,
        Reading,
        Done
    };

    void onConnected();
    void onBytesWritten();
    void onReadyRead();
    void onWaitOver();
    void finish(int code);

    QTcpSocket *m_socket;
    QTimer *m_wait;
    QByteArray m_query;
    int m_waitMs = DefaultWaitMs;
    Phase m_phase = Phase::Idle;
};
