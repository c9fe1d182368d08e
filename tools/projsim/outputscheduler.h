#pragma once

#include <QByteArray>
#include <QObject>
#include <QQueue>

class QIODevice;
class QTimer;

// Writes answers to a connection one step after the other, each step after
// its own pause, so that delayed, split and slow answers keep their order
// and never run into each other.
class OutputScheduler : public QObject
{
    Q_OBJECT
public:
    explicit OutputScheduler(QIODevice *device, QObject *parent = nullptr);

    // Queues bytes to be written after a pause (empty bytes: pause only).
    void enqueue(const QByteArray &bytes, int pauseBeforeMs = 0);
    // Queues the end of the connection after everything queued so far.
    void enqueueClose();
    bool isIdle() const;

signals:
    void closeRequested();

private:
    struct Step
    {
        QByteArray bytes;
        int pauseBeforeMs = 0;
        bool close = false;
    };

    void runNext();
    void writeStep();

    QIODevice *m_device;
    QTimer *m_timer;
    QQueue<Step> m_steps;
    bool m_waiting = false;
};
