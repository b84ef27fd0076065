// The simple control kinds: push button, check box, edit, static text, group box, bitmap,
// progress bar.
#pragma once

#include "platform/dialog/Control.h"

namespace platform {

// A push button; a press notifies Clicked.
class PushButton : public Control {
public:
    explicit PushButton(const ControlTemplate& from)
        : Control(from), default_(from.defaultButton) {}
    // Whether Enter presses this button.
    [[nodiscard]] bool IsDefault() const { return default_; }
    [[nodiscard]] bool Takes(InputKind kind) const override { return kind == InputKind::Press; }
    ActionOutcome Press() override { return Notification::Clicked; }
    [[nodiscard]] std::string_view KindName() const override { return "push button"; }

private:
    bool default_;
};

// A check box that toggles itself when clicked; a click notifies Clicked.
class CheckBox : public Control {
public:
    explicit CheckBox(const ControlTemplate& from) : Control(from), checked_(from.checked) {}
    [[nodiscard]] bool IsChecked() const { return checked_; }
    void SetChecked(bool checked);
    [[nodiscard]] bool Takes(InputKind kind) const override { return kind == InputKind::Toggle; }
    ActionOutcome Toggle() override;
    [[nodiscard]] std::string_view KindName() const override { return "check box"; }

private:
    bool checked_;
};

// A single-line edit; typing replaces its text and notifies TextChanged unless read-only.
// A read-only edit serves as a status line: its text changes are status changes.
class Edit : public Control {
public:
    explicit Edit(const ControlTemplate& from) : Control(from), readOnly_(from.readOnly) {}
    [[nodiscard]] bool IsReadOnly() const { return readOnly_; }
    void SetText(std::string text) override;
    [[nodiscard]] bool Takes(InputKind kind) const override { return kind == InputKind::TypeText; }
    ActionOutcome TypeText(std::string text) override;
    [[nodiscard]] std::string_view KindName() const override { return "edit"; }

private:
    bool readOnly_;
};

// Static text (a label or a status text); its text changes are status changes.
class StaticText : public Control {
public:
    explicit StaticText(const ControlTemplate& from) : Control(from), centred_(from.centred) {}
    [[nodiscard]] bool IsCentred() const { return centred_; }
    void SetText(std::string text) override;
    [[nodiscard]] std::string_view KindName() const override { return "static text"; }

private:
    bool centred_;
};

// A group box: a frame with a caption around other controls.
class GroupBox : public Control {
public:
    using Control::Control;
    [[nodiscard]] std::string_view KindName() const override { return "group box"; }
};

// A picture; its caption names the bitmap resource.
class Bitmap : public Control {
public:
    using Control::Control;
    [[nodiscard]] std::string_view KindName() const override { return "bitmap"; }
};

// A progress bar with a range (default 0 to 100) and a position kept inside it.
class ProgressBar : public Control {
public:
    using Control::Control;
    // Sets the range; an empty or inverted range is kept as given, positions clamp to it.
    void SetRange(int lower, int upper);
    [[nodiscard]] int Lower() const { return lower_; }
    [[nodiscard]] int Upper() const { return upper_; }
    // Moves the bar, clamped to the range; returns the previous position.
    int SetPosition(int position);
    [[nodiscard]] int Position() const { return position_; }
    [[nodiscard]] std::string_view KindName() const override { return "progress bar"; }

private:
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
};

}  // namespace platform
