#pragma once

// Diagnostic log of the manager: include this one header.
//
//   OLOG_INFO() << "Found Config Path:" << path;
//
// writes "INFO  hh:mm:ss.zzz <file>@<line> Found Config Path: "<path>" " to
// every destination of the logger. Below the logger's level the streamed
// expressions are not even evaluated.

#include "app/orvlog/destination.h"
#include "app/orvlog/destinationfactory.h"
#include "app/orvlog/level.h"
#include "app/orvlog/logger.h"
#include "app/orvlog/logwriter.h"
#include "app/orvlog/maxoldlogcount.h"
#include "app/orvlog/maxsizebytes.h"

#define ORVLOG_VERSION "2.1"

namespace OrvLogging {

inline QString version()
{
    return QStringLiteral(ORVLOG_VERSION);
}

} // namespace OrvLogging

#define ORVLOG_ORIGIN __FILE__ "@" QT_STRINGIFY(__LINE__)

// The level is tested before the writer exists, so nothing is formatted for
// a line that would be dropped anyway.
#define ORVLOG_AT_LEVEL(level)                                                                                         \
    (OrvLogging::Logger::instance().loggingLevel() > (level))                                                          \
        ? (void)0                                                                                                      \
        : OrvLogging::LogWriterVoidify() & OrvLogging::LogWriter(level).stream() << ORVLOG_ORIGIN

#define OLOG_TRACE() ORVLOG_AT_LEVEL(OrvLogging::TraceLevel)
#define OLOG_DEBUG() ORVLOG_AT_LEVEL(OrvLogging::DebugLevel)
#define OLOG_INFO() ORVLOG_AT_LEVEL(OrvLogging::InfoLevel)
#define OLOG_WARN() ORVLOG_AT_LEVEL(OrvLogging::WarnLevel)
#define OLOG_ERROR() ORVLOG_AT_LEVEL(OrvLogging::ErrorLevel)
#define OLOG_FATAL() ORVLOG_AT_LEVEL(OrvLogging::FatalLevel)
