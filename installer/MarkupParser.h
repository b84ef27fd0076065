// The single forward pass that builds the element index of a markup text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "installer/ElementTable.h"
#include "platform/Status.h"

namespace markup {

// Elements nested deeper than this fail the parse with a clear message.
inline constexpr int kMaxNestingDepth = 100'000;

// Texts longer than this cannot be indexed (offsets are 32-bit signed).
inline constexpr size_t kMaxDocumentBytes = 2'147'483'647;

// Indexes the first top-level element of `text` (at most kMaxDocumentBytes) into `table` and
// gives the root element's index: 0 when the text holds none (empty, or only an end tag). On
// success record 0's first child is the root; otherwise the table holds only record 0, cleared,
// and the status says why, at the offset where the error was found.
[[nodiscard]] platform::Expected<std::int32_t> ParseMarkup(std::string_view text,
                                                           ElementTable& table);

}  // namespace markup
