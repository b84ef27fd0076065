// The base of every control kind: identity, state, text, and the user actions it accepts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

class Control;

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

// The result of a user action: an error, or optionally a notification for the dialog.
struct ActionOutcome {
    std::string error;
    std::optional<Notification> notification;

    [[nodiscard]] bool Failed() const { return !error.empty(); }
    [[nodiscard]] static ActionOutcome Error(std::string text) { return {std::move(text), {}}; }
    [[nodiscard]] static ActionOutcome Notify(Notification n) { return {{}, n}; }
    [[nodiscard]] static ActionOutcome Quiet() { return {}; }
};

// The window that holds controls; controls report visible changes through it.
class ControlSite {
public:
    virtual void ControlChanged(const Control& control, WindowEventKind kind, int value,
                                const std::string& text) = 0;

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

    [[nodiscard]] bool IsEnabled() const { return enabled_; }
    [[nodiscard]] bool IsVisible() const { return visible_; }
    void Enable(bool enable) { enabled_ = enable; }
    void Show(bool show) { visible_ = show; }

    // The window text: a button's caption, an edit's content, a drop-down's edit field.
    [[nodiscard]] const std::string& Text() const { return text_; }
    virtual void SetText(std::string text);

    // Carries out a user action of the session script; unknown verbs are an error naming the
    // kind. The caller has checked that the control is enabled and visible.
    virtual ActionOutcome Perform(const UserAction& action);

    // The kind as scripts and errors name it ("push button", "grid").
    [[nodiscard]] virtual std::string_view KindName() const = 0;

    // Connects the control to the window that holds it.
    void AttachSite(ControlSite* site) { site_ = site; }

protected:
    // Reports a visible change to the holding window (no-op before it is attached).
    void Report(WindowEventKind kind, int value, const std::string& text) const;
    // An error for an action this control does not take.
    [[nodiscard]] ActionOutcome Unsupported(const UserAction& action) const;
    // An error unless `action` has exactly `count` arguments.
    [[nodiscard]] static std::optional<ActionOutcome> WrongArgumentCount(const UserAction& action,
                                                                         std::size_t count);
    // A whole decimal integer, or nothing.
    [[nodiscard]] static std::optional<int> ParseInteger(std::string_view word);

    std::string text_;

private:
    int id_;
    std::string name_;
    ControlKind kind_;
    DialogRect place_;
    bool enabled_;
    bool visible_;
    ControlSite* site_ = nullptr;
};

}  // namespace platform
