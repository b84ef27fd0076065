// White space as the system's profile functions see it, shared by the ini document and the
// profile operations.
#pragma once

#include <string_view>

namespace platform::ini {

// Blanks, tabs and Ctrl-Z (which old editors leave at the end of a file) are white space.
inline constexpr std::string_view kBlanks = " \t\x1A";

[[nodiscard]] inline std::string_view Trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
}

}  // namespace platform::ini
