// Quoted texts as session scripts and transcripts write them: "..." with backslash escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// `text` in double quotes; backslash, quote, tab, CR and LF as \\ \" \t \r \n, other control
// bytes as \xHH. Every other byte is kept as it is.
[[nodiscard]] std::string QuoteText(std::string_view text);

// The result of reading one quoted text from the front of some input.
struct UnquotedText {
    std::string text;        // the text with its escapes resolved
    std::size_t length = 0;  // bytes of input used, quotes included
    std::string error;       // empty when the text was read
};

// Reads the quoted text that `input` starts with (its first byte must be a double quote).
[[nodiscard]] UnquotedText UnquoteText(std::string_view input);

}  // namespace platform
