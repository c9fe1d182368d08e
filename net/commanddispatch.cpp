#include "net/commanddispatch.h"

#include "net/batchprogress.h"
#include "net/commandcatalogue.h"
#include "net/mytcpsocket.h"

CommandDispatch::CommandDispatch(QObject *parent) : QObject(parent), m_batchProgress(new BatchProgress(this)) {}

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
    MyTcpSocket *session = newSession();
    session->setCommandList(QStringList{command});
    session->doConnect(ip, portOr(port));
    return true;
}

void CommandDispatch::sendCommandList(const QTime &stamp, const QString &ip, const QStringList &commands,
                                      bool endsBatch, quint16 port)
{
    if (ip.isEmpty() || commands.isEmpty())
        return;
    MyTcpSocket *session = newSession();
    if (endsBatch)
        connect(session, &MyTcpSocket::sigDisconnected, this, &CommandDispatch::sigBatchSessionEnded);
    session->setStartTime(stamp);
    session->setCommandList(commands);
    session->doConnect(ip, portOr(port));
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
    m_connectedIPs = addresses;
    emit sigUpdateConnectedIP(m_connectedIPs);
}

bool CommandDispatch::addConnectedIP(const QString &ip)
{
    if (ip.isEmpty() || m_connectedIPs.contains(ip))
        return false;
    m_connectedIPs.append(ip);
    emit sigUpdateConnectedIP(m_connectedIPs);
    return true;
}
