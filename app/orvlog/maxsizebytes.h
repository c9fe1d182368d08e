#pragma once

#include <QtGlobal>

namespace OrvLogging {

// Named argument for DestinationFactory, so that a size and a count cannot be
// swapped by accident.
struct MaxSizeBytes
{
    MaxSizeBytes() = default;
    explicit MaxSizeBytes(qint64 bytes) : size(bytes) {}

    qint64 size = 0;
};

} // namespace OrvLogging
