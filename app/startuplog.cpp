#include "app/startuplog.h"

#include "app/appinfo.h"
#include "app/orvlog/OrvLog.h"

#include <QDebug>

QString StartupLog::logFilePath(const QString &userDataFolder)
{
    return userDataFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral("LOG.log");
}

void StartupLog::setUpLogger(const QString &logFilePath)
{
    using namespace OrvLogging;
    Logger &logger = Logger::instance();
    logger.setLoggingLevel(TraceLevel);
    qDebug() << logFilePath;
    DestinationPtr file = DestinationFactory::MakeFileDestination(
        logFilePath, EnableLogRotation, MaxSizeBytes(maxLogSizeBytes), MaxOldLogCount(maxOldLogCount));
    DestinationPtr debug = DestinationFactory::MakeDebugOutputDestination();
    logger.addDestination(debug);
    logger.addDestination(file);
}
