#include "monitor/history/historydiff.h"

namespace {

ProjectorState carriedOver(const ProjectorState &last, const ProjectorState &now)
{
    if (now.reachable)
        return now;
    ProjectorState kept = last;
    kept.reachable = false;
    return kept;
}

} // namespace

HistoryDiff::Result HistoryDiff::compare(const QHash<QString, ProjectorState> &lastStored,
                                         const QVector<ProjectorState> &sweep, const QDateTime &time)
{
    Result result;
    for (const ProjectorState &seen : sweep) {
        const auto last = lastStored.constFind(seen.ip);
        if (last == lastStored.constEnd()) {
            result.changedStates.append(seen);
            result.changedStates.last().storedAt = time.toSecsSinceEpoch();
            continue;
        }
        ProjectorState now = carriedOver(*last, seen);
        if (now.sameAs(*last))
            continue;
        ProjectorState lampOnly = *last;
        lampOnly.lampHours = now.lampHours;
        if (lampOnly.sameAs(now) && time.toSecsSinceEpoch() - last->storedAt < LampOnlySeconds)
            continue;
        now.storedAt = time.toSecsSinceEpoch();
        result.changedStates.append(now);
        auto event = [&](HistoryEvent::Kind kind, const QString &detail) {
            result.events.append(HistoryEvent{seen.ip, time, kind, detail});
        };
        if (last->reachable && !now.reachable)
            event(HistoryEvent::ProjectorLost, QString());
        else if (!last->reachable && now.reachable)
            event(HistoryEvent::ProjectorBack, QString());
        if (!now.reachable)
            continue;
        if (now.errorCode != last->errorCode) {
            if (last->hasError() && !now.hasError())
                event(HistoryEvent::ErrorCleared, last->errorCode);
            else if (now.hasError())
                event(HistoryEvent::ErrorAppeared, now.errorCode);
        }
        if (now.power != last->power && !now.power.isEmpty())
            event(HistoryEvent::PowerChanged, now.power);
    }
    return result;
}
