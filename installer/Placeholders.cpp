// Placeholder substitution of the install script's locations and lines.
#include "installer/Placeholders.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace installer {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

// The value that replaces the placeholder `name`, or none when it is not one.
std::optional<std::string> valueOf(std::string_view name, const RunParameters& run) {
    if (equalIgnoringCase(name, "SystemDir")) return run.systemDirectory;
    if (equalIgnoringCase(name, "AppDir")) return WithTrailingBackslash(run.hostDirectory);
    return std::nullopt;
}

}  // namespace

std::string expandPlaceholders(std::string text, const RunParameters& run) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = text.find('[', from);
        if (open == std::string::npos) return text;
        const std::size_t close = text.find(']', open);
        if (close == std::string::npos) return text;
        const std::optional<std::string> value =
            valueOf(std::string_view(text).substr(open + 1, close - open - 1), run);
        if (!value) {
            from = close;
            continue;
        }
        text.replace(open, close - open + 1, *value);
        // Scanning again from the start of the text would meet only the brackets already
        // passed, and then the inserted value: skipping the value is the one difference, and
        // it is what keeps a value that holds a placeholder from being replaced for ever.
        from = open + value->size();
    }
}

}  // namespace installer
