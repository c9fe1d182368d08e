#pragma once

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class QJSEngine;

// Stops a script that holds the GUI thread too long. The script runs on the
// GUI thread, so only another thread can notice: this one looks every
// 50 ms and interrupts the engine once the script has run for longer than
// the limit since it started or last reached a send or a wait.
class ScriptWatchdog : public QThread
{
    Q_OBJECT

public:
    static constexpr int DefaultLimitMs = 10000;

    explicit ScriptWatchdog(QJSEngine *engine, QObject *parent = nullptr);
    ~ScriptWatchdog() override;

    void setLimitMs(int ms);
    int limitMs() const;

    // A script starts: count from now, nothing fired yet.
    void begin();
    // The script reaches a send or comes back from a wait: count from now.
    void arm();
    // The script waits in the event loop, or has ended: do not count.
    void disarm();
    // Whether the engine was interrupted since begin().
    bool fired() const;
    // Ends the thread (also done by the destructor).
    void shutDown();

protected:
    void run() override;

private:
    QJSEngine *m_engine;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QElapsedTimer m_since;
    int m_limitMs = DefaultLimitMs;
    bool m_armed = false;
    bool m_fired = false;
    bool m_stop = false;
};
