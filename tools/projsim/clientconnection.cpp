#include "clientconnection.h"

#include "outputscheduler.h"
#include "projectorstate.h"

#include <QTcpSocket>

ClientConnection::ClientConnection(QTcpSocket *socket, ProjectorState *state, const AddressMode &mode, QObject *parent)
    : QObject(parent), m_socket(socket), m_state(state), m_mode(mode), m_output(new OutputScheduler(socket, this))
{
    m_socket->setParent(this);
    // Every write leaves at once: split answers must stay two segments.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, &ClientConnection::readRequests);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(m_output, &OutputScheduler::closeRequested, this, [this] {
        m_socket->close();
        deleteLater();
    });
    // The client may already have sent its request with the handshake.
    if (m_socket->bytesAvailable() > 0)
        readRequests();
}

QByteArray ClientConnection::junk(int length)
{
    QByteArray bytes;
    bytes.reserve(length);
    quint32 x = 0x9e3779b9u;
    while (bytes.size() < length) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        const char c = char(x & 0xff);
        if (c != '\0')
            bytes.append(c);
    }
    return bytes;
}

void ClientConnection::readRequests()
{
    const QList<QByteArray> lines = m_lines.feed(m_socket->readAll());
    for (const QByteArray &line : lines) {
        if (m_closing)
            return;
        handleLine(line);
    }
}

void ClientConnection::handleLine(const QByteArray &line)
{
    ++m_requests;
    if (m_mode.kind() == AddressMode::Close && m_requests > m_mode.parameter()) {
        m_closing = true;
        m_output->enqueueClose();
        return;
    }
    // The state machine advances even when the answer is withheld.
    const QString answer = m_state->answer(QString::fromLatin1(line));
    if (answer.isEmpty())
        return;
    const QByteArray bytes = answer.toLatin1() + "\r\n";
    switch (m_mode.kind()) {
    case AddressMode::Silent:
        break;
    case AddressMode::Delay:
        m_output->enqueue(bytes, m_mode.parameter());
        break;
    case AddressMode::Split: {
        const int half = bytes.size() / 2;
        m_output->enqueue(bytes.left(half));
        m_output->enqueue(bytes.mid(half), m_mode.parameter());
        // Keep the next answer apart from this one's second half.
        m_output->enqueue(QByteArray(), m_mode.parameter());
        break;
    }
    case AddressMode::Nul:
        m_output->enqueue(answer.toLatin1() + '\0' + junk(6) + "\r\n");
        break;
    case AddressMode::Garbage:
        m_output->enqueue(junk(24));
        break;
    default:
        m_output->enqueue(bytes);
        break;
    }
}
