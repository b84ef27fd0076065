// Fuzz target: the ini reader and editor on arbitrary text. The text must come back exactly,
// lookups must not fail, and an accepted edit must read back while every old line survives.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The lines of `text` without their line ends.
std::vector<std::string> Contents(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(48);
    const std::string text = input.ConsumeRemainingBytesAsString();

    platform::IniDocument document = platform::IniDocument::Parse(text);
    Require(document.Text() == text);
    const bool existed = document.Find(section, key).has_value();
    const bool accepted = static_cast<bool>(document.Set(section, key, value));
    const std::string edited = document.Text();
    if (!accepted) {
        Require(edited == text);
        return 0;
    }
    Require(platform::IniDocument::Parse(edited).Find(section, key) == std::string(Trimmed(value)));

    // Every old line is still there, in order; at most the edited line changed or three were
    // added (blank line, section header, key).
    const std::vector<std::string> before = Contents(text);
    const std::vector<std::string> after = Contents(edited);
    if (existed) {
        // The key's own line is replaced in place; every other line stays where it was.
        Require(after.size() == before.size());
        std::size_t changed = 0;
        for (std::size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i] ? 1 : 0;
        Require(changed <= 1);
    } else {
        std::size_t kept = 0;
        for (const std::string& line : after) {
            if (kept < before.size() && line == before[kept]) ++kept;
        }
        Require(kept == before.size() && after.size() > before.size() &&
                after.size() <= before.size() + 3);
    }
    return 0;
}
