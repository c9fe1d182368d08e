#include "tests/session/sessionrecorder.h"

#include "net/mytcpsocket.h"

MyTcpSocket *SessionRecorder::start(const QString &host, quint16 port, const QStringList &commands,
                                    const QTime &startTime)
{
    auto *s = new MyTcpSocket(this);
    session = s;
    tag = s->sessionTag();
    m_clock.start();
    const auto record = [this](const QString &text) { events.append(Event{text, m_clock.elapsed()}); };
    connect(s, &MyTcpSocket::sendLog, this, [record](const QString &line) { record("log:" + line); });
    connect(s, &MyTcpSocket::sendStatus, this, [record](const QString &line) { record("status:" + line); });
    connect(s, &MyTcpSocket::sigMySocketTimeout, this,
            [record](int code) { record("timeout:" + QString::number(code)); });
    connect(s, &MyTcpSocket::sendTcpCmdResult, this, [record](const QString &line) { record("result:" + line); });
    connect(s, &MyTcpSocket::sigCmdResult, this,
            [record](const QString &ip, const QString &answer) { record("cmd:" + ip + '|' + answer); });
    connect(s, &MyTcpSocket::sigDisconnected, this, [record] { record("disconnected"); });
    s->setCommandList(commands);
    if (startTime.isValid())
        s->setStartTime(startTime);
    s->doConnect(host, port);
    return s;
}
