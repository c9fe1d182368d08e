#pragma once

namespace OrvLogging {

// Named argument for DestinationFactory: how many rotated files to keep.
struct MaxOldLogCount
{
    MaxOldLogCount() = default;
    explicit MaxOldLogCount(int count) : count(count) {}

    int count = 0;
};

} // namespace OrvLogging
