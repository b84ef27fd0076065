// Between the global memory and the clipboard on Windows: a block put on the clipboard belongs
// to the system from then on.
#pragma once

#include "platform/GlobalMemory.h"

namespace platform {

// Stops counting `handle` as the program's own block (it is not freed).
void HandOverGlobalBlock(GlobalHandle handle);

}  // namespace platform
