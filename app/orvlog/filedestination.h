#pragma once

#include "app/orvlog/destination.h"
#include "app/orvlog/rotationstrategy.h"

#include <QFile>

namespace OrvLogging {

// Appends every line to a UTF-8 text file and flushes it at once, so that a
// crash loses nothing already logged. The rotation strategy decides when the
// file is full. A file that cannot be opened swallows its lines; the other
// destinations of the logger go on working.
class FileDestination final : public Destination
{
public:
    // A null strategy means no rotation (see NullRotationStrategy).
    FileDestination(const QString &filePath, RotationStrategyPtr rotationStrategy);
    ~FileDestination() override;

    void write(const QString &message, Level level) override;
    bool isValid() override;
    QString type() const override;

    QString filePath() const;

private:
    bool openFile();

    QFile mFile;
    RotationStrategyPtr mRotationStrategy;
};

} // namespace OrvLogging
