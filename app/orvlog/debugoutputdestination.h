#pragma once

#include "app/orvlog/destination.h"

namespace OrvLogging {

// Sends every line to the debugger output on Windows (visible in the IDE or
// a debug viewer) and to the error stream elsewhere.
class DebugOutputDestination final : public Destination
{
public:
    DebugOutputDestination() = default;

    void write(const QString &message, Level level) override;
    bool isValid() override;
    QString type() const override;
};

} // namespace OrvLogging
