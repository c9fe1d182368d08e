#pragma once

#include "app/orvlog/destination.h"
#include "app/orvlog/level.h"

#include <QMutex>
#include <QVector>

#include <atomic>

namespace OrvLogging {

// The one logger of the process. Lines are written in the calling thread;
// the mutex keeps lines whole and hands them to the destinations in the
// order in which those were added.
class Logger
{
public:
    static Logger &instance();

    void setLoggingLevel(Level newLevel);
    Level loggingLevel() const;

    // A null destination is a programming error.
    void addDestination(DestinationPtr destination);
    void removeDestination(const DestinationPtr &destination);

    // Builds the line "<level text> <hh:mm:ss.zzz> <message>" and hands it to
    // every destination. Nothing happens below the logging level.
    void write(const QString &message, Level level);

private:
    Logger();
    ~Logger();
    Q_DISABLE_COPY(Logger)

    QMutex mMutex;
    std::atomic<int> mLevel;
    QVector<DestinationPtr> mDestinations;
};

} // namespace OrvLogging
