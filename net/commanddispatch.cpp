#include "net/commanddispatch.h"

#include "net/batchprogress.h"
#include "net/commandcatalogue.h"
#include "net/mytcpsocket.h"
#include "net/sessionpool.h"

#include <QPointer>
#include <QTimer>

CommandDispatch::CommandDispatch(QObject *parent)
    : QObject(parent), m_batchProgress(new BatchProgress(this)), m_pool(new SessionPool(this))
{
}

MyTcpSocket *CommandDispatch::newSession(QObject *parent)
{
    auto *session = new MyTcpSocket(parent ? parent : this);
    connect(session, &MyTcpSocket::sendLog, this, &CommandDispatch::sendLog);
    connect(session, &MyTcpSocket::sendStatus, this, &CommandDispatch::sendStatus);
    connect(session, &MyTcpSocket::sigCmdResult, this, &CommandDispatch::sigCmdResult);
    return session;
}

bool CommandDispatch::sendCommand(const QString &ip, const QString &command, quint16 port)
{
    const SingleSendDebounce::Verdict verdict = m_debounce.admit(ip, command);
    if (verdict == SingleSendDebounce::Verdict::Drop)
        emit sigCommandDropped(ip, command);
    if (verdict != SingleSendDebounce::Verdict::Send)
        return false;
    // A single command is a list of one outside any task.
    sendCommandList(QTime(), ip, QStringList{command}, false, port, SessionPool::Lane::Operator);
    return true;
}

void CommandDispatch::startSession(MyTcpSocket *session, const QString &ip, quint16 port)
{
    const quint16 target = portOr(port);
    QPointer<MyTcpSocket> waiting(session);
    m_pool->submit([this, waiting, ip, target]() -> QObject * { return waiting ? launch(waiting, ip, target) : nullptr; },
                   session, SessionPool::Lane::Operator);
}

QObject *CommandDispatch::launch(MyTcpSocket *session, const QString &ip, quint16 port)
{
    // The slot is free once the connection is over; the session itself may
    // linger until its time-out line is written.
    connect(session, &MyTcpSocket::sigSocketState, m_pool, [this, session](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState)
            m_pool->release(session);
    });
    QPointer<MyTcpSocket> guard(session);
    session->doConnect(ip, port);
    return guard.data();
}

void CommandDispatch::sendCommandList(const QTime &stamp, const QString &ip, const QStringList &commands,
                                      bool endsBatch, quint16 port, SessionPool::Lane lane)
{
    if (ip.isEmpty() || commands.isEmpty())
        return;
    // Made when its slot comes free: a sweep of 2,000 projectors queues
    // 2,000 small closures, not 2,000 sockets.
    const quint16 target = portOr(port);
    m_pool->submit(
        [this, stamp, ip, commands, endsBatch, target]() -> QObject * {
            MyTcpSocket *session = newSession();
            if (endsBatch)
                connect(session, &MyTcpSocket::sigDisconnected, this, &CommandDispatch::sigBatchSessionEnded);
            session->setStartTime(stamp);
            session->setCommandList(commands);
            return launch(session, ip, target);
        },
        this, lane);
}

QStringList CommandDispatch::askBlocked(const QString &ip, const QString &command, quint16 port) const
{
    return m_question.ask(ip, portOr(port), command);
}

int CommandDispatch::powerState(const QString &ip, quint16 port) const
{
    // Not even looked up while the console cannot send.
    QString query;
    if (m_sendingEnabled && m_catalogue)
        query = m_catalogue->queryCommandByIP(ip, QStringLiteral("Projector Status"));
    return m_question.powerState(ip, portOr(port), query, m_sendingEnabled);
}

void CommandDispatch::setConnectedIPs(const QStringList &addresses)
{
    QStringList gone;
    const QSet<QString> wanted(addresses.begin(), addresses.end());
    for (const QString &ip : qAsConst(m_connectedIPs))
        if (!wanted.contains(ip))
            gone.append(ip);
    removeConnectedIPs(gone);
    for (const QString &ip : addresses)
        addConnectedIP(ip);
    m_connectedIPs = addresses;
    m_connectedIPs.removeDuplicates();
    m_connectedIPs.removeAll(QString());
    emit sigUpdateConnectedIP(m_connectedIPs);
}

bool CommandDispatch::addConnectedIP(const QString &ip)
{
    if (ip.isEmpty() || m_connectedSet.contains(ip))
        return false;
    m_connectedIPs.append(ip);
    m_connectedSet.insert(ip);
    m_addedAt.insert(ip, ++m_additions);
    emit sigConnectedAdded(ip);
    announceLater();
    return true;
}

int CommandDispatch::removeConnectedIPs(const QStringList &addresses)
{
    int removed = 0;
    for (const QString &ip : addresses) {
        if (!m_connectedSet.remove(ip))
            continue;
        m_connectedIPs.removeOne(ip);
        m_addedAt.remove(ip);
        ++removed;
        emit sigConnectedRemoved(ip);
    }
    if (removed > 0)
        announceLater();
    return removed;
}

void CommandDispatch::announceLater()
{
    if (m_announceQueued)
        return;
    m_announceQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_announceQueued = false;
        emit sigUpdateConnectedIP(m_connectedIPs);
    });
}
