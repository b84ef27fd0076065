// The one parser of "--name VALUE" / "--name=VALUE" options for the project's programs, so that
// options shared by several programs (--drive-root) are spelled and handled the same everywhere.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace platform {

// One option a program takes: "--name", with a value or as a switch.
struct ProgramOption {
    std::string_view name;       // without the leading "--"
    std::string_view valueName;  // empty: a switch without a value
    std::string_view help;       // one line for the program's help
    bool repeatable = false;     // may be given several times (each value kept, in order)
};

// What parsing a usable command line gave: the options in the order given and the other words.
struct ParsedOptions {
    struct Given {
        std::string name;
        std::string value;
    };
    std::vector<Given> options;
    std::vector<std::string> positional;

    // Whether the option was given.
    [[nodiscard]] bool Has(std::string_view name) const;
    // The value of an option given once, or none.
    [[nodiscard]] std::optional<std::string> Value(std::string_view name) const;
    // Every value of a repeatable option, in the order given.
    [[nodiscard]] std::vector<std::string> Values(std::string_view name) const;
};

// What to do with a word that starts with "--" but names none of the known.
enum class UnknownOptions {
    Refuse,  // an error
    Keep,    // kept among the positional words (for programs with a command line of their own)
};

// Parses `arguments` (without the program name). "--name VALUE" and "--name=VALUE" are the same;
// a separate VALUE may start with "-" but not with "--" (that is taken for a forgotten value
// followed by the next option; "--name=--x" gives such a value). A lone "--" ends the options:
// every word after it is positional.
// Refused: an unknown option (when refused), a missing value, a value given to a switch, and a
// non-repeatable option given twice.
[[nodiscard]] Expected<ParsedOptions> ParseOptions(std::span<const ProgramOption> known,
                                                   const std::vector<std::string>& arguments,
                                                   UnknownOptions unknown = UnknownOptions::Refuse);

// The options' lines for a program's help: "  --name VALUE   help", aligned.
[[nodiscard]] std::string OptionsHelp(std::span<const ProgramOption> known);

// The option every program of the project takes to place the drives (docs/paths.md).
inline constexpr ProgramOption kDriveRootOption{
    "drive-root", "DIR", "folder that holds the drives: drive C is DIR/drive_c"};

// The option of programs that can show their dialogs on the desktop (docs/desktop.md).
inline constexpr ProgramOption kGuiOption{
    "gui", "", "show real windows on the desktop (the dialog backend \"desktop\")"};

// Sets the path service's drive root when the parsed options give one.
void ApplyDriveRoot(const ParsedOptions& options);

}  // namespace platform
