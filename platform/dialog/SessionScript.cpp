// Reading session scripts: tokens, verbs and their argument shapes, and the action cursor.
#include "platform/dialog/SessionScript.h"

#include <charconv>
#include <optional>

#include "platform/InputFile.h"
#include "platform/dialog/QuotedText.h"
#include "platform/dialog/ScriptVerbs.h"

namespace platform {
namespace {

// Argument shapes: C a control (name or #id), T a text, N a whole number 0 or more, * anything
// (host actions: the host checks their arguments when it takes them).
struct VerbSyntax {
    std::string_view verb;
    std::string_view shape;
};

constexpr VerbSyntax kVerbs[] = {
    {verbs::kPress, "C"},        {verbs::kClick, "C"},          {verbs::kTick, "C"},
    {verbs::kClear, "C"},        {verbs::kType, "CT"},          {verbs::kChoose, "CT"},
    {verbs::kSelect, "CN"},      {verbs::kEditCell, "CNNT"},    {verbs::kFocusCell, "CNN"},
    {verbs::kClose, ""},         {verbs::kEscape, ""},          {verbs::kWait, "N"},
    {verbs::kExpectDialog, "T"}, {verbs::kSelectEntities, "*"}, {verbs::kPickLocation, "*"},
};

struct Token {
    std::string text;
    bool quoted = false;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControlByte(char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f;
}

// The line's words and quoted texts, or why the line cannot be split into them.
Expected<std::vector<Token>> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            Expected<UnquotedText> unquoted = UnquoteText(line.substr(i));
            if (!unquoted) return unquoted.GetStatus();
            i += unquoted->length;
            if (i < line.size() && !IsBlank(line[i]))
                return Status::Failure("a quoted text must be followed by a blank");
            tokens.push_back({std::move(unquoted->text), true});
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) {
            if (line[i] == '"')
                return Status::Failure("a quote inside a word; quote the whole text");
            ++i;
        }
        tokens.push_back({std::string(line.substr(start, i - start)), false});
    }
    return tokens;
}

bool IsWholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool IsControlReference(const Token& token) {
    if (token.quoted || token.text.empty()) return false;
    if (token.text.front() == '#')
        return token.text.size() > 1 && IsWholeNumber(token.text.substr(1));
    return true;
}

// Checks the arguments against the verb's shape: success when they fit, else why not.
Status CheckArguments(const VerbSyntax& syntax, const std::vector<Token>& arguments) {
    if (syntax.shape == "*") return {};
    if (arguments.size() != syntax.shape.size())
        return Status::Failure("'" + std::string(syntax.verb) + "' takes " +
                               std::to_string(syntax.shape.size()) + " argument(s), not " +
                               std::to_string(arguments.size()));
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Token& argument = arguments[i];
        const std::string position =
            "argument " + std::to_string(i + 1) + " of '" + std::string(syntax.verb) + "'";
        switch (syntax.shape[i]) {
            case 'C':
                if (!IsControlReference(argument))
                    return Status::Failure(position +
                                           " must name a control (a name or #identifier)");
                break;
            case 'N':
                if (argument.quoted || !IsWholeNumber(argument.text))
                    return Status::Failure(position + " must be a whole number from 0");
                break;
            default:
                break;
        }
    }
    return {};
}

const VerbSyntax* FindVerb(std::string_view verb) {
    for (const VerbSyntax& syntax : kVerbs)
        if (syntax.verb == verb) return &syntax;
    return nullptr;
}

}  // namespace

bool IsHostVerb(std::string_view verb) {
    return verb == verbs::kSelectEntities || verb == verbs::kPickLocation ||
           verb.starts_with(verbs::kHostPrefix);
}

Expected<std::vector<ScriptAction>> ReadSessionScript(std::string_view text) {
    std::vector<ScriptAction> actions;
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto fail = [&](std::string error) {
            return Status::Failure(std::move(error), {number});
        };
        for (const char c : line)
            if (IsControlByte(c))
                return fail("control character in the line; write it as an escape in quotes");
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        const Expected<std::vector<Token>> tokens = Tokenize(line);
        if (!tokens) return fail(tokens.GetStatus().Reason());
        const Token& verb = tokens->front();
        const VerbSyntax* syntax = verb.quoted ? nullptr : FindVerb(verb.text);
        if (syntax == nullptr && !(IsHostVerb(verb.text) && !verb.quoted))
            return fail("unknown action '" + verb.text + "'");
        const std::vector<Token> arguments(tokens->begin() + 1, tokens->end());
        if (syntax != nullptr) {
            if (const Status fits = CheckArguments(*syntax, arguments); !fits)
                return fail(fits.Reason());
        }
        ScriptAction action{number, verb.text, {}};
        for (const Token& argument : arguments) action.arguments.push_back(argument.text);
        actions.push_back(std::move(action));
        if (end == std::string_view::npos) break;
    }
    return actions;
}

Expected<std::vector<ScriptAction>> ReadSessionScriptFile(const std::filesystem::path& path) {
    const Expected<std::string> file = ReadInputFile(path);
    if (!file) return Status::Failure("cannot read session script " + file.Describe());
    return ReadSessionScript(*file);
}

const ScriptAction* SessionScript::Next() const {
    return stopped_ || next_ >= actions_.size() ? nullptr : &actions_[next_];
}

void SessionScript::Consume() {
    if (next_ < actions_.size()) ++next_;
}

Expected<const ScriptAction*> SessionScript::TakeHostAction(std::string_view verb) {
    const ScriptAction* next = Next();
    if (next == nullptr)
        return Status::Failure("the session script has no '" + std::string(verb) + "' left");
    if (next->verb != verb)
        return Status::Failure(
            "the host needs '" + std::string(verb) + "' here, the script has '" + next->verb + "'",
            {next->line});
    Consume();
    return next;
}

}  // namespace platform
