// The native control that shows one framework control: made by the system's dialog manager
// from the template, kept in step with every change the framework reports, and driven by
// sending it what a user's clicks and keys would.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/dialog/Control.h"
#include "platform/dialog/UserInput.h"
#include "platform/dialog/WindowEvent.h"
#include "platform/win32/NativeHandle.h"
#include "platform/win32/NativeState.h"

// The header of the system's control notifications, declared as the system declares it.
struct tagNMHDR;

namespace win32 {

// Hands the user's input from a native control to the dialog (Dialog::Deliver).
using InputSink = std::function<void(const platform::UserInput& input)>;

class ControlView {
public:
    ControlView(NativeWindow window, const platform::Control& control, InputSink sink);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    [[nodiscard]] NativeWindow Window() const { return window_; }
    // Follows a change of the control made from code; `control` has the new state.
    virtual void Apply(const platform::WindowEvent& change, const platform::Control& control);
    // The control's notification code of a WM_COMMAND it sent its dialog.
    virtual void OnCommand(unsigned code) { (void)code; }
    // A WM_NOTIFY the control sent its dialog.
    virtual void OnNotify(const tagNMHDR& header) { (void)header; }
    // Sends the control what the user's `input` would cause, so that its notification
    // delivers it. False, doing nothing, when the native control would not take the input
    // (the framework then gives its own answer).
    virtual bool Feed(const platform::UserInput& input) {
        (void)input;
        return false;
    }
    // Whether the control's size is its own rather than the template's (a drop-down's height
    // includes its open list; a picture takes its bitmap's size).
    [[nodiscard]] virtual bool KeepsOwnHeight() const { return false; }
    [[nodiscard]] virtual bool KeepsOwnWidth() const { return false; }
    // The framework's control is going: the view must no longer read it.
    virtual void Detach() {}
    // What the native control shows.
    [[nodiscard]] virtual NativeState Probe() const;

protected:
    // Sets the text the control shows (a caption, an edit's content).
    virtual void ShowText(const std::string& text);
    // Delivers the user's input, unless the control is being changed from code.
    void Deliver(const platform::UserInput& input) const;
    // An input of `kind` for this control.
    [[nodiscard]] platform::UserInput Input(platform::InputKind kind) const;
    // Runs `change` on the native control with its notifications kept from the framework:
    // a change made from code is no user input.
    void Quietly(const std::function<void()>& change);
    // Sends the dialog the WM_COMMAND notification `code` of this control, as the control
    // sends it when the user acts.
    void NotifyDialog(unsigned code) const;

private:
    NativeWindow window_;
    int id_;
    InputSink sink_;
    bool quiet_ = false;
};

// The view of `control`, shown by the native control `window`.
[[nodiscard]] std::unique_ptr<ControlView> MakeControlView(const platform::Control& control,
                                                           NativeWindow window, InputSink sink);

}  // namespace win32
