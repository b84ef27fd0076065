// Post heights as the review grid shows them and as it reads back what the user typed.
#pragma once

#include <string>
#include <string_view>

namespace dialogs::heighttext {

// The height as a cell shows it: three decimals, right-aligned in at least 8 characters.
[[nodiscard]] std::string FormatHeight(double height);

// The decimal number at the start of `text` after leading white space: an optional sign, digits
// with an optional fraction, and an optional exponent; the longest such prefix counts. 0 when
// the text does not start with one, and 0 for a number too large for a double, since an
// infinite height cannot be programmed. Hexadecimal, INF and NAN forms are not numbers here.
[[nodiscard]] double ReadHeight(std::string_view text);

}  // namespace dialogs::heighttext
