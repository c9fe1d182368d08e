#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM/SIGINT and the end of standard input into one signal that
// the event loop can act on (a parent test that dies closes our stdin, so
// no simulator outlives its test).
class ShutdownWatcher : public QObject
{
    Q_OBJECT
public:
    explicit ShutdownWatcher(QObject *parent = nullptr);
    ~ShutdownWatcher() override;

signals:
    void shutdownRequested();

private:
    void watchSignals();
    void watchStandardInput();

    QSocketNotifier *m_signalNotifier = nullptr;
    QSocketNotifier *m_stdinNotifier = nullptr;
};
