#pragma once

#include <QString>

// The diagnostic log as the manager sets it up at start: every level, the
// debugger output first, then the rotating "OrvantoLOG.log" in the user data
// folder.
class StartupLog
{
public:
    static constexpr qint64 maxLogSizeBytes = 524288;
    static constexpr int maxOldLogCount = 2;

    // <userDataFolder>/OrvantoLOG.log
    static QString logFilePath(const QString &userDataFolder);

    // Writes the path as a plain debug message (the logger has no
    // destination yet), then installs both destinations.
    static void setUpLogger(const QString &logFilePath);
};
