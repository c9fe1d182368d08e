#include "net/sessionpool.h"

#include <QTimer>

SessionPool::SessionPool(QObject *parent) : QObject(parent) {}

void SessionPool::setLimit(int limit)
{
    m_limit = qMax(1, limit);
    schedulePump();
}

void SessionPool::submit(Starter starter, const QObject *context, Lane lane)
{
    if (!starter)
        return;
    Waiting entry;
    entry.starter = std::move(starter);
    entry.context = context;
    entry.hasContext = context != nullptr;
    (lane == Lane::Operator ? m_operatorWaiting : m_waiting).push_back(std::move(entry));
    schedulePump();
}

void SessionPool::release(QObject *session)
{
    const auto it = m_holders.find(session);
    if (it == m_holders.end())
        return;
    QObject::disconnect(it.value());
    m_holders.erase(it);
    schedulePump();
}

void SessionPool::schedulePump()
{
    if (m_pumpQueued || (m_waiting.empty() && m_operatorWaiting.empty()) || int(m_holders.size()) >= m_limit)
        return;
    m_pumpQueued = true;
    QTimer::singleShot(0, this, &SessionPool::pump);
}

void SessionPool::pump()
{
    m_pumpQueued = false;
    while ((!m_waiting.empty() || !m_operatorWaiting.empty()) && int(m_holders.size()) < m_limit) {
        std::deque<Waiting> &lane = m_operatorWaiting.empty() ? m_waiting : m_operatorWaiting;
        Waiting entry = std::move(lane.front());
        lane.pop_front();
        if (entry.hasContext && !entry.context)
            continue;
        QPointer<SessionPool> guard(this);
        QObject *session = entry.starter();
        if (!guard)
            return;
        // A session that is already over (released or gone inside its
        // starter) holds nothing; one still running holds its slot until
        // it is released or destroyed.
        if (!session || m_holders.contains(session))
            continue;
        m_holders.insert(session, connect(session, &QObject::destroyed, this, [this, session] { release(session); }));
        m_peak = qMax(m_peak, int(m_holders.size()));
    }
}
