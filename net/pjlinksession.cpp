#include "net/pjlinksession.h"

#include "app/orvlog/OrvLog.h"
#include "net/pjlinkauth.h"
#include "net/pjlinkwarnonce.h"
#include "net/sessionfailure.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

PJLinkSession::PJLinkSession(const QString &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_timer(new QTimer(this))
    , m_idleTimer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &PJLinkSession::onTimer);
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(IdleCloseMs);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        if (m_phase == Phase::Ready) {
            dropSocket();
            m_phase = Phase::Idle;
        }
    });
}

PJLinkSession::~PJLinkSession()
{
    dropSocket();
}

QString PJLinkSession::failureText(Failure failure)
{
    switch (failure) {
    case Failure::Unreachable:
        return SessionFailure::kindText(SessionFailure::Kind::Unreachable);
    case Failure::TimedOut:
        return SessionFailure::kindText(SessionFailure::Kind::TimedOut);
    case Failure::Closed:
        return SessionFailure::kindText(SessionFailure::Kind::Closed);
    case Failure::AuthFailed:
        return QCoreApplication::translate("PJLinkSession", "Authentication failed");
    }
    return QString();
}

void PJLinkSession::send(const QString &request)
{
    send(QStringList{request});
}

void PJLinkSession::send(const QStringList &requests)
{
    if (requests.isEmpty())
        return;
    if (m_authFailed) {
        // Refused once, refused again: say so without asking the projector,
        // and not from inside the caller's call.
        QTimer::singleShot(0, this, [this, requests] {
            emit sendLog(SessionFailure::Marker + m_host + QLatin1Char(' ') + failureText(Failure::AuthFailed));
            for (const QString &request : requests)
                emit sigFailed(m_host, request, Failure::AuthFailed);
        });
        return;
    }
    m_queue += requests;
    m_idleTimer->stop();
    if (m_phase == Phase::Idle)
        startConnection();
    else if (m_phase == Phase::Ready)
        writeNext();
}

void PJLinkSession::close()
{
    failAll(Failure::Closed, QStringLiteral("closed"));
    dropSocket();
    m_phase = m_authFailed ? Phase::Dead : Phase::Idle;
}

void PJLinkSession::startConnection()
{
    dropSocket();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &PJLinkSession::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &PJLinkSession::onDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &PJLinkSession::onReadyRead);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &PJLinkSession::onError);
    m_in.clear();
    m_discarding = false;
    m_random.clear();
    m_digestSent = false;
    m_phase = Phase::Connecting;
    ++m_connections;
    m_timer->start(m_connectTimeoutMs);
    m_socket->connectToHost(m_host, m_port);
}

void PJLinkSession::dropSocket()
{
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void PJLinkSession::onConnected()
{
    m_phase = Phase::Greeting;
    m_timer->start(GreetingTimeoutMs);
}

void PJLinkSession::onError(QAbstractSocket::SocketError error)
{
    if (m_phase != Phase::Connecting || error == QAbstractSocket::RemoteHostClosedError)
        return;
    const QString reason = m_socket ? m_socket->errorString() : QString();
    dropSocket();
    m_phase = Phase::Idle;
    failAll(Failure::Unreachable, reason);
}

void PJLinkSession::onDisconnected()
{
    switch (m_phase) {
    case Phase::Greeting:
    case Phase::Waiting:
        // Some projectors hang up after each answer and some at 30 s idle,
        // racing our next request: one fresh connection per request.
        if (m_retries < 1 && !m_queue.isEmpty()) {
            ++m_retries;
            startConnection();
            return;
        }
        dropSocket();
        m_phase = Phase::Idle;
        failAll(Failure::Closed, QStringLiteral("closed by the projector"));
        return;
    case Phase::Ready:
        m_idleTimer->stop();
        dropSocket();
        m_phase = Phase::Idle;
        return;
    case Phase::Idle:
    case Phase::Connecting:
    case Phase::Dead:
        return;
    }
}

void PJLinkSession::onTimer()
{
    const Phase phase = m_phase;
    dropSocket();
    m_phase = Phase::Idle;
    if (phase == Phase::Connecting)
        failAll(Failure::Unreachable, QStringLiteral("no connection"));
    else if (phase == Phase::Greeting)
        failAll(Failure::TimedOut, QStringLiteral("no greeting"));
    else if (phase == Phase::Waiting)
        failAll(Failure::TimedOut, QStringLiteral("no answer"));
}

void PJLinkSession::onReadyRead()
{
    QPointer<QTcpSocket> socket = m_socket;
    if (!socket)
        return;
    const QByteArray data = socket->readAll();
    for (const char c : data) {
        if (c == '\r') {
            const QByteArray line = m_in;
            const bool discarded = m_discarding;
            m_in.clear();
            m_discarding = false;
            if (!discarded)
                onLine(line);
            if (m_socket != socket)
                return; // the line ended this connection
        } else if (c == '\n' && m_in.isEmpty()) {
            continue; // a CR LF projector
        } else if (!m_discarding) {
            m_in.append(c);
            if (m_in.size() >= PJLinkReply::MaxLineBytes) {
                warnOnce(QStringLiteral("long"), PJLinkReply::problemName(PJLinkReply::Problem::TooLong));
                m_in.clear();
                m_discarding = true;
            }
        }
    }
}

void PJLinkSession::onLine(const QByteArray &line)
{
    const PJLinkReply reply = PJLinkReply::parse(line);
    switch (reply.kind()) {
    case PJLinkReply::Kind::Greeting:
        if (m_phase != Phase::Greeting)
            return;
        m_timer->stop();
        m_random = reply.needsAuth() ? reply.random() : QByteArray();
        m_phase = Phase::Ready;
        writeNext();
        return;
    case PJLinkReply::Kind::AuthFailed:
        m_authFailed = true;
        dropSocket();
        m_phase = Phase::Dead;
        m_timer->stop();
        if (PJLinkWarnOnce::first(m_host, QStringLiteral("auth")))
            OLOG_WARN() << "PJLink" << m_host << "Authentication failed";
        failAll(Failure::AuthFailed, QString());
        return;
    case PJLinkReply::Kind::Answer:
        if (m_phase == Phase::Waiting && !m_queue.isEmpty() && reply.answers(m_queue.first())) {
            answered(reply, QString::fromLatin1(line.left(7)) + reply.value());
            return;
        }
        warnOnce(QStringLiteral("echo"), QStringLiteral("answer to a request not asked"));
        return;
    case PJLinkReply::Kind::Invalid:
        warnOnce(PJLinkReply::problemName(reply.problem()), PJLinkReply::problemName(reply.problem()));
        return;
    }
}

void PJLinkSession::answered(const PJLinkReply &reply, const QString &line)
{
    const QString request = m_queue.takeFirst();
    m_retries = 0;
    m_timer->stop();
    m_phase = Phase::Ready;
    emit sendLog(QStringLiteral("<<") + m_host);
    emit sendLog(QStringLiteral("<<<") + line.simplified());
    emit sigCmdResult(m_host, line);
    emit sigReply(m_host, request, reply);
    if (m_phase == Phase::Ready)
        writeNext();
}

void PJLinkSession::writeNext()
{
    if (m_queue.isEmpty()) {
        m_idleTimer->start();
        finishBatch(true);
        emit sigIdle();
        return;
    }
    const QString request = m_queue.first();
    QByteArray bytes = request.toLatin1() + '\r';
    if (!m_random.isEmpty() && !m_digestSent) {
        bytes = PJLinkAuth::prefixed(m_random, m_password, bytes);
        m_digestSent = true;
    }
    m_phase = Phase::Waiting;
    m_timer->start(m_answerTimeoutMs);
    emit sendLog(QLatin1Char('>') + request.simplified());
    m_socket->write(bytes);
}

void PJLinkSession::failAll(Failure failure, const QString &reason)
{
    m_timer->stop();
    const QStringList failed = m_queue;
    m_queue.clear();
    m_retries = 0;
    if (failed.isEmpty())
        return;
    if (failure == Failure::AuthFailed) {
        emit sendLog(SessionFailure::Marker + m_host + QLatin1Char(' ') + failureText(failure));
    } else {
        const SessionFailure::Kind kind = failure == Failure::Unreachable ? SessionFailure::Kind::Unreachable
                                          : failure == Failure::TimedOut  ? SessionFailure::Kind::TimedOut
                                                                          : SessionFailure::Kind::Closed;
        emit sendLog(SessionFailure::line(kind, m_host, failed, 0, reason));
    }
    for (const QString &request : failed)
        emit sigFailed(m_host, request, failure);
    finishBatch(false);
}

void PJLinkSession::finishBatch(bool complete)
{
    if (!m_startTime.isValid())
        return;
    const QString stamp = m_startTime.toString(QStringLiteral("hh:mm:ss.zzz"));
    m_startTime = QTime();
    emit sendLog((complete ? QStringLiteral("--- <END> ---@") : QStringLiteral("--- <END>TimeOut ---@")) + stamp);
}

void PJLinkSession::warnOnce(const QString &kind, const QString &detail)
{
    if (PJLinkWarnOnce::first(m_host, kind))
        OLOG_WARN() << "PJLink" << m_host << "ignored:" << detail;
}
