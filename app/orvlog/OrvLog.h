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

// The build passes the source tree's root (with a trailing "/") so that log
// lines name "app/main.cpp", the same on every build machine, instead of
// where the sources happened to lie when it was built.
#ifndef ORVLOG_SOURCE_ROOT
#define ORVLOG_SOURCE_ROOT ""
#endif

namespace OrvLogging {

// file without the root in front. A compiler cache may hand the compiler
// paths relative to the build folder instead ("../app/main.cpp"); from a
// build folder inside the tree, dropping the leading "../" and "./" steps
// leads to the same name.
constexpr const char *sourceRelativePath(const char *file, const char *root = ORVLOG_SOURCE_ROOT)
{
    const char *rest = file;
    for (; *root && *rest == *root; ++root, ++rest) {
    }
    if (*root == 0)
        return rest;
    rest = file;
    while (rest[0] == '.' && (rest[1] == '/' || (rest[1] == '.' && rest[2] == '/')))
        rest += rest[1] == '/' ? 2 : 3;
    return rest;
}

// "<source path>@<line>" as one item of the line.
struct SourceOrigin
{
    const char *file;
    const char *line;
};

inline QDebug operator<<(QDebug debug, const SourceOrigin &origin)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << origin.file << '@' << origin.line;
    return debug;
}

} // namespace OrvLogging

#define ORVLOG_ORIGIN                                                                                                  \
    OrvLogging::SourceOrigin                                                                                           \
    {                                                                                                                  \
        OrvLogging::sourceRelativePath(__FILE__), QT_STRINGIFY(__LINE__)                                               \
    }

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
