#include "net/projectorquestion.h"

#include "app/orvlog/OrvLog.h"
#include "net/answerline.h"
#include "net/powerstate.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

thread_local int t_waiting = 0;

class WaitingCount
{
public:
    WaitingCount() { ++t_waiting; }
    ~WaitingCount() { --t_waiting; }
    WaitingCount(const WaitingCount &) = delete;
    WaitingCount &operator=(const WaitingCount &) = delete;
};

} // namespace

void ProjectorQuestion::setWaits(int connectMs, int writeMs, int readMs)
{
    m_connectMs = qMax(0, connectMs);
    m_writeMs = qMax(0, writeMs);
    m_readMs = qMax(0, readMs);
}

int ProjectorQuestion::waitingQuestions()
{
    return t_waiting;
}

QStringList ProjectorQuestion::ask(const QString &ip, quint16 port, const QString &command) const
{
    // Copied first: nothing below touches the object once the loop runs.
    const int connectMs = m_connectMs;
    const int writeMs = m_writeMs;
    const int readMs = m_readMs;
    const QEventLoop::ProcessEventsFlags flags = m_loopFlags;

    if (t_waiting >= MaxNesting) {
        OLOG_WARN() << "getPjAnserBlocked" << ip << "refused:" << t_waiting << "questions already waiting";
        return QStringList();
    }
    const WaitingCount waiting;

    enum class Phase
    {
        Connecting,
        Writing,
        Reading,
        Done
    };
    Phase phase = Phase::Connecting;
    bool connected = false;
    QByteArray answer;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QTcpSocket socket;

    const auto finish = [&]() {
        if (phase == Phase::Done)
            return;
        if (connected)
            answer = socket.readAll();
        phase = Phase::Done;
        timer.stop();
        loop.quit();
    };
    const auto startReading = [&]() {
        phase = Phase::Reading;
        timer.start(readMs);
    };

    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&]() {
        if (phase != Phase::Connecting)
            return;
        connected = true;
        phase = Phase::Writing;
        timer.start(writeMs);
        // A failed write is not the end: whatever the projector says within
        // the read wait still counts.
        if (socket.write(command.toLatin1()) <= 0)
            startReading();
    });
    QObject::connect(&socket, &QTcpSocket::bytesWritten, &loop, [&]() {
        if (phase == Phase::Writing && socket.bytesToWrite() == 0)
            startReading();
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&]() {
        if (phase == Phase::Writing || phase == Phase::Reading)
            finish();
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, [&]() {
        // Refused or unreachable while connecting; hung up or broken later.
        finish();
    });
    QObject::connect(&timer, &QTimer::timeout, &loop, [&]() {
        switch (phase) {
        case Phase::Writing:
            startReading();
            break;
        case Phase::Connecting:
        case Phase::Reading:
            finish();
            break;
        case Phase::Done:
            break;
        }
    });

    timer.start(connectMs);
    socket.connectToHost(ip, port);
    if (phase != Phase::Done)
        loop.exec(flags);
    // The loop can also end from outside (the application quitting): the
    // question then ends with whatever has arrived.
    finish();

    // Closing reports state changes; none of them concerns this question now.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    QObject::disconnect(&timer, nullptr, &loop, nullptr);
    socket.close();

    if (!connected)
        return QStringList();
    const QStringList parts = AnswerLine::splitAnswer(AnswerLine::textFromWire(answer));
    OLOG_DEBUG() << "getPjAnserBlocked" << ip << parts.join(QLatin1String(", "));
    return parts;
}

int ProjectorQuestion::powerState(const QString &ip, quint16 port, const QString &query, bool sendingEnabled) const
{
    if (!sendingEnabled)
        return PowerState::SendingDisabled;
    return PowerState::fromAnswerParts(ask(ip, port, query + QLatin1String("\r\n")));
}
