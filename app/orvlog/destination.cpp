#include "app/orvlog/destination.h"

namespace OrvLogging {

// Out of line so that the vtable lives in one translation unit.
Destination::~Destination() = default;

} // namespace OrvLogging
