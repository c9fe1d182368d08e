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
// signal it emits, in order, with the milliseconds since doConnect(). The
// session finds slotMySocketState by name, as it finds the main window's.
class SessionRecorder : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        QString text; // "log:...", "status:...", "timeout:N", "result:...", "cmd:IP|answer", "disconnected"
        qint64 atMs;
    };

    explicit SessionRecorder(QObject *parent = nullptr) : QObject(parent) {}

    MyTcpSocket *start(const QString &host, quint16 port, const QStringList &commands,
                       const QTime &startTime = QTime());

    // Texts of the events starting with prefix, prefix cut off.
    QStringList withPrefix(const QString &prefix) const
    {
        QStringList list;
        for (const Event &e : events)
            if (e.text.startsWith(prefix))
                list << e.text.mid(prefix.size());
        return list;
    }
    QStringList texts() const { return withPrefix(QString()); }
    int count(const QString &text) const { return texts().count(text); }
    bool finished() const { return session.isNull(); }

    QPointer<MyTcpSocket> session;
    QString tag; // the session's tag, kept for after its deletion
    QVector<Event> events;
    QVector<QAbstractSocket::SocketState> states;

public slots:
    void slotMySocketState(QAbstractSocket::SocketState state) { states.append(state); }

private:
    QElapsedTimer m_clock;
};
