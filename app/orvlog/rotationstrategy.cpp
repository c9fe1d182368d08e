#include "app/orvlog/rotationstrategy.h"

namespace OrvLogging {

RotationStrategy::~RotationStrategy() = default;

} // namespace OrvLogging
