// Splits markup text into the tokens the markup reader works with: names, single markup
// characters and quoted values.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace markup {

enum class TokenKind { End, Plain, Quoted };

// One token: the bytes [first, last) of the text. A quoted token's range excludes its quotes;
// `End` means the text ended before a token began.
struct Token {
    size_t first = 0;
    size_t last = 0;
    TokenKind kind = TokenKind::End;
};

namespace impl {
enum : unsigned char { kWhitespace = 1, kDelimiter = 2 };

constexpr std::array<unsigned char, 256> CharacterClasses() {
    std::array<unsigned char, 256> classes{};
    for (unsigned char c : std::string_view(" \t\n\r")) classes[c] = kWhitespace | kDelimiter;
    for (unsigned char c : std::string_view("<>=\\/?!")) classes[c] = kDelimiter;
    return classes;
}
inline constexpr std::array<unsigned char, 256> kCharacterClasses = CharacterClasses();
}  // namespace impl

// True for the whitespace of markup: space, tab, line feed, carriage return.
inline bool IsMarkupWhitespace(char c) {
    return impl::kCharacterClasses[static_cast<unsigned char>(c)] & impl::kWhitespace;
}

// True for the characters that end a name: whitespace and < > = \ / ? !
inline bool IsNameDelimiter(char c) {
    return impl::kCharacterClasses[static_cast<unsigned char>(c)] & impl::kDelimiter;
}

// Reads tokens one at a time from a cursor into the text. Text is stepped byte by byte: in the
// reader's code page (UTF-8) no byte of a multibyte character equals a markup character.
class Tokenizer {
public:
    Tokenizer(std::string_view text, size_t cursor) : text_(text), cursor_(cursor) {}

    // The next token; the cursor moves past it (and past a closing quote).
    Token Next() {
        const size_t size = text_.size();
        while (cursor_ < size && IsMarkupWhitespace(text_[cursor_])) ++cursor_;
        if (cursor_ >= size) return {size, size, TokenKind::End};
        const char c = text_[cursor_];
        if (c == '"' || c == '\'') {
            const size_t first = cursor_ + 1;
            const size_t close = text_.find(c, first);
            if (close == std::string_view::npos) {
                cursor_ = size;
                return {first, size, TokenKind::Quoted};
            }
            cursor_ = close + 1;
            return {first, close, TokenKind::Quoted};
        }
        const size_t first = cursor_++;
        if (!IsNameDelimiter(c))
            while (cursor_ < size && !IsNameDelimiter(text_[cursor_])) ++cursor_;
        return {first, cursor_, TokenKind::Plain};
    }

    // The text of a token read from this tokenizer.
    [[nodiscard]] std::string_view TextOf(const Token& token) const {
        return text_.substr(token.first, token.last - token.first);
    }

    // The first character of a non-empty token.
    [[nodiscard]] char FirstOf(const Token& token) const { return text_[token.first]; }

    // True when the token is the single unquoted character `c`.
    [[nodiscard]] bool IsCharacter(const Token& token, char c) const {
        return token.kind == TokenKind::Plain && text_[token.first] == c &&
               token.last == token.first + 1;
    }

private:
    std::string_view text_;
    size_t cursor_;
};

// True when the name `token` read from the text matches the requested name: the requested name
// begins with the token and ends there or goes on with one of " =/[". Case-sensitive.
inline bool NameMatches(std::string_view token, std::string_view requested) {
    if (requested.size() < token.size() || requested.compare(0, token.size(), token) != 0)
        return false;
    if (requested.size() == token.size()) return true;
    const char next = requested[token.size()];
    return next == ' ' || next == '=' || next == '/' || next == '[';
}

}  // namespace markup
