// Fast scanners with the C library's semantics: from_chars for the common forms, strtod for the
// rare ones (hexadecimal, INF/NAN, out of range).
#include "core/NumberText.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace core::numbertext {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipSpace(const char* p) {
    while (IsSpace(*p)) ++p;
    return p;
}

std::optional<Scanned<double>> ScanWithStrtod(const char* p) {
    char* end = nullptr;
    const double value = std::strtod(p, &end);
    if (end == p) return std::nullopt;
    return Scanned<double>{value, end};
}

}  // namespace

std::optional<Scanned<int>> ScanInt(const char* p) {
    p = SkipSpace(p);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (!IsDigit(*p)) return std::nullopt;
    // Accumulate as the C library's long does (saturating), then narrow as its "%d" stores do.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    bool saturated = false;
    for (; IsDigit(*p); ++p) {
        const int digit = *p - '0';
        if (!saturated && magnitude > (kMax - digit) / 10)
            saturated = true;
        else if (!saturated)
            magnitude = magnitude * 10 + digit;
    }
    std::int64_t value;
    if (saturated)
        value = negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    else
        value = negative ? -magnitude : magnitude;
    return Scanned<int>{static_cast<int>(value), p};
}

std::optional<Scanned<double>> ScanDouble(const char* p) {
    p = SkipSpace(p);
    const char* digits = p;
    if (*digits == '+' || *digits == '-') ++digits;
    const bool plainDecimal = IsDigit(*digits)
                                  ? !(digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
                                  : (*digits == '.' && IsDigit(digits[1]));
    if (!plainDecimal) return ScanWithStrtod(p);
    // from_chars needs the end of the text; the characters a decimal number can hold suffice.
    const char* tokenEnd = digits;
    while (IsDigit(*tokenEnd) || *tokenEnd == '.' || *tokenEnd == 'e' || *tokenEnd == 'E' ||
           *tokenEnd == '+' || *tokenEnd == '-')
        ++tokenEnd;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits, tokenEnd, value);
    if (error != std::errc()) return ScanWithStrtod(p);
    // The C library's scanner has already taken an exponent mark (and its sign) when it finds
    // no digits behind it; the next number starts after them.
    const char* next = end;
    if (*next == 'e' || *next == 'E') {
        ++next;
        if (*next == '+' || *next == '-') ++next;
    }
    return Scanned<double>{*p == '-' ? -value : value, next};
}

double LeadingDouble(const char* p) {
    const auto scanned = ScanDouble(p);
    return scanned ? scanned->value : 0.0;
}

}  // namespace core::numbertext
