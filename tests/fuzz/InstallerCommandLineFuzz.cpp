// Fuzz target: the installer's command-line splitter and placeholder expansion. The input is a
// command line, a NUL byte, and a text whose placeholders are expanded with the run the command
// line gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installer/CommandLine.h"
#include "installer/Placeholders.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckSplit(const installer::CommandLine& line) {
    Check(line.positional.size() <= installer::kMostPositionalWords);
    bool tooLong = false;
    for (const std::string& word : line.positional) {
        Check(!word.empty() && word.front() != '-' && word.find('"') == std::string::npos);
        tooLong = tooLong || word.size() > installer::kLongestWord;
    }
    Check(tooLong == !installer::CheckCommandLine(line));
    for (const std::string& option : line.options)
        Check(option.front() == '-' && option.find('"') == std::string::npos);
    // The words split from a joined line are the words joined.
    Check(installer::SplitCommandLine(installer::JoinArguments(line.positional)).positional ==
          line.positional);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const installer::CommandLine line = installer::SplitCommandLine(input.substr(0, split));
    CheckSplit(line);

    installer::RunParameters run;
    const auto word = [&](std::size_t i) {
        return i < line.positional.size() ? line.positional[i] : "";
    };
    run = {word(0), word(1), word(2)};
    const std::string text(input.substr(std::min(split + 1, input.size())));
    const std::string expanded = installer::expandPlaceholders(text, run);
    // Each "[" is replaced at most once, by a value no longer than the longest directory + 1.
    const std::size_t longest = std::max(run.hostDirectory.size() + 1, run.systemDirectory.size());
    Check(expanded.size() <=
          text.size() + static_cast<std::size_t>(std::ranges::count(text, '[')) * longest);
    if (text.find('[') == std::string::npos) Check(expanded == text);
    return 0;
}
