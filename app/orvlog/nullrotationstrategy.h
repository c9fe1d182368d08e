#pragma once

#include "app/orvlog/rotationstrategy.h"

namespace OrvLogging {

// For log files that only hold the current run: never rotates, and the file
// is emptied when it is opened.
class NullRotationStrategy final : public RotationStrategy
{
public:
    NullRotationStrategy() = default;

    void setInitialInfo(const QFile &file) override;
    void includeMessageInCalculation(const QString &message) override;
    bool shouldRotate() override;
    void rotate() override;
    QIODevice::OpenMode recommendedOpenModeFlag() override;
};

} // namespace OrvLogging
