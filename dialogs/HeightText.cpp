// Formatting and reading of the review grid's height texts.
#include "dialogs/HeightText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "hostlink/MessageText.h"

namespace dialogs::heighttext {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Past the digits starting at `at`.
std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// The length of the decimal number (without sign) at the start of `text`, 0 for none.
std::size_t DecimalLength(std::string_view text) {
    const std::size_t integerEnd = SkipDigits(text, 0);
    std::size_t end = integerEnd;
    if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
    // A lone "." has no digits on either side.
    if (integerEnd == 0 && end <= 1) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;  // an "e" without digits is not taken
    }
    return end;
}

}  // namespace

std::string FormatHeight(double height) { return hostlink::MessageText("%8.3f", height); }

double ReadHeight(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start])) ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const std::string_view number = text.substr(start, DecimalLength(text.substr(start)));
    if (number.empty()) return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Tiny values become 0 or a denormal, huge ones infinite: as the C library reads them.
        value = std::strtod(std::string(number).c_str(), nullptr);
    }
    if (!std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

}  // namespace dialogs::heighttext
