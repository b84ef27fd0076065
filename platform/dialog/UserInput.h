// The user's input to a control as typed calls, fed by every backend: the headless one from
// the session script, a desktop one from its widgets.
#pragma once

#include <string>

namespace platform {

// What the user did to a control.
enum class InputKind {
    Press,        // pressed a push button
    Toggle,       // clicked a check box
    TypeText,     // typed `text` into an edit or a drop-down's edit field
    SelectEntry,  // selected entry `index` of a list box, drop-down or list view
    EditCell,     // typed `text` into grid cell (`row`, `column`) and ended the edit
    ClickCell,    // made grid cell (`row`, `column`) the focus cell
};

// One input to control `control` (its identifier).
struct UserInput {
    InputKind kind = InputKind::Press;
    int control = 0;
    std::string text;
    int index = -1;
    int row = -1;
    int column = -1;
    friend bool operator==(const UserInput&, const UserInput&) = default;
};

}  // namespace platform
