// The single forward pass that builds the element index of a markup text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "installer/ElementTable.h"

namespace markup {

// Elements nested deeper than this fail the parse with a clear message.
inline constexpr int kMaxNestingDepth = 100'000;

// Texts longer than this cannot be indexed (offsets are 32-bit signed).
inline constexpr size_t kMaxDocumentBytes = 2'147'483'647;

// What a parse found: the root element's index (0 when none) and the error message ("" when
// the parse succeeded, and also when the text holds only an end tag).
struct ParseOutcome {
    std::int32_t root = 0;
    std::string message;
    size_t errorOffset = 0;  // where the error was found (with a message)
};

// Indexes the first top-level element of `text` (at most kMaxDocumentBytes) into `table`. On
// success record 0's first child is the root; otherwise the table holds only record 0, cleared.
[[nodiscard]] ParseOutcome ParseMarkup(std::string_view text, ElementTable& table);

}  // namespace markup
