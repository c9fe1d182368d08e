#pragma once

#include <QString>

#include <functional>

// Keeps a projector from being flooded with single commands: the control
// panel fires one command per slider step and several tab handlers may
// produce the same command, so a second single command to the same address
// within 300 ms of the previous attempt is dropped. A different address is
// never held back. Batches do not pass through here.
//
// The clock is the time of day in milliseconds. The difference between two
// attempts is taken modulo one day, so a pair of sends a few milliseconds
// apart on either side of midnight still counts as close together, while a
// send hours after the previous one is never mistaken for a repeat.
class SingleSendDebounce
{
public:
    enum class Verdict
    {
        Send,   // go ahead; the address is remembered
        Drop,   // same address too soon after the previous attempt
        Ignore, // empty address or command: nothing to send, state untouched
    };

    static constexpr int IntervalMs = 300;
    static constexpr int DayMs = 24 * 60 * 60 * 1000;

    // Milliseconds since midnight; a negative value stands for an invalid
    // clock and counts as 0.
    using Clock = std::function<int()>;

    SingleSendDebounce();
    explicit SingleSendDebounce(Clock clock);

    // Decides about one single command and updates the state. The time of
    // the attempt is remembered even when the command is dropped, so a burst
    // of repeats keeps being dropped until the address has been quiet for
    // the whole interval. On Drop the "sendMyTcpCmd" "TimeDiff Skiped:" debug
    // line is written; the difference is also returned through difference.
    Verdict admit(const QString &ip, const QString &command, int *difference = nullptr);

    // The difference computed by the last admit() that was not ignored.
    int lastDifference() const { return m_lastDifference; }
    const QString &lastIp() const { return m_lastIp; }

    // Wall-clock time of day, the default clock.
    static int systemTimeOfDay();

private:
    Clock m_clock;
    QString m_lastIp;
    int m_lastTime = 0;
    int m_lastDifference = 0;
};
