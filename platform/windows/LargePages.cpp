// Large pages on Windows need a privilege that programs do not hold, and must be asked for when
// memory is reserved: an advice after the fact has nothing to ask, so the hint does nothing.
#include "platform/LargePages.h"

namespace platform {

void AdviseLargePages(const void*, std::size_t) {}

}  // namespace platform
