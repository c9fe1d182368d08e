#pragma once

#include "linesplitter.h"

#include <QObject>
#include <QSerialPort>

class OutputScheduler;
class ProjectorState;

// A projector on an RS-232 line (here: one end of a pseudo-terminal pair).
// Like the real ones it echoes every command line it receives before the
// answer; the echo and the answer's timing can be varied to exercise the
// bridge's framing.
class SerialProjector : public QObject
{
    Q_OBJECT
public:
    SerialProjector(const QString &portName, ProjectorState *state, QObject *parent = nullptr);

    void setBaudRate(qint32 baud) { m_baud = baud; }
    void setEcho(bool on) { m_echo = on; }
    // Delay of every answer after its request.
    void setSlowMs(int ms) { m_slowMs = qMax(0, ms); }
    // Answer in two pieces with a pause between them.
    void setPartial(bool on) { m_partial = on; }
    // Echo and answer in one write.
    void setBurst(bool on) { m_burst = on; }

    bool open(QString *error);

signals:
    // The line went away (the other end of the pseudo-terminal closed).
    void portLost();

private:
    void readRequests();
    void handleLine(const QByteArray &line);

    QSerialPort *m_port;
    ProjectorState *m_state;
    OutputScheduler *m_output;
    LineSplitter m_lines;
    qint32 m_baud = 115200;
    bool m_echo = true;
    int m_slowMs = 0;
    bool m_partial = false;
    bool m_burst = false;
};
