#include "automation/scriptwatchdog.h"

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
}

int ScriptWatchdog::limitMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_limitMs;
}

void ScriptWatchdog::begin()
{
    QMutexLocker lock(&m_mutex);
    m_fired = false;
    m_armed = true;
    m_since.start();
}

void ScriptWatchdog::arm()
{
    QMutexLocker lock(&m_mutex);
    m_armed = true;
    m_since.start();
}

void ScriptWatchdog::disarm()
{
    QMutexLocker lock(&m_mutex);
    m_armed = false;
}

bool ScriptWatchdog::fired() const
{
    QMutexLocker lock(&m_mutex);
    return m_fired;
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

void ScriptWatchdog::run()
{
    QMutexLocker lock(&m_mutex);
    while (!m_stop) {
        m_wake.wait(&m_mutex, 50);
        if (m_armed && !m_fired && m_since.elapsed() > m_limitMs) {
            m_fired = true;
            // Under the lock: the GUI thread clears the interruption only
            // after disarm(), so it cannot be set again behind its back.
            m_engine->setInterrupted(true);
        }
    }
}
