#include "tests/session/sessionrecorder.h"

#include "net/mytcpsocket.h"

SessionRecorder::SessionRecorder(QObject *parent) : QObject(parent) {}

MyTcpSocket *SessionRecorder::start(const QString &host, quint16 port, const QStringList &commands,
                                    const QTime &startTime)
{
    auto *s = new MyTcpSocket(this);
    session = s;
    tag = s->sessionTag();
    connect(s, &MyTcpSocket::sendLog, this, [this](const QString &line) { record(QStringLiteral("log:") + line); });
    connect(s, &MyTcpSocket::sendStatus, this,
            [this](const QString &line) { record(QStringLiteral("status:") + line); });
    connect(s, &MyTcpSocket::sigMySocketTimeout, this,
            [this](int code) { record(QStringLiteral("timeout:") + QString::number(code)); });
    connect(s, &MyTcpSocket::sendTcpCmdResult, this,
            [this](const QString &line) { record(QStringLiteral("result:") + line); });
    connect(s, &MyTcpSocket::sigCmdResult, this, [this](const QString &ip, const QString &answer) {
        record(QStringLiteral("cmd:") + ip + QLatin1Char('|') + answer);
    });
    connect(s, &MyTcpSocket::sigDisconnected, this, [this] { record(QStringLiteral("disconnected")); });
    s->setCommandList(commands);
    if (startTime.isValid())
        s->setStartTime(startTime);
    m_clock.start();
    s->doConnect(host, port);
    return s;
}

void SessionRecorder::slotMySocketState(QAbstractSocket::SocketState state)
{
    states.append(state);
}

void SessionRecorder::record(const QString &text)
{
    events.append(Event{text, m_clock.isValid() ? m_clock.elapsed() : -1});
}

QStringList SessionRecorder::texts() const
{
    QStringList list;
    for (const Event &e : events)
        list << e.text;
    return list;
}

QStringList SessionRecorder::logLines() const
{
    QStringList list;
    for (const Event &e : events) {
        if (e.text.startsWith(QLatin1String("log:")))
            list << e.text.mid(4);
    }
    return list;
}

QStringList SessionRecorder::withPrefix(const QString &prefix) const
{
    QStringList list;
    for (const Event &e : events) {
        if (e.text.startsWith(prefix))
            list << e.text.mid(prefix.size());
    }
    return list;
}

qint64 SessionRecorder::timeOf(const QString &text) const
{
    for (const Event &e : events) {
        if (e.text == text)
            return e.atMs;
    }
    return -1;
}

int SessionRecorder::count(const QString &text) const
{
    int n = 0;
    for (const Event &e : events)
        n += e.text == text ? 1 : 0;
    return n;
}
