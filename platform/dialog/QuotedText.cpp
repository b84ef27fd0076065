// Quoting and unquoting of texts in session scripts and transcripts.
#include "platform/dialog/QuotedText.h"

#include <cstdio>

namespace platform {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string QuoteText(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\t':
                quoted += "\\t";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\n':
                quoted += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
                    quoted += escape;
                } else {
                    quoted += c;
                }
        }
    }
    quoted += '"';
    return quoted;
}

Expected<UnquotedText> UnquoteText(std::string_view input) {
    if (input.empty() || input.front() != '"')
        return Status::Failure("a quoted text must start with \"");
    UnquotedText result;
    for (std::size_t i = 1; i < input.size(); ++i) {
        const char c = input[i];
        if (c == '"') {
            result.length = i + 1;
            return result;
        }
        if (c != '\\') {
            result.text += c;
            continue;
        }
        if (++i == input.size()) break;
        switch (input[i]) {
            case '\\':
                result.text += '\\';
                break;
            case '"':
                result.text += '"';
                break;
            case 't':
                result.text += '\t';
                break;
            case 'r':
                result.text += '\r';
                break;
            case 'n':
                result.text += '\n';
                break;
            case 'x': {
                const int high = i + 1 < input.size() ? HexDigitValue(input[i + 1]) : -1;
                const int low = i + 2 < input.size() ? HexDigitValue(input[i + 2]) : -1;
                if (high < 0 || low < 0) return Status::Failure("\\x needs two hexadecimal digits");
                result.text += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                return Status::Failure(std::string("unknown escape \\") + input[i]);
        }
    }
    return Status::Failure("quoted text is not closed");
}

}  // namespace platform
