// Dialog templates as data: the face of a dialog (caption, size, font, style) and its controls.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Identifier of controls that no code addresses (labels); scripts reach them by name only.
inline constexpr int kStaticId = -1;

// The kinds of control a template can hold. `Custom` names a control class registered with
// RegisterControlClass (the editable grid is one).
enum class ControlKind {
    PushButton,
    CheckBox,
    Edit,
    StaticText,
    GroupBox,
    Bitmap,
    ListView,      // report view: columns and items
    ListBox,       // single selection
    DropDownList,  // choice only
    DropDown,      // entries plus an edit field
    ProgressBar,
    Custom,
};

// A rectangle in dialog units.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// One control of a template, with its state when the dialog is created.
struct ControlTemplate {
    int id = kStaticId;
    std::string name;  // stable name used by session scripts, unique in its template
    ControlKind kind = ControlKind::StaticText;
    std::string caption;  // button and label text, initial edit text, bitmap resource name
    DialogRect place;
    bool disabled = false;
    bool hidden = false;
    bool checked = false;        // check boxes
    bool defaultButton = false;  // push buttons
    bool readOnly = false;       // edits
    bool centred = false;        // static text
    bool border = false;
    bool verticalScroll = false;
    std::string className;  // control class of a Custom control

    // Setters of the initial state, for templates written as chains of calls.
    ControlTemplate& Disabled() { return Set(disabled); }
    ControlTemplate& Hidden() { return Set(hidden); }
    ControlTemplate& Checked() { return Set(checked); }
    ControlTemplate& Default() { return Set(defaultButton); }
    ControlTemplate& ReadOnly() { return Set(readOnly); }
    ControlTemplate& Centred() { return Set(centred); }
    ControlTemplate& Border() { return Set(border); }
    ControlTemplate& VerticalScroll() { return Set(verticalScroll); }

private:
    ControlTemplate& Set(bool& flag) {
        flag = true;
        return *this;
    }
};

// A control of `kind` with its identifier, script name, caption and place; the initial state
// is set on the result (MakeControl(...).Disabled()).
[[nodiscard]] inline ControlTemplate MakeControl(ControlKind kind, int id, std::string name,
                                                 std::string caption, DialogRect place) {
    ControlTemplate control;
    control.id = id;
    control.name = std::move(name);
    control.kind = kind;
    control.caption = std::move(caption);
    control.place = place;
    return control;
}

// A control of a registered control class (a Custom control).
[[nodiscard]] inline ControlTemplate MakeCustomControl(std::string className, int id,
                                                       std::string name, DialogRect place) {
    ControlTemplate control = MakeControl(ControlKind::Custom, id, std::move(name), {}, place);
    control.className = std::move(className);
    return control;
}

// The font of a dialog.
struct DialogFont {
    std::string face = "MS Shell Dlg";
    int points = 8;
    friend bool operator==(const DialogFont&, const DialogFont&) = default;
};

// Where a dialog appears and which window decorations it has.
struct DialogStyle {
    bool centred = false;              // centred on the screen, else default placement
    std::optional<DialogRect> origin;  // fixed place (x, y) in dialog units when set
    bool systemMenu = true;            // a system menu whose Close ends the dialog
    bool topmost = false;              // stays on top of other windows
    bool visible = false;              // shown as soon as it is created (modeless)
};

// A dialog template: identifier, caption, client size in dialog units, font, style, controls.
struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;
    int height = 0;
    DialogFont font;
    DialogStyle style;
    std::vector<ControlTemplate> controls;
};

}  // namespace platform
