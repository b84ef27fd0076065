// The native window that stands for the host's main window in this process: the owner of the
// dialogs, disabled while a modal dialog runs and brought forward when the add-in asks, as the
// framework says. It is never shown: in the Windows build camhost draws no window of its own.
#pragma once

#include "platform/dialog/WindowEvent.h"
#include "platform/win32/NativeHandle.h"

namespace win32 {

class HostWindow {
public:
    HostWindow() = default;
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The native window, made on first use.
    [[nodiscard]] NativeWindow Window();
    // Follows a change of the host's main window.
    void Apply(const platform::WindowEvent& event);
    // Whether the native window takes input (enabled).
    [[nodiscard]] bool IsEnabled() const;

private:
    NativeWindow window_ = nullptr;
};

}  // namespace win32
