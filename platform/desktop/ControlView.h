// The widget that shows one control: made from the control's state, kept in step with every
// change the framework reports, and driven like a user would drive it.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "platform/dialog/Control.h"
#include "platform/dialog/UserInput.h"
#include "platform/dialog/WindowEvent.h"

namespace desktop {

// Hands the user's input from a widget to the dialog (Dialog::Deliver).
using InputSink = std::function<void(const platform::UserInput& input)>;

class ControlView {
public:
    explicit ControlView(InputSink sink) : sink_(std::move(sink)) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    [[nodiscard]] virtual QWidget* Widget() const = 0;
    // Follows a change of the control made from code; `control` has the new state.
    virtual void Apply(const platform::WindowEvent& change, const platform::Control& control);
    // Acts on the widget as the user would for `input`, so that its signal delivers it.
    virtual void Feed(const platform::UserInput& input) { (void)input; }
    // Whether the widget's height is its own rather than the template's (a drop-down's
    // template height includes its open list).
    [[nodiscard]] virtual bool KeepsOwnHeight() const { return false; }

protected:
    // Sets the text the control shows (a caption, an edit's content).
    virtual void ShowText(const std::string& text) { (void)text; }
    void Deliver(const platform::UserInput& input) const { sink_(input); }
    // An input of `kind` for control `id`.
    [[nodiscard]] static platform::UserInput Input(platform::InputKind kind, int id);

private:
    InputSink sink_;
};

// A caption with the native framework's mnemonic marks ("&File") as plain text ("File"; "&&"
// is one "&").
[[nodiscard]] QString PlainCaption(const std::string& caption);

// The view of `control`, its widget a child of `parent`.
[[nodiscard]] std::unique_ptr<ControlView> MakeControlView(const platform::Control& control,
                                                           QWidget* parent, InputSink sink);

}  // namespace desktop
