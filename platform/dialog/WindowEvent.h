// A visible change of a window or control, as the framework reports it to the backend.
#pragma once

#include <string>

namespace platform {

// A window's place and size on the screen, in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What changed. Only changes are reported: setting a state a window already has is no event.
enum class WindowEventKind {
    Shown,
    Hidden,
    Enabled,
    Disabled,
    Focused,
    Foreground,
    Redrawn,          // an immediate redraw was requested
    Moved,            // `rect` is the window's new place and size
    Ended,            // a dialog's loop ended; `value` is its result
    Destroyed,        // a modeless dialog's window went away
    Failed,           // a dialog could not be created; `value` is its template, `text` why
    ProgressChanged,  // `value` is the new position of progress bar `control`
    TextChanged,      // `text` is the new text of status control `control`
};

struct WindowEvent {
    WindowEventKind kind = WindowEventKind::Shown;
    std::string window;       // the dialog's caption; empty for the host window
    bool hostWindow = false;  // the event concerns the host's main window
    std::string control;      // the control's script name, for control events
    int value = 0;
    std::string text;
    PixelRect rect;
};

}  // namespace platform
