#pragma once

#include <QString>

namespace OrvLogging {

// Severity of a diagnostic line; a message is written only when its level is
// at least the logger's level, so the order of the values matters.
enum Level
{
    TraceLevel = 0,
    DebugLevel,
    InfoLevel,
    WarnLevel,
    ErrorLevel,
    FatalLevel,
    OffLevel
};

// The text a line carries for its level. Every text is five characters wide
// so that the columns of the log file line up; OffLevel has none.
QString levelText(Level level);

} // namespace OrvLogging
