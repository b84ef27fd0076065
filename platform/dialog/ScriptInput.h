// The one place where session-script verbs become the typed input calls of controls. The
// headless backend delivers the result at once; a desktop backend feeds it to its widgets,
// whose signals deliver the same calls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Status.h"
#include "platform/dialog/Control.h"
#include "platform/dialog/UserInput.h"

namespace platform {

class Dialog;

// What a script action on a control stands for: the input (none for an action that changes
// nothing, such as ticking a ticked box), or why the script cannot do it, in the script's words.
using ScriptInput = Expected<std::optional<UserInput>>;

// Translates `action` ("press", "tick", "type TEXT", "choose TEXT", "edit-cell R C TEXT"...)
// for `control`.
[[nodiscard]] ScriptInput TranslateControlAction(const Control& control, const UserAction& action);

// Finds the control `reference` names in `dialog` (script name or "#identifier"), checks that
// dialog and control take input, and translates `action` for it.
[[nodiscard]] ScriptInput TranslateDialogAction(const Dialog& dialog, std::string_view reference,
                                                const UserAction& action);

}  // namespace platform
