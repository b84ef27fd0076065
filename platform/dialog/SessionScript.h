// The session script: the user's side of a headless session, one action per line, read from
// memory (or a file) into actions that the headless backend and the stand-in host consume.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace platform {

// One action: its line number (from 1), verb and arguments with quotes and escapes resolved.
struct ScriptAction {
    int line = 0;
    std::string verb;
    std::vector<std::string> arguments;
};

// Reads a script text into its actions, or gives the first error and its line; never throws.
[[nodiscard]] Expected<std::vector<ScriptAction>> ReadSessionScript(std::string_view text);
// Reads a script file; a file that cannot be read is an error without a line.
[[nodiscard]] Expected<std::vector<ScriptAction>> ReadSessionScriptFile(
    const std::filesystem::path& path);

// Whether a verb is reserved for the host's side (select-entities, pick-location, host-*):
// such actions are taken by the stand-in host, never by a dialog.
[[nodiscard]] bool IsHostVerb(std::string_view verb);

// The actions of one session, taken in order by the backend and the host.
class SessionScript {
public:
    SessionScript() = default;
    explicit SessionScript(std::vector<ScriptAction> actions) : actions_(std::move(actions)) {}

    // The next action, or null when the script ran out or was stopped.
    [[nodiscard]] const ScriptAction* Next() const;
    // Moves past the next action.
    void Consume();
    // Stops the script after an error: nothing more is taken from it.
    void Stop() { stopped_ = true; }
    [[nodiscard]] bool Stopped() const { return stopped_; }

    // The host's side: the next action must be the host action `verb`. Gives it (consumed,
    // never null), or why not: the script ran out, or the next action (at its line) is another.
    [[nodiscard]] Expected<const ScriptAction*> TakeHostAction(std::string_view verb);

private:
    std::vector<ScriptAction> actions_;
    std::size_t next_ = 0;
    bool stopped_ = false;
};

}  // namespace platform
