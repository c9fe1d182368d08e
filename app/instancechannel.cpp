#include "app/instancechannel.h"

#include "app/appinfo.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

const QByteArray RaiseRequest("raise\n");
const QByteArray RaiseDone("raised\n");

} // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent) {}

QString InstanceChannel::serverNameFor(const QString &lockPath)
{
#ifdef Q_OS_WIN
    // A pipe name, not a path: the lock's per-user folder makes it unique.
    return AppInfo::name() + QLatin1Char('-')
        + QString::fromLatin1(QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
#else
    QString name = lockPath;
    if (name.endsWith(QLatin1String(".lock")))
        name.chop(5);
    return name + QStringLiteral(".socket");
#endif
}

bool InstanceChannel::listen(const QString &serverName)
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *caller = m_server->nextPendingConnection())
                serve(caller);
        });
    }
    // We hold the instance lock, so a socket of that name is a killed copy's.
    QLocalServer::removeServer(serverName);
    return m_server->listen(serverName);
}

void InstanceChannel::serve(QLocalSocket *caller)
{
    connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
    // A caller that never says anything is dropped after a second.
    QTimer::singleShot(1000, caller, [caller] { caller->abort(); });
    connect(caller, &QLocalSocket::readyRead, caller, [this, caller] {
        if (!caller->canReadLine()) {
            if (caller->bytesAvailable() > RaiseRequest.size())
                caller->abort();
            return;
        }
        const QByteArray line = caller->readLine(RaiseRequest.size() + 1);
        if (line == RaiseRequest) {
            emit sigRaiseRequested();
            caller->write(RaiseDone);
            caller->flush();
        }
        caller->disconnectFromServer();
    });
}

void InstanceChannel::callRunning(const QString &serverName, int timeoutMs, std::function<void(bool)> done)
{
    m_done = std::move(done);
    m_call = new QLocalSocket(this);
    m_callTimer = new QTimer(this);
    m_callTimer->setSingleShot(true);
    connect(m_callTimer, &QTimer::timeout, this, [this] { finish(false); });
    connect(m_call, &QLocalSocket::connected, this, [this] { m_call->write(RaiseRequest); });
    connect(m_call, &QLocalSocket::readyRead, this, [this] {
        if (m_call->canReadLine())
            finish(m_call->readLine(RaiseDone.size() + 1) == RaiseDone);
        else if (m_call->bytesAvailable() > RaiseDone.size())
            finish(false);
    });
    // The running copy may still be building its window: try again until
    // the time is up.
    connect(m_call, &QLocalSocket::errorOccurred, this, [this, serverName] {
        if (!m_done)
            return;
        if (m_call->state() == QLocalSocket::ConnectedState) {
            finish(false);
            return;
        }
        QTimer::singleShot(100, this, [this, serverName] {
            if (m_done && m_call->state() == QLocalSocket::UnconnectedState)
                m_call->connectToServer(serverName);
        });
    });
    m_callTimer->start(timeoutMs);
    m_call->connectToServer(serverName);
}

void InstanceChannel::finish(bool raised)
{
    if (!m_done)
        return;
    m_callTimer->stop();
    m_call->abort();
    const std::function<void(bool)> done = std::move(m_done);
    m_done = nullptr;
    done(raised);
}
