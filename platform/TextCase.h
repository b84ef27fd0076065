// Comparing names without regard to case, as the system's file, ini and clipboard names are.
#pragma once

#include <cctype>
#include <string_view>

namespace platform {

// True when `a` and `b` are equal but for ASCII upper and lower case.
[[nodiscard]] inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace platform
