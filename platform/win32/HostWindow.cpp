// The host's stand-in native window: a plain hidden top-level window.
#include "platform/win32/HostWindow.h"

#include "platform/windows/SystemHeaders.h"

#include "platform/dialog/Window.h"

namespace win32 {
namespace {

constexpr const wchar_t* kHostWindowClass = L"Tavro.HostWindow";
constexpr const wchar_t* kHostWindowTitle = L"camhost";

void RegisterHostWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kHostWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

HostWindow::~HostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

NativeWindow HostWindow::Window() {
    if (window_ == nullptr) {
        RegisterHostWindowClass();
        window_ = CreateWindowExW(0, kHostWindowClass, kHostWindowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    return window_;
}

void HostWindow::Apply(const platform::WindowEvent& event) {
    switch (event.kind) {
        case platform::WindowEventKind::Enabled:
        case platform::WindowEventKind::Disabled:
            EnableWindow(Window(), event.kind == platform::WindowEventKind::Enabled);
            break;
        case platform::WindowEventKind::Foreground:
        case platform::WindowEventKind::Focused:
            // A hidden window in front would take the keys from the dialogs shown.
            if (IsWindowVisible(Window())) SetForegroundWindow(Window());
            break;
        case platform::WindowEventKind::Created: {
            // A new main window starts as the framework made it.
            const platform::Window* host = platform::WindowFromHandle(event.handle);
            EnableWindow(Window(), host == nullptr || host->IsEnabled());
            break;
        }
        default:
            break;
    }
}

bool HostWindow::IsEnabled() const { return window_ == nullptr || IsWindowEnabled(window_); }

}  // namespace win32
