#include "monitor/powerstateprobe.h"

#include "monitor/powerswitchrule.h"
#include "net/answerline.h"
#include "net/powerstate.h"

#include <QTcpSocket>
#include <QTimer>

PowerStateProbe::PowerStateProbe(QObject *parent)
    : QObject(parent), m_socket(new QTcpSocket(this)), m_wait(new QTimer(this))
{
    m_wait->setSingleShot(true);
    connect(m_wait, &QTimer::timeout, this, &PowerStateProbe::onWaitOver);
    connect(m_socket, &QTcpSocket::connected, this, &PowerStateProbe::onConnected);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &PowerStateProbe::onBytesWritten);
    connect(m_socket, &QTcpSocket::readyRead, this, &PowerStateProbe::onReadyRead);
    // Refused, unreachable, or hung up before answering.
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this]() { finish(PowerState::NoAnswer); });
}

void PowerStateProbe::start(const QString &ip, quint16 port, const QString &query)
{
    if (m_phase != Phase::Idle)
        return;
    m_query = query.toLatin1() + "\r\n";
    m_phase = Phase::Connecting;
    m_wait->start(m_waitMs);
    m_socket->connectToHost(ip, port);
}

void PowerStateProbe::onConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_phase = Phase::Writing;
    m_wait->start(m_waitMs);
    m_socket->write(m_query);
}

void PowerStateProbe::onBytesWritten()
{
    if (m_phase != Phase::Writing || m_socket->bytesToWrite() > 0)
        return;
    m_phase = Phase::Reading;
    m_wait->start(m_waitMs);
}

void PowerStateProbe::onReadyRead()
{
    if (m_phase != Phase::Writing && m_phase != Phase::Reading)
        return;
    const QByteArray bytes = m_socket->read(MaxAnswerBytes);
    finish(PowerSwitchRule::codeFromAnswer(AnswerLine::textFromWire(bytes)));
}

void PowerStateProbe::onWaitOver()
{
    if (m_phase == Phase::Writing) {
        // The write wait is over; what the projector says within the read
        // wait still counts.
        m_phase = Phase::Reading;
        m_wait->start(m_waitMs);
        return;
    }
    finish(PowerState::NoAnswer);
}

void PowerStateProbe::finish(int code)
{
    if (m_phase == Phase::Done || m_phase == Phase::Idle)
        return;
    m_phase = Phase::Done;
    m_wait->stop();
    m_socket->abort();
    emit finished(code);
}
