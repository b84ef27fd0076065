// Splitting of the installer's command line into option words and positional words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace installer {

// Positional words beyond this many are not collected.
inline constexpr std::size_t kMostPositionalWords = 100;
// The longest positional word taken; a longer one refuses the command line.
inline constexpr std::size_t kLongestWord = 259;

// The words of a command line. Option words (first character "-") are kept apart and never
// counted among the positional ones.
struct CommandLine {
    std::vector<std::string> positional;
    std::vector<std::string> options;
};

// Splits the argument text (without the program name): words are separated by spaces outside
// double quotes, quotes are dropped, and an empty word (end of text, or only quotes) ends the
// splitting.
[[nodiscard]] CommandLine SplitCommandLine(std::string_view text);

// Whether the split command line can be used: a positional word longer than kLongestWord
// refuses it, since a word cut to the limit would name another folder or script than the one
// meant. The words stay usable either way (the installer's window shows them with the refusal).
[[nodiscard]] platform::Status CheckCommandLine(const CommandLine& line);

// The argument text of a program started with `arguments` already split (as on this machine):
// joined by single spaces, each argument that is empty or holds a space, and no double quote,
// wrapped in double quotes, so that SplitCommandLine gives the arguments back.
[[nodiscard]] std::string JoinArguments(const std::vector<std::string>& arguments);

}  // namespace installer
