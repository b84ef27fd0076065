// printf-style filling of the link library's fixed message texts, checked by the compiler.
#pragma once

#include <string>

#include "hostlink/LinkExport.h"

namespace hostlink {

// The text of `format` with its %d (and other printf) fields filled in.
[[nodiscard]] RAVELINK_API std::string MessageText(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

}  // namespace hostlink
