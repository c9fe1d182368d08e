#pragma once

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class QJSEngine;

// Stops a script that runs too long. The script runs on the GUI thread, so
// only another thread can notice: this one interrupts the engine once the
// script has held the GUI thread for longer than the hold limit since it
// started or last reached a send or a wait, or once the whole run has lasted
// longer than the run limit (waits included). The thread sleeps until the
// next of these deadlines, and without a script until one starts.
class ScriptWatchdog : public QThread
{
    Q_OBJECT

public:
    static constexpr int DefaultLimitMs = 10000;
    static constexpr qint64 DefaultRunLimitMs = 10 * 60 * 1000;

    enum class Reason
    {
        None,
        Held,     // held the GUI thread too long
        RunLimit, // the whole run took too long
        Operator  // stopped by hand
    };

    explicit ScriptWatchdog(QJSEngine *engine, QObject *parent = nullptr);
    ~ScriptWatchdog() override;

    void setLimitMs(int ms);
    int limitMs() const;
    void setRunLimitMs(qint64 ms);
    qint64 runLimitMs() const;

    // A script starts: count from now, nothing fired yet.
    void begin();
    // The script reaches a send or comes back from a wait: count from now.
    void arm();
    // The script waits in the event loop: do not count the hold.
    void disarm();
    // The script has ended: nothing to watch.
    void end();
    // Interrupts the running script now (from any thread).
    void stopNow(Reason reason);
    // Why the engine was interrupted since begin(); None when it was not.
    Reason reason() const;
    // How often the thread woke up (it should not while no script runs).
    int wakeUps() const;
    // Ends the thread (also done by the destructor).
    void shutDown();

signals:
    // The script of that run was interrupted; delivered to the GUI thread
    // so that a wait the script is in can be ended there.
    void sigStopped(quint64 run);

protected:
    void run() override;

private:
    // Under m_mutex.
    void interrupt(Reason reason);

    QJSEngine *m_engine;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QElapsedTimer m_since;
    QElapsedTimer m_runTime;
    int m_limitMs = DefaultLimitMs;
    qint64 m_runLimitMs = DefaultRunLimitMs;
    quint64 m_run = 0;
    int m_wakeUps = 0;
    Reason m_reason = Reason::None;
    bool m_running = false;
    bool m_armed = false;
    bool m_stop = false;
};
