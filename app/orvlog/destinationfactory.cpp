#include "app/orvlog/destinationfactory.h"

#include "app/orvlog/debugoutputdestination.h"
#include "app/orvlog/filedestination.h"
#include "app/orvlog/nullrotationstrategy.h"
#include "app/orvlog/sizerotationstrategy.h"

namespace OrvLogging {

DestinationPtr DestinationFactory::MakeFileDestination(const QString &filePath, LogRotationOption rotation,
                                                       const MaxSizeBytes &sizeInBytesToRotateAfter,
                                                       const MaxOldLogCount &oldLogsToKeep)
{
    RotationStrategyPtr strategy;
    if (rotation == EnableLogRotation) {
        auto sizeStrategy = QSharedPointer<SizeRotationStrategy>::create();
        sizeStrategy->setMaximumSizeInBytes(sizeInBytesToRotateAfter.size);
        sizeStrategy->setBackupCount(oldLogsToKeep.count);
        strategy = sizeStrategy;
    } else {
        strategy = QSharedPointer<NullRotationStrategy>::create();
    }
    return DestinationPtr(new FileDestination(filePath, strategy));
}

DestinationPtr DestinationFactory::MakeDebugOutputDestination()
{
    return DestinationPtr(new DebugOutputDestination);
}

} // namespace OrvLogging
