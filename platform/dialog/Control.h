// The base of every control kind: identity, state, text, and the user's input it takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Status.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/UserInput.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

class CellGrid;
class Control;
class EntryList;

// What a control tells its dialog after a user action (the dialog routes it to a handler).
enum class Notification {
    Clicked,           // push button pressed, check box clicked
    SelectionChanged,  // list box or drop-down selection changed by the user
    TextChanged,       // the user typed into an edit or a drop-down's edit field
    EndEdit,           // the user finished editing a grid cell
    FocusCellChanged,  // the user moved a grid's focus cell
};

// A user action on a control: a session-script verb with its arguments.
struct UserAction {
    std::string verb;
    std::vector<std::string> arguments;
};

// The result of a user action: the notification for the dialog, if the action gives one, or why
// the action was refused.
using ActionOutcome = Expected<std::optional<Notification>>;

// The window that holds controls; controls report their changes through it.
class ControlSite {
public:
    // `change` has the kind and the control's values; the site adds window and control.
    virtual void ControlChanged(const Control& control, WindowEvent change) = 0;

protected:
    ~ControlSite() = default;
};

class Control {
public:
    explicit Control(const ControlTemplate& from);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The identifier, script name and kind given by the template.
    [[nodiscard]] int Id() const { return id_; }
    [[nodiscard]] const std::string& Name() const { return name_; }
    [[nodiscard]] ControlKind Kind() const { return kind_; }
    [[nodiscard]] const DialogRect& Place() const { return place_; }
    // The template the control was made from (its initial state and style).
    [[nodiscard]] const ControlTemplate& Origin() const { return origin_; }

    [[nodiscard]] bool IsEnabled() const { return enabled_; }
    [[nodiscard]] bool IsVisible() const { return visible_; }
    void Enable(bool enable);
    void Show(bool show);

    // The window text: a button's caption, an edit's content, a drop-down's edit field.
    [[nodiscard]] const std::string& Text() const { return text_; }
    virtual void SetText(std::string text);

    // Whether the control takes input of `kind` from the user.
    [[nodiscard]] virtual bool Takes(InputKind kind) const {
        (void)kind;
        return false;
    }
    // The typed calls of the user's input; each is an error for a control that does not take
    // it. The caller (Dialog::Deliver) has checked that the control is enabled and visible.
    virtual ActionOutcome Press();
    virtual ActionOutcome Toggle();
    virtual ActionOutcome TypeText(std::string text);
    virtual ActionOutcome SelectEntry(int index);
    virtual ActionOutcome EditCell(int row, int column, std::string text);
    virtual ActionOutcome ClickCell(int row, int column);
    // Calls the typed call `input` names.
    ActionOutcome Accept(const UserInput& input);

    // Carries out a session-script action on this control alone (no dialog to notify), as
    // the headless backend translates it; unknown verbs are an error naming the kind.
    ActionOutcome Perform(const UserAction& action);

    // The entries of a list box, drop-down or list view; null for other kinds.
    [[nodiscard]] virtual const EntryList* Choices() const { return nullptr; }
    // The cells of a control shown as a grid of text cells; null for other kinds.
    [[nodiscard]] virtual const CellGrid* Cells() const { return nullptr; }

    // The kind as scripts and errors name it ("push button", "grid").
    [[nodiscard]] virtual std::string_view KindName() const = 0;

    // Connects the control to the window that holds it.
    void AttachSite(ControlSite* site) { site_ = site; }

protected:
    // Reports a change to the holding window (no-op before it is attached).
    void Report(WindowEventKind kind, int value, const std::string& text) const;
    void Report(WindowEvent change) const;
    // An error for input this control does not take.
    [[nodiscard]] ActionOutcome Unsupported(std::string_view what) const;

    std::string text_;

private:
    ControlTemplate origin_;
    int id_;
    std::string name_;
    ControlKind kind_;
    DialogRect place_;
    bool enabled_;
    bool visible_;
    ControlSite* site_ = nullptr;
};

}  // namespace platform
