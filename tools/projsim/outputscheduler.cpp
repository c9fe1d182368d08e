#include "outputscheduler.h"

#include <QAbstractSocket>
#include <QIODevice>
#include <QTimer>

OutputScheduler::OutputScheduler(QIODevice *device, QObject *parent)
    : QObject(parent), m_device(device), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // Delays are what the tests measure: a coarse timer may fire 5 % early.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &OutputScheduler::writeStep);
}

void OutputScheduler::enqueue(const QByteArray &bytes, int pauseBeforeMs)
{
    m_steps.enqueue(Step{bytes, qMax(0, pauseBeforeMs), false});
    runNext();
}

void OutputScheduler::enqueueClose()
{
    m_steps.enqueue(Step{QByteArray(), 0, true});
    runNext();
}

bool OutputScheduler::isIdle() const
{
    return !m_waiting && m_steps.isEmpty();
}

void OutputScheduler::runNext()
{
    while (!m_waiting && !m_steps.isEmpty()) {
        if (m_steps.head().pauseBeforeMs > 0) {
            m_waiting = true;
            m_timer->start(m_steps.head().pauseBeforeMs);
            return;
        }
        writeStep();
    }
}

void OutputScheduler::writeStep()
{
    m_waiting = false;
    if (m_steps.isEmpty())
        return;
    const Step step = m_steps.dequeue();
    if (step.close) {
        m_steps.clear();
        emit closeRequested();
        return;
    }
    if (!step.bytes.isEmpty() && m_device->isOpen()) {
        m_device->write(step.bytes);
        // Push the bytes out now: a split answer must leave as two segments.
        if (auto *socket = qobject_cast<QAbstractSocket *>(m_device))
            socket->flush();
    }
    runNext();
}
