#pragma once

#include <QDateTime>
#include <QString>

// One thing that happened to a projector, as the history lists it.
struct HistoryEvent
{
    enum Kind
    {
        ErrorAppeared = 0,
        ErrorCleared = 1,
        PowerChanged = 2,
        ProjectorLost = 3,
        ProjectorBack = 4
    };

    QString ip;
    QDateTime time;
    Kind kind = PowerChanged;
    QString detail; // the new error code or power code; empty for lost / back

    // Stable words for the database and the CSV export (never translated).
    static QString kindKey(Kind kind);
    static bool kindFromKey(const QString &key, Kind *kind);
};
