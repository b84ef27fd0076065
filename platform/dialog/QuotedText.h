// Quoted texts as session scripts and transcripts write them: "..." with backslash escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace platform {

// `text` in double quotes; backslash, quote, tab, CR and LF as \\ \" \t \r \n, other control
// bytes as \xHH. Every other byte is kept as it is.
[[nodiscard]] std::string QuoteText(std::string_view text);

// One quoted text read from the front of some input.
struct UnquotedText {
    std::string text;        // the text with its escapes resolved
    std::size_t length = 0;  // bytes of input used, quotes included
};

// Reads the quoted text that `input` starts with (its first byte must be a double quote), or
// says why it cannot be read.
[[nodiscard]] Expected<UnquotedText> UnquoteText(std::string_view input);

}  // namespace platform
