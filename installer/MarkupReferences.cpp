// Reference decoding: numeric references up to seven digits, the five predefined names.
#include "installer/MarkupReferences.h"

#include <optional>

namespace markup {
namespace {

// The ";" of a numeric reference lies within this many characters after "&#" or "&#x".
constexpr size_t kNumericReferenceReach = 8;

std::optional<std::uint32_t> DigitValue(char c, bool hexadecimal) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (!hexadecimal) return std::nullopt;
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    return std::nullopt;
}

// Decodes the numeric reference at `rest` (just after "&#"); the characters consumed after the
// "&", or 0 when it is not decoded.
size_t DecodeNumeric(std::string_view rest, std::string& out) {
    const bool hexadecimal = !rest.empty() && rest[0] == 'x';
    const size_t digitsStart = hexadecimal ? 1 : 0;
    const size_t semicolon = rest.substr(digitsStart, kNumericReferenceReach).find(';');
    if (semicolon == std::string_view::npos || semicolon == 0) return 0;
    std::uint32_t number = 0;  // at most seven digits: no overflow even in base 16
    for (char c : rest.substr(digitsStart, semicolon)) {
        const std::optional<std::uint32_t> digit = DigitValue(c, hexadecimal);
        if (!digit) return 0;
        number = number * (hexadecimal ? 16 : 10) + *digit;
    }
    if (!AppendCharacter(number, out)) return 0;
    return 1 + digitsStart + semicolon + 1;  // "#", the "x", the digits and ";"
}

struct NamedReference {
    std::string_view name;
    char character;
};

constexpr NamedReference kNamedReferences[] = {
    {"lt;", '<'}, {"amp;", '&'}, {"gt;", '>'}, {"apos;", '\''}, {"quot;", '"'},
};

// Decodes the reference after an "&" (`rest`); the characters consumed after the "&", or 0.
size_t DecodeReference(std::string_view rest, std::string& out) {
    if (!rest.empty() && rest[0] == '#') return DecodeNumeric(rest.substr(1), out);
    for (const NamedReference& reference : kNamedReferences) {
        if (rest.substr(0, reference.name.size()) == reference.name) {
            out.push_back(reference.character);
            return reference.name.size();
        }
    }
    return 0;
}

}  // namespace

bool AppendCharacter(std::uint32_t number, std::string& out) {
    const auto byte = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
    if (number == 0 || number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF)) return false;
    if (number < 0x80) {
        byte(number);
    } else if (number < 0x800) {
        byte(0xC0 | (number >> 6));
        byte(0x80 | (number & 0x3F));
    } else if (number < 0x10000) {
        byte(0xE0 | (number >> 12));
        byte(0x80 | ((number >> 6) & 0x3F));
        byte(0x80 | (number & 0x3F));
    } else {
        byte(0xF0 | (number >> 18));
        byte(0x80 | ((number >> 12) & 0x3F));
        byte(0x80 | ((number >> 6) & 0x3F));
        byte(0x80 | (number & 0x3F));
    }
    return true;
}

std::string DecodeReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        const size_t ampersand = text.find('&', position);
        if (ampersand == std::string_view::npos) {
            out.append(text.substr(position));
            break;
        }
        out.append(text.substr(position, ampersand - position));
        const size_t consumed = DecodeReference(text.substr(ampersand + 1), out);
        if (consumed == 0) out.push_back('&');
        position = ampersand + 1 + consumed;
    }
    return out;
}

}  // namespace markup
