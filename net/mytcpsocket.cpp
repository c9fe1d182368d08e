#include "net/mytcpsocket.h"

#include "app/orvlog/OrvLog.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QMetaMethod>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QVector>

namespace {

const QString kTimeoutText = QStringLiteral("Socket Timeout!");

} // namespace

MyTcpSocket::MyTcpSocket(QObject *parent)
    : QObject(parent), m_socket(new QTcpSocket(this)), m_sessionTimer(new QTimer(this)),
      m_connectTimer(new QTimer(this))
{
    m_tag = QStringLiteral("%1").arg(quintptr(m_socket) & 0xffffu, 4, 16, QLatin1Char('0'));

    // The limits are promises to the operator (and to the task bookkeeping),
    // so they must not drift by the 5 % a coarse timer may take.
    m_sessionTimer->setSingleShot(true);
    m_sessionTimer->setTimerType(Qt::PreciseTimer);
    m_connectTimer->setSingleShot(true);
    m_connectTimer->setTimerType(Qt::PreciseTimer);
    connect(m_sessionTimer, &QTimer::timeout, this, &MyTcpSocket::slotTimeout);
    connect(m_connectTimer, &QTimer::timeout, this, &MyTcpSocket::onConnectLimit);

    m_socket->setReadBufferSize(MaxReadBytes);
    connect(m_socket, &QTcpSocket::connected, this, &MyTcpSocket::connected);
    connect(m_socket, &QTcpSocket::disconnected, this, &MyTcpSocket::disconnected);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &MyTcpSocket::bytesWritten);
    connect(m_socket, &QTcpSocket::readyRead, this, &MyTcpSocket::readyRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &MyTcpSocket::onSocketError);
    connect(m_socket, &QTcpSocket::stateChanged, this, &MyTcpSocket::sigSocketState);

    if (parent) {
        const QMetaObject *meta = parent->metaObject();
        const int slot = meta->indexOfSlot("slotMySocketState(QAbstractSocket::SocketState)");
        if (slot >= 0)
            connect(this, QMetaMethod::fromSignal(&MyTcpSocket::sigSocketState), parent, meta->method(slot));
    }
}

MyTcpSocket::~MyTcpSocket()
{
    // An owner may drop the session from a slot of one of its signals, that
    // is while the connection or a timer is still inside its own signal
    // emission. They must outlive that emission, so they are taken out of
    // our children and go later; none of their signals reaches us any more.
    m_sessionTimer->stop();
    m_connectTimer->stop();
    for (QObject *part : {static_cast<QObject *>(m_socket), static_cast<QObject *>(m_sessionTimer),
                          static_cast<QObject *>(m_connectTimer)}) {
        part->disconnect(this);
        part->setParent(nullptr);
        part->deleteLater();
    }
    m_socket->abort();
}

void MyTcpSocket::setCommandList(const QStringList &commands)
{
    m_commands = commands;
}

void MyTcpSocket::setStartTime(const QTime &time)
{
    m_startTime = time;
}

int MyTcpSocket::sessionTimeoutMs(int commandCount)
{
    return BaseTimeoutMs + PerCommandTimeoutMs * qMax(0, commandCount);
}

QByteArray MyTcpSocket::wireImage(const QString &command)
{
    QByteArray bytes;
    bytes.reserve(command.size() + 2);
    // Per code point, so that a character outside the BMP becomes one "?".
    const QVector<uint> codePoints = command.toUcs4();
    for (const uint c : codePoints)
        bytes.append(c < 0x100 ? char(c) : '?');
    bytes.append("\r\n");
    return bytes;
}

QString MyTcpSocket::answerText(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromLatin1(bytes.constData(), nul < 0 ? bytes.size() : nul);
}

QString MyTcpSocket::startText() const
{
    return m_startTime.toString(QStringLiteral("hh:mm:ss.zzz"));
}

void MyTcpSocket::doConnect(const QString &host, quint16 port)
{
    if (m_phase != Phase::Idle) {
        OLOG_DEBUG() << "mytcpsocket"
                     << "doConnect"
                     << "Session already started:" << m_tag;
        return;
    }
    m_phase = Phase::Connecting;
    m_host = host;
    m_sessionTimer->start(sessionTimeoutMs(m_commands.size()));
    m_commandClock.start();
    // Armed before connecting: the connect may finish (or fail) inside
    // connectToHost itself.
    m_connectTimer->start(ConnectLimitMs);
    m_socket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void MyTcpSocket::connected()
{
    if (m_phase == Phase::Connecting) {
        m_connectTimer->stop();
        m_phase = Phase::Connected;
        // Kept now: the address is gone once the connection has ended, and
        // the last answer may be read together with the peer's close.
        m_peer = m_socket->peerAddress().toString();
    }
    if (m_phase != Phase::Connected)
        return;
    if (m_index >= m_commands.size()) {
        // Nothing (left) to ask: end the conversation instead of waiting for
        // the time-out.
        m_phase = Phase::Closing;
        m_socket->disconnectFromHost();
        return;
    }
    const QString command = m_commands.at(m_index) + QLatin1String("\r\n");
    QPointer<MyTcpSocket> guard(this);
    emit sendLog(QLatin1Char('>') + command.simplified());
    if (guard)
        m_socket->write(wireImage(m_commands.at(m_index)));
}

void MyTcpSocket::bytesWritten(qlonglong bytes)
{
    m_commandClock.restart();
    emit sendStatus(QStringLiteral("%1 bytes written!").arg(bytes));
}

void MyTcpSocket::readyRead()
{
    const qint64 elapsed = m_commandClock.isValid() ? m_commandClock.elapsed() : 0;
    const QByteArray bytes = m_socket->read(MaxReadBytes);
    if (bytes.isEmpty())
        return;
    // Bytes after the last answer (the rest of a split answer arriving
    // while the close is under way, or anything after a time-out) belong to
    // no command.
    if (m_phase != Phase::Connected || m_index >= m_commands.size()) {
        OLOG_DEBUG() << "mytcpsocket"
                     << "readyRead"
                     << "Dropped after close:" << bytes.size() << m_tag;
        return;
    }
    const QString answer = answerText(bytes);
    QPointer<MyTcpSocket> guard(this);
    // Any receiver may end the session (or delete it) from its slot: every
    // step after an emit first checks that the session is still there.
    const QString peer = m_peer;
    const int index = m_index;
    m_totalTime += int(elapsed);
    emit sendLog(QLatin1String("<<") + peer);
    if (guard)
        emit sendLog(QLatin1String("<<<") + answer.simplified());
    if (guard)
        emit sendLog(QStringLiteral("TCP:%1 Cmd:%2 Time:%3ms").arg(m_tag).arg(index).arg(elapsed));
    if (guard)
        emit sendTcpCmdResult(peer + QLatin1String(">\t") + answer);
    if (guard)
        emit sigMySocketTimeout(0);
    if (guard)
        emit sigCmdResult(peer, answer);
    if (!guard || m_phase != Phase::Connected)
        return;
    ++m_index;
    if (m_index < m_commands.size()) {
        connected();
        return;
    }
    m_phase = Phase::Closing;
    m_socket->disconnectFromHost();
    if (guard)
        emit sendStatus(QStringLiteral("%1 bytes read!").arg(bytes.size()));
}

void MyTcpSocket::disconnected()
{
    // Only a connection that existed can end, and it ends once.
    if (m_phase != Phase::Connected && m_phase != Phase::Closing)
        return;
    m_phase = Phase::Finished;
    // From here on the time-out has nothing left to report.
    m_sessionTimer->stop();
    m_connectTimer->stop();
    QPointer<MyTcpSocket> guard(this);
    const int code = int(m_socket->error());
    if (code > 0)
        emit sigMySocketTimeout(code);
    if (guard && !m_timedOut && m_index < m_commands.size())
        reportFailure(SessionFailure::Kind::Closed, code > 0 ? m_socket->errorString() : QString());
    // A session of a task (one with a stamp) always ends the task's count,
    // however many commands it had; an untagged single command stays quiet.
    if (guard && (m_commands.size() > 1 || m_startTime.isValid())) {
        emit sendLog(
            QStringLiteral("TCP:%1 Cmds:%2 TotalTime:%3ms---").arg(m_tag).arg(m_commands.size()).arg(m_totalTime));
        // A session that timed out ends with the time-out line alone: one end
        // line per session, or the task bookkeeping would count it twice.
        if (guard && !m_timedOut)
            emit sendLog(QLatin1String("--- <END> ---@") + startText());
    }
    if (guard)
        emit sigDisconnected();
    if (guard)
        releaseLater();
}

void MyTcpSocket::slotTimeout()
{
    QPointer<MyTcpSocket> guard(this);
    switch (m_phase) {
    case Phase::Idle:
    case Phase::Finished:
        return;
    case Phase::Closing:
        // Every answer is in; only the close hangs. End it the hard way; the
        // session then ends as a normal one.
        m_socket->abort();
        return;
    case Phase::Connecting:
        // The session's time is up before the connect limit: give the
        // connect up first, as a failed connect wait would have reported.
        connectFailed(QCoreApplication::translate("QAbstractSocket", "Socket operation timed out"),
                      QAbstractSocket::SocketTimeoutError);
        if (!guard)
            return;
        break;
    default:
        break;
    }
    if (m_timedOut)
        return;
    m_timedOut = true;
    m_sessionTimer->stop();
    const bool hadConnection = m_phase == Phase::Connected;
    emit sigMySocketTimeout(1);
    if (guard && hadConnection && m_index < m_commands.size())
        reportFailure(SessionFailure::Kind::TimedOut, QString());
    if (!guard)
        return;
    OLOG_DEBUG() << "mytcpsocket"
                 << "slotTimeout"
                 << "Socket timeout error:" << int(m_socket->error());
    // A silent projector may not read our close either; drop the connection
    // rather than wait in the closing state for ever.
    m_socket->abort();
    if (guard && hadConnection && m_phase != Phase::Finished)
        disconnected();
    if (!guard)
        return;
    emit sendStatus(kTimeoutText);
    if (guard)
        emit sendTcpCmdResult(kTimeoutText);
    if (guard)
        emit sendLog(QLatin1String("--- <END>TimeOut ---@") + startText());
    // A session without connection never sees disconnected(); this is its end.
    if (guard && !hadConnection)
        releaseLater();
}

void MyTcpSocket::onSocketError(QAbstractSocket::SocketError error)
{
    // Errors of an established connection end in disconnected(), which
    // reports them; here only the connect attempt is of interest.
    if (m_phase == Phase::Connecting)
        connectFailed(m_socket->errorString(), error);
}

void MyTcpSocket::onConnectLimit()
{
    connectFailed(QCoreApplication::translate("QAbstractSocket", "Socket operation timed out"),
                  QAbstractSocket::SocketTimeoutError);
}

void MyTcpSocket::connectFailed(const QString &errorText, QAbstractSocket::SocketError error)
{
    if (m_phase != Phase::Connecting)
        return;
    m_phase = Phase::ConnectFailed;
    m_connectTimer->stop();
    // Stops a connect still under way; never connected, so no disconnected().
    m_socket->abort();
    QPointer<MyTcpSocket> guard(this);
    emit sigMySocketTimeout(1);
    if (guard)
        emit sendStatus(QLatin1String("Error:") + errorText);
    if (guard)
        OLOG_DEBUG() << "mytcpsocket"
                     << "doConnect"
                     << "Error: " << errorText;
    // The operator sees what was meant to go out, then why it did not.
    if (guard && !m_commands.isEmpty())
        emit sendLog(QLatin1Char('>') + m_commands.constFirst().simplified());
    if (guard)
        reportFailure(SessionFailure::ofConnectError(error), errorText);
}

void MyTcpSocket::reportFailure(SessionFailure::Kind kind, const QString &reason)
{
    if (m_failureReported || m_commands.isEmpty())
        return;
    m_failureReported = true;
    emit sendLog(SessionFailure::line(kind, m_host, m_commands, m_index, reason));
}

void MyTcpSocket::releaseLater()
{
    if (m_releaseRequested)
        return;
    m_releaseRequested = true;
    deleteLater();
}
