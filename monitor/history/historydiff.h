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
// A lamp counter ticks every hour a projector is on; a change of the lamp
// hours alone is stored at most every LampOnlySeconds, which is plenty for
// a lamp-life chart and keeps a year of a large fleet small.
class HistoryDiff
{
public:
    static constexpr qint64 LampOnlySeconds = 6 * 3600;

    struct Result
    {
        QVector<ProjectorState> changedStates;
        QVector<HistoryEvent> events;
    };

    static Result compare(const QHash<QString, ProjectorState> &lastStored, const QVector<ProjectorState> &sweep,
                          const QDateTime &time);
};
