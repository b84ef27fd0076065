// Substitution of [AppDir] and [SystemDir] in the texts of an install script.
#pragma once

#include <string>

#include "installer/RunParameters.h"

namespace installer {

// `text` with every [AppDir] (the host directory ending in "\") and [SystemDir] (the system
// directory as given) replaced; names match without regard to case, other bracketed names stay.
// A "[" pairs with the first "]" after it, so "[x[AppDir]" names "x[AppDir" and stays. An
// inserted directory is never searched again, so a directory that itself holds a placeholder
// is written as it is and the substitution always ends.
[[nodiscard]] std::string expandPlaceholders(std::string text, const RunParameters& run);

}  // namespace installer
