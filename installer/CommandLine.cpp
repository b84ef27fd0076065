// The command-line splitter of the installer.
#include "installer/CommandLine.h"

namespace installer {
namespace {

// One word from `at` on, and where the text goes on after it. Spaces before the word are
// skipped; the space that ends it is consumed.
struct Word {
    std::string text;
    std::size_t next = 0;
};

Word readWord(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    Word word;
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            ++at;
            break;
        } else {
            word.text += c;
        }
    }
    word.next = at;
    return word;
}

}  // namespace

CommandLine SplitCommandLine(std::string_view text) {
    CommandLine line;
    for (Word word = readWord(text, 0); !word.text.empty(); word = readWord(text, word.next)) {
        if (word.text.front() == '-') {
            line.options.push_back(std::move(word.text));
            continue;
        }
        if (line.positional.size() == kMostPositionalWords) continue;
        line.positional.push_back(std::move(word.text));
    }
    return line;
}

platform::Status CheckCommandLine(const CommandLine& line) {
    for (std::size_t i = 0; i < line.positional.size(); ++i)
        if (line.positional[i].size() > kLongestWord)
            return platform::Status::Failure("ERROR: Command line word " + std::to_string(i + 1) +
                                             " is longer than " + std::to_string(kLongestWord) +
                                             " characters");
    return {};
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty()) text += ' ';
        const bool needsQuotes = argument.empty() || argument.find(' ') != std::string::npos;
        if (needsQuotes && argument.find('"') == std::string::npos)
            text += '"' + argument + '"';
        else
            text += argument;
    }
    return text;
}

}  // namespace installer
