// Reading numbers from text the way the C library's scanners do, without their cost.
#pragma once

#include <optional>

namespace core::numbertext {

// A number read from text and the first character after it.
template <typename T>
struct Scanned {
    T value;
    const char* next;
};

// Reads an integer as "%d" would from the NUL-terminated text at `p`: white space is skipped,
// then an optional sign and decimal digits. Out-of-range values wrap as the C library's do.
// None when no digits follow.
[[nodiscard]] std::optional<Scanned<int>> ScanInt(const char* p);

// Reads a decimal number as "%lf" would from the NUL-terminated text at `p` (white space
// skipped; decimal, exponent, hexadecimal, INF and NAN forms). None when no number follows.
[[nodiscard]] std::optional<Scanned<double>> ScanDouble(const char* p);

// The leading decimal number of the text after optional white space, 0.0 when there is none
// (what users type into fields and what follows a keyword).
[[nodiscard]] double LeadingDouble(const char* p);

}  // namespace core::numbertext
