// Windows and the services on them: show, hide, enable, focus, foreground, immediate redraw.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialog/WindowEvent.h"
#include "platform/dialog/WindowHandle.h"

namespace platform {

class Dialog;

// A window of the process: a dialog, or the host's main window. The object may outlive its
// window (a dialog object before Create and after DestroyWindow has none).
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The handle of the window, 0 when it has none.
    [[nodiscard]] WindowHandle Handle() const { return handle_; }
    [[nodiscard]] bool HasWindow() const { return static_cast<bool>(handle_); }
    [[nodiscard]] bool IsVisible() const { return visible_; }
    [[nodiscard]] bool IsEnabled() const { return enabled_; }

    // Shows or hides the window; OnShowWindow precedes a change.
    void Show(bool show);
    // Enables or disables the window for the user's input.
    void Enable(bool enable);
    // Gives the window the keyboard focus.
    void Focus();
    // Brings the window to the foreground.
    void BringToForeground();
    // Redraws the window now rather than when the loop is idle.
    void RedrawNow();
    // Moves and sizes the window.
    void Move(const PixelRect& rect);
    // The window's place and size.
    [[nodiscard]] const PixelRect& Rect() const { return rect_; }

    // The caption by which the transcript names the window.
    [[nodiscard]] virtual std::string Label() const = 0;
    // Whether this is the host's main window.
    [[nodiscard]] virtual bool IsHostWindow() const { return false; }
    // The dialog this window is, for backends that show its controls; null for others.
    [[nodiscard]] virtual Dialog* AsDialog() { return nullptr; }

    // A timer of this window came due.
    virtual void OnTimer(int id) { (void)id; }
    // A message posted to this window is delivered.
    virtual void OnMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
        (void)message, (void)wParam, (void)lParam;
    }

protected:
    // Gives the object a window with a new handle, at `rect`.
    void AttachWindow(bool visible, bool enabled, const PixelRect& rect);
    // Takes the window away: its timers and posted messages go, focus and foreground leave it.
    void DetachWindow();
    // Reports a change of this window to the backend.
    void Emit(WindowEventKind kind, int value = 0, std::string control = {}, std::string text = {},
              PixelRect rect = {}) const;
    // Reports `event` after filling in this window's caption and handle.
    void Emit(WindowEvent event) const;
    // The window is about to be shown or hidden.
    virtual void OnShowWindow(bool shown) { (void)shown; }

private:
    WindowHandle handle_;
    bool visible_ = false;
    bool enabled_ = true;
    PixelRect rect_;
};

// The host's main window: created by the host program (or a test) and made the owner of
// dialogs created without a parent.
class HostMainWindow : public Window {
public:
    HostMainWindow();
    ~HostMainWindow() override;
    [[nodiscard]] std::string Label() const override { return {}; }
    [[nodiscard]] bool IsHostWindow() const override { return true; }
};

// The window a handle names, or null when it names none.
[[nodiscard]] Window* WindowFromHandle(WindowHandle handle);

// Services for windows known only by handle; each returns false when the handle names no
// window, as the system's own services do.
bool ShowWindow(WindowHandle handle, bool show);
bool EnableWindow(WindowHandle handle, bool enable);
bool SetFocus(WindowHandle handle);
bool SetForegroundWindow(WindowHandle handle);

// The window with the keyboard focus, and the one in the foreground (0 for none).
[[nodiscard]] WindowHandle FocusWindow();
[[nodiscard]] WindowHandle ForegroundWindow();

// The owner of dialogs created without a parent (the host's main window), 0 for none.
void SetMainWindow(WindowHandle handle);
[[nodiscard]] WindowHandle MainWindow();

}  // namespace platform
