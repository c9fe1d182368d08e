#include "app/orvlog/logger.h"

#include <QMutexLocker>
#include <QTime>

namespace OrvLogging {

Logger &Logger::instance()
{
    static Logger logger;
    return logger;
}

Logger::Logger() : mLevel(InfoLevel) {}

Logger::~Logger() = default;

void Logger::setLoggingLevel(Level newLevel)
{
    mLevel.store(newLevel, std::memory_order_relaxed);
}

Level Logger::loggingLevel() const
{
    return static_cast<Level>(mLevel.load(std::memory_order_relaxed));
}

void Logger::addDestination(DestinationPtr destination)
{
    Q_ASSERT_X(destination, "Logger::addDestination", "null destination");
    if (!destination)
        return;
    QMutexLocker locker(&mMutex);
    mDestinations.append(std::move(destination));
}

void Logger::removeDestination(const DestinationPtr &destination)
{
    QMutexLocker locker(&mMutex);
    mDestinations.removeAll(destination);
}

void Logger::write(const QString &message, Level level)
{
    if (loggingLevel() > level)
        return;
    const QString line =
        QStringLiteral("%1 %2 %3")
            .arg(levelText(level), QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")), message);

    QMutexLocker locker(&mMutex);
    for (const DestinationPtr &destination : qAsConst(mDestinations))
        destination->write(line, level);
}

} // namespace OrvLogging
