// Fuzz target: the ini reader and editor on arbitrary text. The text must come back exactly,
// lookups must not fail, and an accepted edit must read back while every old line survives.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniFile.h"

namespace {

// Stops with the failed check's line, so that a finding says which property broke.
void Require(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "ini_fuzz: check at line %d failed\n", line);
    std::abort();
}

// The lines of `text` without their line ends, which are CR LF, LF or CR alone as the reader
// takes them (a file with CR line ends gets its new lines ended by CR too).
std::vector<std::string> Contents(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
        if (text.starts_with("\r\n"))
            text.remove_prefix(2);
        else if (!text.empty())
            text.remove_prefix(1);
    }
    return lines;
}

// What reading gives back of a stored value: blanks, tabs and Ctrl-Z trimmed, then one pair of
// matching quotes removed.
std::string ReadBack(std::string_view value) {
    const std::size_t begin = value.find_first_not_of(" \t\x1A");
    if (begin == std::string_view::npos) return {};
    value = value.substr(begin, value.find_last_not_of(" \t\x1A") - begin + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
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
    Require(platform::IniDocument::Parse(edited).Find(section, key) == ReadBack(value));

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
