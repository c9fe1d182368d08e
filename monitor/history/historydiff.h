#pragma once

#include "monitor/history/historyevent.h"
#include "monitor/history/projectorstate.h"

#include <QDateTime>
#include <QHash>
#include <QVector>

// Decides what a sweep adds to the history: the states that differ from the
// last stored state of their projector, and the events those differences
// mean. A projector seen for the first time stores its state without events
// (nothing "changed" from an unknown past). A projector that did not answer
// keeps its last power, error and lamp values: only "reachable" changes.
class HistoryDiff
{
public:
    struct Result
    {
        QVector<ProjectorState> changedStates;
        QVector<HistoryEvent> events;
    };

    static Result compare(const QHash<QString, ProjectorState> &lastStored, const QVector<ProjectorState> &sweep,
                          const QDateTime &time);
};
