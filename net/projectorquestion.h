#pragma once

#include <QEventLoop>
#include <QString>
#include <QStringList>

// A question to one projector whose answer the caller needs at once (the
// power state before All On / All Off, the power toggle of the panel keys).
//
// ask() returns only when the answer is in or the waits are over, but it
// never blocks the thread: the socket works asynchronously and a local event
// loop bounded by a timer keeps timers, sockets and painting going while the
// caller waits. By default keyboard and mouse input is held back until the
// question ends (it is delivered afterwards, not lost), so the operator
// cannot close the window or start the same action again underneath a
// waiting caller.
//
// Questions may nest: a timer slot that runs inside the local loop may ask a
// question of its own. Every question owns its socket, timer and loop on the
// stack, so the two never see each other's bytes; the inner one returns
// first, and the outer one returns its own answer as soon as control comes
// back to it (its waits keep running meanwhile, so it can never take longer
// than the inner question's waits on top of its own). Beyond MaxNesting
// questions waiting at once a further one is refused with an empty list, the
// same result as a projector that cannot be reached.
//
// The object only holds settings; ask() copies them before it waits, so the
// object may even be destroyed by a slot running inside the wait.
class ProjectorQuestion
{
public:
    static constexpr int DefaultWaitMs = 3000;
    static constexpr int MaxNesting = 8;

    ProjectorQuestion() = default;

    // The three waits of a question: for the connection, for the command to
    // be written, for the answer to arrive. Negative values count as 0.
    void setWaits(int connectMs, int writeMs, int readMs);
    int connectWaitMs() const { return m_connectMs; }
    int writeWaitMs() const { return m_writeMs; }
    int readWaitMs() const { return m_readMs; }

    // Which events the local loop processes while waiting.
    void setLoopFlags(QEventLoop::ProcessEventsFlags flags) { m_loopFlags = flags; }
    QEventLoop::ProcessEventsFlags loopFlags() const { return m_loopFlags; }

    // Sends command (Latin-1, exactly as given: the caller appends "\r\n")
    // and returns the first answer that arrives, cut at its first NUL byte
    // and split at "=" with empty parts kept. A projector that cannot be
    // reached gives an empty list; one that connects but stays silent or
    // hangs up gives one empty part. Only what has arrived by the first read
    // notification counts as the answer.
    QStringList ask(const QString &ip, quint16 port, const QString &command) const;

    // Power-state code (see PowerState) of the projector: SendingDisabled
    // without any network traffic when sendingEnabled is false; otherwise the
    // answer to query (the catalogue's "Projector Status" query, without line
    // end: "\r\n" is appended here).
    int powerState(const QString &ip, quint16 port, const QString &query, bool sendingEnabled) const;

    // Questions now waiting on this thread (0 outside any question).
    static int waitingQuestions();

private:
    int m_connectMs = DefaultWaitMs;
    int m_writeMs = DefaultWaitMs;
    int m_readMs = DefaultWaitMs;
    QEventLoop::ProcessEventsFlags m_loopFlags = QEventLoop::ExcludeUserInputEvents;
};
