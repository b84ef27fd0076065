// Conversion of UTF-16 ini files to and from the UTF-8 text the ini document works on.
#include "platform/IniEncoding.h"

#include <cstdint>

namespace platform {
namespace {

constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::string& out, std::uint32_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// The next code point of UTF-8 `text` at `at` (surrogates admitted, see DecodedIni), or none
// for a malformed sequence.
std::optional<std::uint32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int length = 0;
    std::uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, code = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < static_cast<std::size_t>(length)) return std::nullopt;
    for (int i = 0; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr std::uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kShortest[length] || code > 0x10FFFF) return std::nullopt;
    return code;
}

}  // namespace

DecodedIni DecodeIniFile(std::string_view bytes) {
    DecodedIni decoded;
    const bool big = bytes.starts_with(kBigEndianMark);
    if (!big && !bytes.starts_with(kLittleEndianMark)) {
        decoded.text = std::string(bytes);
        return decoded;
    }
    decoded.encoding = big ? IniEncoding::Utf16BigEndian : IniEncoding::Utf16LittleEndian;
    bytes.remove_prefix(2);
    if (bytes.size() % 2 != 0) decoded.unwritable = "the UTF-16 file ends in half a character";
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return big ? (first << 8 | second) : (second << 8 | first);
    };
    decoded.text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t code = unit(i);
        const bool pairs = code >= 0xD800 && code < 0xDC00 && i + 1 < units &&
                           unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000;
        if (pairs) {
            AppendUtf8(decoded.text, 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(decoded.text, code);
        }
    }
    return decoded;
}

std::optional<std::string> EncodeIniFile(std::string_view text, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Bytes:
            return std::string(text);
        case IniEncoding::Utf16LittleEndian:
        case IniEncoding::Utf16BigEndian:
            break;
    }
    const bool big = encoding == IniEncoding::Utf16BigEndian;
    std::string out(big ? kBigEndianMark : kLittleEndianMark);
    out.reserve(2 + 2 * text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<std::uint32_t> code = NextCodePoint(text, at);
        if (!code) return std::nullopt;
        if (*code < 0x10000) {
            AppendUnit(out, *code, big);
        } else {
            AppendUnit(out, 0xD800 + ((*code - 0x10000) >> 10), big);
            AppendUnit(out, 0xDC00 + ((*code - 0x10000) & 0x3FF), big);
        }
    }
    return out;
}

}  // namespace platform
