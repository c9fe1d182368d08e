#include "automation/scriptwatchdog.h"

#include <QDeadlineTimer>
#include <QJSEngine>

ScriptWatchdog::ScriptWatchdog(QJSEngine *engine, QObject *parent) : QThread(parent), m_engine(engine)
{
}

ScriptWatchdog::~ScriptWatchdog()
{
    shutDown();
}

void ScriptWatchdog::setLimitMs(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_limitMs = qMax(1, ms);
    m_wake.wakeAll();
}

int ScriptWatchdog::limitMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_limitMs;
}

void ScriptWatchdog::setRunLimitMs(qint64 ms)
{
    QMutexLocker lock(&m_mutex);
    m_runLimitMs = qMax<qint64>(1, ms);
    m_wake.wakeAll();
}

qint64 ScriptWatchdog::runLimitMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_runLimitMs;
}

void ScriptWatchdog::begin()
{
    QMutexLocker lock(&m_mutex);
    ++m_run;
    m_reason = Reason::None;
    m_running = true;
    m_armed = true;
    m_since.start();
    m_runTime.start();
    m_wake.wakeAll();
}

void ScriptWatchdog::arm()
{
    QMutexLocker lock(&m_mutex);
    m_since.start();
    // Restarting the count only moves the deadline later: the sleeping
    // thread needs waking only when the hold starts counting again.
    if (!m_armed) {
        m_armed = true;
        m_wake.wakeAll();
    }
}

void ScriptWatchdog::disarm()
{
    QMutexLocker lock(&m_mutex);
    m_armed = false;
}

void ScriptWatchdog::end()
{
    QMutexLocker lock(&m_mutex);
    m_running = false;
    m_armed = false;
}

void ScriptWatchdog::stopNow(Reason reason)
{
    QMutexLocker lock(&m_mutex);
    if (m_running && m_reason == Reason::None)
        interrupt(reason);
}

ScriptWatchdog::Reason ScriptWatchdog::reason() const
{
    QMutexLocker lock(&m_mutex);
    return m_reason;
}

int ScriptWatchdog::wakeUps() const
{
    QMutexLocker lock(&m_mutex);
    return m_wakeUps;
}

void ScriptWatchdog::shutDown()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeAll();
    }
    wait();
}

void ScriptWatchdog::interrupt(Reason reason)
{
    m_reason = reason;
    // Under the lock: the GUI thread clears the interruption only after
    // end(), so it cannot be set again behind its back.
    m_engine->setInterrupted(true);
    emit sigStopped(m_run);
}

void ScriptWatchdog::run()
{
    QMutexLocker lock(&m_mutex);
    while (!m_stop) {
        if (!m_running || m_reason != Reason::None) {
            m_wake.wait(&m_mutex);
            ++m_wakeUps;
            continue;
        }
        const qint64 runLeft = m_runLimitMs - m_runTime.elapsed();
        const qint64 holdLeft = m_armed ? m_limitMs - m_since.elapsed() : runLeft;
        if (runLeft <= 0) {
            interrupt(Reason::RunLimit);
        } else if (holdLeft <= 0) {
            interrupt(Reason::Held);
        } else {
            m_wake.wait(&m_mutex, QDeadlineTimer(qMin(runLeft, holdLeft)));
            ++m_wakeUps;
        }
    }
}
