#pragma once

#include "app/orvlog/destination.h"
#include "app/orvlog/maxoldlogcount.h"
#include "app/orvlog/maxsizebytes.h"

namespace OrvLogging {

enum LogRotationOption
{
    DisableLogRotation = 0,
    EnableLogRotation = 1
};

class DestinationFactory
{
public:
    // With rotation the file is appended to and rotated by size; without it
    // the file is emptied on opening and grows without limit.
    static DestinationPtr MakeFileDestination(const QString &filePath, LogRotationOption rotation = DisableLogRotation,
                                              const MaxSizeBytes &sizeInBytesToRotateAfter = MaxSizeBytes(),
                                              const MaxOldLogCount &oldLogsToKeep = MaxOldLogCount());
    static DestinationPtr MakeDebugOutputDestination();

    DestinationFactory() = delete;
};

} // namespace OrvLogging
