#include "app/orvlog/filedestination.h"

#include "app/orvlog/errorstream.h"
#include "app/orvlog/nullrotationstrategy.h"

namespace OrvLogging {

FileDestination::FileDestination(const QString &filePath, RotationStrategyPtr rotationStrategy)
    : mFile(filePath), mRotationStrategy(std::move(rotationStrategy))
{
    if (!mRotationStrategy)
        mRotationStrategy = RotationStrategyPtr(new NullRotationStrategy);
    if (!openFile())
        reportProblem(QStringLiteral("OrvLog: could not open log file ") + filePath);
    mRotationStrategy->setInitialInfo(mFile);
}

FileDestination::~FileDestination() = default;

bool FileDestination::openFile()
{
    return mFile.open(QIODevice::WriteOnly | QIODevice::Text | mRotationStrategy->recommendedOpenModeFlag());
}

void FileDestination::write(const QString &message, Level level)
{
    Q_UNUSED(level)
    // Without an open file there is nothing to count or rotate: rotating would
    // rename whatever stands in the way (a folder, say) as if it were our log.
    if (!mFile.isOpen())
        return;

    mRotationStrategy->includeMessageInCalculation(message);
    if (mRotationStrategy->shouldRotate()) {
        mFile.close();
        mRotationStrategy->rotate();
        if (!openFile())
            reportProblem(QStringLiteral("OrvLog: could not reopen log file ") + mFile.fileName());
        mRotationStrategy->setInitialInfo(mFile);
        if (!mFile.isOpen())
            return;
    }

    mFile.write(QString(message + QLatin1Char('\n')).toUtf8());
    mFile.flush();
}

bool FileDestination::isValid()
{
    return mFile.isOpen();
}

QString FileDestination::type() const
{
    return QStringLiteral("file");
}

QString FileDestination::filePath() const
{
    return mFile.fileName();
}

} // namespace OrvLogging
