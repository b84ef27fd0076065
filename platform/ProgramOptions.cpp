// Parsing of "--name VALUE" / "--name=VALUE" options and the help lines that list them.
#include "platform/ProgramOptions.h"

#include <algorithm>

#include "platform/Paths.h"

namespace platform {
namespace {

constexpr std::string_view kOptionPrefix = "--";

const ProgramOption* FindOption(std::span<const ProgramOption> known, std::string_view name) {
    const auto found = std::find_if(known.begin(), known.end(), [&](const ProgramOption& option) {
        return option.name == name;
    });
    return found == known.end() ? nullptr : &*found;
}

std::string Spelled(std::string_view name) {
    return std::string(kOptionPrefix) + std::string(name);
}

}  // namespace

bool ParsedOptions::Has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(),
                       [&](const Given& given) { return given.name == name; });
}

std::optional<std::string> ParsedOptions::Value(std::string_view name) const {
    for (const Given& given : options)
        if (given.name == name) return given.value;
    return std::nullopt;
}

std::vector<std::string> ParsedOptions::Values(std::string_view name) const {
    std::vector<std::string> values;
    for (const Given& given : options)
        if (given.name == name) values.push_back(given.value);
    return values;
}

Expected<ParsedOptions> ParseOptions(std::span<const ProgramOption> known,
                                     const std::vector<std::string>& arguments,
                                     UnknownOptions unknown) {
    ParsedOptions parsed;
    const auto refuse = [](std::string why) { return Status::Failure(std::move(why)); };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == kOptionPrefix) {
            parsed.positional.insert(parsed.positional.end(), arguments.begin() + i + 1,
                                     arguments.end());
            break;
        }
        if (!word.starts_with(kOptionPrefix) || word.size() == kOptionPrefix.size()) {
            parsed.positional.push_back(word);
            continue;
        }
        const std::string_view body = std::string_view(word).substr(kOptionPrefix.size());
        const std::size_t equals = body.find('=');
        const std::string_view name = body.substr(0, equals);
        const ProgramOption* option = FindOption(known, name);
        if (option == nullptr) {
            if (unknown == UnknownOptions::Keep) {
                parsed.positional.push_back(word);
                continue;
            }
            return refuse("unknown option " + Spelled(name));
        }
        if (!option->repeatable && parsed.Has(name))
            return refuse(Spelled(name) + " is given more than once");
        std::string value;
        if (option->valueName.empty()) {
            if (equals != std::string_view::npos) return refuse(Spelled(name) + " takes no value");
        } else if (equals != std::string_view::npos) {
            value = body.substr(equals + 1);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with(kOptionPrefix)) {
            value = arguments[++i];
        } else {
            return refuse(Spelled(name) + " needs a value (" + Spelled(name) + " " +
                          std::string(option->valueName) + ")");
        }
        parsed.options.push_back({std::string(name), std::move(value)});
    }
    return parsed;
}

std::string OptionsHelp(std::span<const ProgramOption> known) {
    const auto usage = [](const ProgramOption& option) {
        std::string text = Spelled(option.name);
        if (!option.valueName.empty()) text += " " + std::string(option.valueName);
        return text;
    };
    std::size_t width = 0;
    for (const ProgramOption& option : known) width = std::max(width, usage(option).size());
    std::string help;
    for (const ProgramOption& option : known) {
        const std::string text = usage(option);
        help += "  " + text + std::string(width - text.size() + 3, ' ') + std::string(option.help);
        if (option.repeatable) help += " (may be repeated)";
        help += "\n";
    }
    return help;
}

void ApplyDriveRoot(const ParsedOptions& options) {
    if (const std::optional<std::string> root = options.Value(kDriveRootOption.name))
        SetDriveRoot(*root);
}

}  // namespace platform
