#pragma once

#include <QMetaType>
#include <QString>

// What the history remembers of one projector after a sweep: the table's
// cells that tell what happened to it, and whether it answered at all.
struct ProjectorState
{
    QString ip;
    bool reachable = false;
    QString power;     // the table's power code ("0" standby, "1" on, ...)
    QString errorCode; // four hexadecimal digits, "0000" or empty when fine
    int lampHours = -1; // -1: not known
    QString input;
    QString signal;
    // When this state was stored (seconds since the epoch); not part of the
    // comparison.
    qint64 storedAt = 0;

    bool hasError() const { return !errorCode.isEmpty() && errorCode != QLatin1String("0000"); }
    bool sameAs(const ProjectorState &other) const
    {
        return reachable == other.reachable && power == other.power && errorCode == other.errorCode &&
               lampHours == other.lampHours && input == other.input && signal == other.signal;
    }
};

Q_DECLARE_METATYPE(ProjectorState)
