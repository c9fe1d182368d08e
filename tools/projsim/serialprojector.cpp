#include "serialprojector.h"

#include "outputscheduler.h"
#include "projectorstate.h"

namespace {
constexpr int kPartialPauseMs = 100;
}

SerialProjector::SerialProjector(const QString &portName, ProjectorState *state, QObject *parent)
    : QObject(parent), m_port(new QSerialPort(portName, this)), m_state(state),
      m_output(new OutputScheduler(m_port, this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialProjector::readRequests);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError)
            emit portLost();
    });
}

bool SerialProjector::open(QString *error)
{
    if (!m_port->open(QIODevice::ReadWrite)) {
        *error = m_port->errorString();
        return false;
    }
    const bool ok = m_port->setBaudRate(m_baud) && m_port->setDataBits(QSerialPort::Data8) &&
                    m_port->setParity(QSerialPort::NoParity) && m_port->setStopBits(QSerialPort::OneStop) &&
                    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        *error = m_port->errorString();
        m_port->close();
        return false;
    }
    return true;
}

void SerialProjector::readRequests()
{
    const QList<QByteArray> lines = m_lines.feed(m_port->readAll());
    for (const QByteArray &line : lines)
        handleLine(line);
}

void SerialProjector::handleLine(const QByteArray &line)
{
    const QByteArray echo = m_echo ? line + "\r\n" : QByteArray();
    const QString answerText = m_state->answer(QString::fromLatin1(line));
    const QByteArray answer = answerText.isEmpty() ? QByteArray() : answerText.toLatin1() + "\r\n";
    if (m_burst) {
        m_output->enqueue(echo + answer, m_slowMs);
        return;
    }
    if (!echo.isEmpty())
        m_output->enqueue(echo);
    if (answer.isEmpty())
        return;
    if (m_partial) {
        const int half = answer.size() / 2;
        m_output->enqueue(answer.left(half), m_slowMs);
        m_output->enqueue(answer.mid(half), kPartialPauseMs);
    } else {
        m_output->enqueue(answer, m_slowMs);
    }
}
