#pragma once

#include <QObject>
#include <QStringList>

class ProjectorState;
class QTimer;

// Makes a projector's status change over time, as a real one in a hall
// does: every period it steps through a round of faults, each cleared
// again at the next step (error code 0612, cleared, 1020, cleared, ...).
// A fault puts the projector into the error state; clearing it returns it
// to standby.
class StatusDrift : public QObject
{
    Q_OBJECT
public:
    StatusDrift(ProjectorState *state, int periodMs, QObject *parent = nullptr);

    // The codes of one round, "0" standing for "cleared".
    static QStringList round();

private:
    void step();

    ProjectorState *m_state;
    QTimer *m_timer;
    int m_next = 0;
};
