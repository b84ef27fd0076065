// A job run without a host: no holding surface is selected, so every post keeps its own z.
#pragma once

#include "core/TableDefinition.h"

namespace core {

// Gives every post the height a job with no holding surface produces: its chosen point is its
// own location, so its height is its own z.
void AssignOwnHeights(TableDefinition& table);

}  // namespace core
