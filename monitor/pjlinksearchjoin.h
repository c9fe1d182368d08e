#pragma once

#include <QObject>

class CommandDispatch;
class PJLinkMonitor;
class TargetSearch;

// PJLink detection inside the target search and the start-up check: every
// address that does not take a connection on the op port is probed on the
// PJLink port for its greeting, beside the scan (the probes have their own
// pool of the same size as the scan's, so the scan never waits for them).
// A PJLink projector counts as connected like an op one: those known when
// the scan ends are in its result, later ones are added as they greet.
class PJLinkSearchJoin : public QObject
{
    Q_OBJECT
public:
    PJLinkSearchJoin(PJLinkMonitor *monitor, TargetSearch *search, CommandDispatch *dispatch,
                     QObject *parent = nullptr);
};
