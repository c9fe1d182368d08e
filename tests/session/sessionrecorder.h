#pragma once

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTime>
#include <QVector>

class MyTcpSocket;

// Owner of one command session in a test: starts it and writes down every
// signal it emits, in order, with the milliseconds since doConnect().
// Its slotMySocketState is found by the session by name, as the main
// window's is.
class SessionRecorder : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        QString text; // "log:...", "status:...", "timeout:N", "result:...", "cmd:IP|answer", "disconnected"
        qint64 atMs;
    };

    explicit SessionRecorder(QObject *parent = nullptr);

    MyTcpSocket *start(const QString &host, quint16 port, const QStringList &commands,
                       const QTime &startTime = QTime());

    QPointer<MyTcpSocket> session;
    QString tag; // the session's tag, kept for after its deletion
    QVector<Event> events;
    QVector<QAbstractSocket::SocketState> states;

    QStringList texts() const;
    QStringList logLines() const;
    QStringList withPrefix(const QString &prefix) const;
    // Time of the first event with this text, -1 when there is none.
    qint64 timeOf(const QString &text) const;
    bool finished() const { return session.isNull(); }
    int count(const QString &text) const;

public slots:
    void slotMySocketState(QAbstractSocket::SocketState state);

private:
    void record(const QString &text);

    QElapsedTimer m_clock;
};
