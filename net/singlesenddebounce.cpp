#include "net/singlesenddebounce.h"

#include "app/orvlog/OrvLog.h"

#include <QTime>

#include <utility>

SingleSendDebounce::SingleSendDebounce() : m_clock(&SingleSendDebounce::systemTimeOfDay) {}

SingleSendDebounce::SingleSendDebounce(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = &SingleSendDebounce::systemTimeOfDay;
}

int SingleSendDebounce::systemTimeOfDay()
{
    const QTime now = QTime::currentTime();
    return now.isValid() ? now.msecsSinceStartOfDay() : 0;
}

SingleSendDebounce::Verdict SingleSendDebounce::admit(const QString &ip, const QString &command, int *difference)
{
    if (ip.isEmpty() || command.isEmpty())
        return Verdict::Ignore;

    int now = m_clock();
    if (now < 0)
        now = 0;
    now %= DayMs;

    // Past midnight the plain difference turns negative; bring it back into
    // one day so that it is the real time elapsed since the last attempt.
    int diff = (now - m_lastTime) % DayMs;
    if (diff < 0)
        diff += DayMs;
    m_lastTime = now;
    m_lastDifference = diff;
    if (difference)
        *difference = diff;

    if (diff >= IntervalMs || ip != m_lastIp) {
        m_lastIp = ip;
        return Verdict::Send;
    }
    OLOG_DEBUG() << "sendMyTcpCmd"
                 << "TimeDiff Skiped:" << diff;
    return Verdict::Drop;
}
