// Decoding of character and entity references in attribute values and element text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace markup {

// Appends the UTF-8 bytes of character number `number`; false (nothing appended) for 0,
// surrogates and numbers beyond U+10FFFF, which the reader's code page cannot hold.
bool AppendCharacter(std::uint32_t number, std::string& out);

// `text` with "&#65;", "&#x41;" and the five named references (lt, amp, gt, apos, quot)
// replaced in one pass; a reference that cannot be decoded stays as written.
[[nodiscard]] std::string DecodeReferences(std::string_view text);

}  // namespace markup
