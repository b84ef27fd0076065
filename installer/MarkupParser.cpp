// The parse: start tags, special nodes (prolog, comments, declarations, character data) and end
// tags, read in one forward pass without recursion; elements open above the current one are
// reached through their parent links.
#include "installer/MarkupParser.h"

#include <optional>
#include <string>
#include <utility>

#include "installer/MarkupTokenizer.h"

namespace markup {
namespace {

constexpr size_t kNotFound = std::string_view::npos;

class Parser {
public:
    Parser(std::string_view text, ElementTable& table) : text_(text), table_(table) {}

    // The root's index, 0 when the text holds an end tag before any element, -1 on error.
    std::int32_t run();

    std::string takeMessage() { return std::move(message_); }
    // Where the error was found: the "<" of the tag at fault, or the end of the text.
    [[nodiscard]] size_t errorOffset() const { return at_; }

private:
    std::optional<size_t> specialNodeEnd(size_t open) const;
    std::optional<size_t> declarationEnd(size_t open) const;
    std::optional<size_t> endTagClose(std::int32_t element, size_t cursor);
    std::string_view TagName(std::int32_t element) const;
    std::int32_t fail(std::string message, std::string_view name = {});
    void link(std::int32_t parent, std::int32_t lastChild, std::int32_t element);

    std::string_view text_;
    ElementTable& table_;
    std::string message_;
    size_t at_ = 0;
};

std::int32_t Parser::run() {
    std::int32_t parent = 0;     // the element whose content is being read
    std::int32_t lastChild = 0;  // its most recent child, 0 before the first
    size_t cursor = 0;           // its content cursor
    int depth = 0;
    for (;;) {
        const size_t open = text_.find('<', cursor);
        at_ = open == kNotFound ? text_.size() : open;
        if (open == kNotFound) return fail("Element tag not found");
        Tokenizer tokens(text_, open + 1);
        const Token token = tokens.Next();
        if (token.kind == TokenKind::End) return fail("Abrupt end within tag");
        if (token.kind == TokenKind::Quoted) return fail("Tag starts with quote");
        const char first = tokens.FirstOf(token);
        if (first == '!' || first == '?') {
            const std::optional<size_t> end = specialNodeEnd(open);
            if (!end) return fail("Invalid node");
            cursor = *end;
            continue;
        }
        if (first == '/') {
            // The end tag of `parent`; at the top level there is no element to end.
            if (parent == 0) return 0;
            const std::optional<size_t> close = endTagClose(parent, open);
            if (!close) return -1;
            ElementRecord& ended = table_[parent];
            ended.endTagOpen = static_cast<std::int32_t>(open);
            ended.endTagClose = static_cast<std::int32_t>(*close);
            lastChild = parent;
            parent = ended.parent;
            cursor = *close + 1;
            --depth;
            if (parent == 0) return lastChild;
            continue;
        }
        // A start tag; quotes are not looked at, so a ">" inside a value ends it.
        const size_t close = text_.find('>', token.last);
        if (close == kNotFound) return fail("End of tag not found");
        const std::int32_t element = table_.Take();
        if (element < 0) return fail("Not enough memory for the element index");
        const auto openOffset = static_cast<std::int32_t>(open);
        const auto closeOffset = static_cast<std::int32_t>(close);
        table_[element] = ElementRecord{openOffset, closeOffset, 0, 0, parent, 0, 0};
        link(parent, lastChild, element);
        if (text_[close - 1] == '/') {
            table_[element].endTagOpen = closeOffset - 1;
            table_[element].endTagClose = closeOffset;
            if (parent == 0) return element;
            lastChild = element;
        } else {
            if (++depth > kMaxNestingDepth)
                return fail("Elements nested deeper than " + std::to_string(kMaxNestingDepth) +
                                " levels at element %s",
                            tokens.TextOf(token));
            parent = element;
            lastChild = 0;
        }
        cursor = close + 1;
    }
}

void Parser::link(std::int32_t parent, std::int32_t lastChild, std::int32_t element) {
    if (lastChild == 0)
        table_[parent].firstChild = element;
    else
        table_[lastChild].nextSibling = element;
}

std::string_view Parser::TagName(std::int32_t element) const {
    Tokenizer tokens(text_, static_cast<size_t>(table_[element].startTagOpen) + 1);
    return tokens.TextOf(tokens.Next());
}

std::int32_t Parser::fail(std::string message, std::string_view name) {
    message_ = std::move(message);
    if (const size_t at = message_.find("%s"); at != std::string::npos)
        message_.replace(at, 2, name);
    return -1;
}

// The offset just past the special node that starts at `open`, or none when it is not closed.
std::optional<size_t> Parser::specialNodeEnd(size_t open) const {
    if (open + 2 >= text_.size()) return std::nullopt;
    std::string_view endMarker;
    if (text_[open + 1] == '?')
        endMarker = "?>";
    else if (text_[open + 1] == '!' && text_[open + 2] == '[')
        endMarker = "]]>";
    else if (text_[open + 1] == '!' && text_[open + 2] == '-')
        endMarker = "-->";
    else
        return declarationEnd(open);
    // Searched from the "<" itself, as the node's own characters may be part of the marker.
    const size_t end = text_.find(endMarker, open);
    if (end == kNotFound) return std::nullopt;
    return end + endMarker.size();
}

// A declaration ends at the first ">" outside its "[" ... "]" subsets; quoted texts are skipped.
std::optional<size_t> Parser::declarationEnd(size_t open) const {
    Tokenizer tokens(text_, open);
    int depth = 0;
    for (;;) {
        const Token token = tokens.Next();
        if (token.kind == TokenKind::End) return std::nullopt;
        if (token.kind == TokenKind::Quoted) continue;
        const char first = tokens.FirstOf(token);
        if (first == '[')
            ++depth;
        else if (first == ']')
            --depth;
        else if (first == '>' && depth == 0)
            return token.first + 1;
    }
}

// Checks the end tag of `element` at the first "<" from `cursor`; the offset of its ">", or none
// (with the message set).
std::optional<size_t> Parser::endTagClose(std::int32_t element, size_t cursor) {
    const std::string_view name = TagName(element);
    const size_t open = text_.find('<', cursor);
    at_ = open == kNotFound ? text_.size() : open;
    if (open == kNotFound) {
        fail("End tag of %s element not found", name);
        return std::nullopt;
    }
    Tokenizer tokens(text_, open + 1);
    for (int count = 1;; ++count) {
        const Token token = tokens.Next();
        if (token.kind == TokenKind::End) break;
        if (token.kind == TokenKind::Quoted) continue;  // counted, otherwise ignored
        if (count == 1) {
            if (!tokens.IsCharacter(token, '/')) {
                fail("Expecting end tag of element %s", name);
                return std::nullopt;
            }
        } else if (count == 2) {
            if (!NameMatches(tokens.TextOf(token), name)) {
                fail("End tag does not correspond to %s", name);
                return std::nullopt;
            }
        } else if (tokens.IsCharacter(token, '>')) {
            return token.first;
        }
    }
    fail("End tag not completed for element %s", name);
    return std::nullopt;
}

}  // namespace

platform::Expected<std::int32_t> ParseMarkup(std::string_view text, ElementTable& table) {
    if (!table.Restart(text.size() / 64 + 8)) {
        table.Clear();
        return platform::Status::Failure("Not enough memory for the element index");
    }
    if (text.empty()) return 0;
    Parser parser(text, table);
    const std::int32_t root = parser.run();
    table[0] = ElementRecord{};
    if (root > 0) {
        table[0].firstChild = root;
        return root;
    }
    table.Clear();
    std::string message = parser.takeMessage();
    if (message.empty()) return 0;  // only an end tag
    return platform::Status::Failure(std::move(message), {0, parser.errorOffset()});
}

}  // namespace markup
