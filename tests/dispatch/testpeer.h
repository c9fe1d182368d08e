#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>

#include <functional>

// A stand-in projector on loopback for the synchronous question: it answers
// the first request of every connection in one of a few ways a real device
// (or a broken one) behaves.
class TestPeer : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Answer,        // write the reply once the request line is in
        DelayedAnswer, // the same, delayMs later
        Split,         // first piece at once, the rest delayMs later
        Silent,        // accept, read, never answer
        CloseOnAccept, // hang up as soon as the connection is accepted
        CloseOnRequest // hang up when the request arrives, without answering
    };

    explicit TestPeer(QObject *parent = nullptr);

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    void close() { m_server.close(); }

    void setMode(Mode mode) { m_mode = mode; }
    void setReply(const QByteArray &reply) { m_reply = reply; }
    void setSplit(const QByteArray &first, const QByteArray &second)
    {
        m_reply = first;
        m_second = second;
    }
    void setDelayMs(int ms) { m_delayMs = ms; }

    // Called when a complete request line has arrived (before answering).
    void setOnRequest(std::function<void()> callback) { m_onRequest = std::move(callback); }

    // Called just after the (last piece of the) reply has been written.
    void setOnAnswer(std::function<void()> callback) { m_onAnswer = std::move(callback); }

    int connections() const { return m_connections; }
    int requests() const { return m_requests; }
    // Bytes received on the latest connection.
    const QByteArray &received() const { return m_received; }

signals:
    void requestArrived();

private:
    void accept();
    void answered();

    QTcpServer m_server;
    Mode m_mode = Mode::Answer;
    QByteArray m_reply;
    QByteArray m_second;
    int m_delayMs = 0;
    std::function<void()> m_onRequest;
    std::function<void()> m_onAnswer;
    int m_connections = 0;
    int m_requests = 0;
    QByteArray m_received;
};
