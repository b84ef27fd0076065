// The system's dialog window of one framework dialog: created by the dialog manager from the
// in-memory template, its controls' views, the window changes the framework reports, and the
// dialog procedure that passes the controls' notifications, the user's closing and Escape to
// the framework.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/Dialog.h"
#include "platform/win32/ControlView.h"

namespace win32 {

class NativeDialog {
public:
    // A hidden native dialog for `dialog` (just created) at `rect`, owned by `owner`; the
    // user's input goes to `sink`. Exists() says whether the system made it.
    NativeDialog(platform::Dialog& dialog, const platform::PixelRect& rect, NativeWindow owner,
                 InputSink sink);
    ~NativeDialog();
    NativeDialog(const NativeDialog&) = delete;
    NativeDialog& operator=(const NativeDialog&) = delete;

    [[nodiscard]] bool Exists() const { return window_ != nullptr; }
    [[nodiscard]] NativeWindow Window() const { return window_; }
    // Follows a change of this window or one of its controls.
    void Apply(const platform::WindowEvent& event);
    // The view of control `id`, or null.
    [[nodiscard]] ControlView* ViewOf(int id) const;
    // Every view, in the order of the dialog's controls (null where the system made none).
    [[nodiscard]] const std::vector<std::unique_ptr<ControlView>>& Views() const { return views_; }
    // A place in dialog units as the dialog manager converts a control's: its position and its
    // size each converted by the system (MapDialogRect) for this dialog.
    [[nodiscard]] platform::PixelRect MapDialogUnits(const platform::DialogRect& rect) const;
    // The size of the client area in pixels.
    [[nodiscard]] platform::PixelRect ClientArea() const;
    // Whether the native window takes the user's input.
    [[nodiscard]] bool IsEnabled() const;
    // The whole window's place on the screen, frame included.
    [[nodiscard]] platform::PixelRect ScreenPlace() const;

    // The system menu's Close as the user chooses it; the dialog's refusal, if any.
    platform::Status CloseFromSystemMenu();
    // The Escape key as the user presses it in the window.
    void PressEscape();
    // While a nested dialog's loop runs, this one takes no input (held), as the system's modal
    // dialogs disable their owner; released, it is as the framework says again.
    void HoldInput(bool hold);
    // The framework's window is going: the views stop reading its controls, and the native
    // window goes.
    void Destroy();

    // The native dialog of `window`, or null for a window that is none of ours.
    [[nodiscard]] static NativeDialog* FromWindow(NativeWindow window);
    // Whether the framework is being called from inside a native dialog's message: objects on
    // the stack must then outlive the call.
    [[nodiscard]] static bool InCallback();

    // The dialog procedure's work (its arguments as the system's WPARAM and LPARAM).
    std::intptr_t HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // Escape reached the dialog (and no control wanted it).
    void KeyboardCancel();

private:
    [[nodiscard]] platform::Dialog* Owner() const;
    [[nodiscard]] ControlView* ViewOfWindow(NativeWindow window) const;
    void Place(const platform::PixelRect& rect, bool centred);

    platform::WindowHandle handle_;
    NativeWindow window_ = nullptr;
    std::map<int, ControlView*> byId_;
    std::map<NativeWindow, ControlView*> byWindow_;
    std::vector<std::unique_ptr<ControlView>> views_;
    platform::Status closeRefusal_;
};

}  // namespace win32
