#include "net/batchprogress.h"

#include <limits>

BatchProgress::BatchProgress(QObject *parent) : QObject(parent) {}

void BatchProgress::start(int count)
{
    m_counter = 1;
    m_expected = count;
    emit sigStarted(count, 1);
}

void BatchProgress::advance()
{
    emit sigValue(m_counter);
    // Single commands advance the counter too, without any batch running;
    // over a long session that must not overflow.
    if (m_counter < std::numeric_limits<int>::max())
        ++m_counter;
    if (m_counter > m_expected) {
        const bool batchEnded = m_expected > 0;
        // Cleared before anyone hears about the end, so that a listener that
        // starts the next batch right away keeps its own expectation.
        m_expected = 0;
        emit sigHide();
        if (batchEnded)
            emit sigEndStatusBar();
    }
}
