// Window registration by handle and the window services, each reporting what changed.
#include "platform/dialog/Window.h"

#include "platform/Invariant.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/DialogUnits.h"
#include "platform/dialog/SessionState.h"

namespace platform {
namespace {

// Handles are never reused, not even across ResetDialogSystem.
std::uint32_t NextHandleValue() {
    static std::uint32_t next = 0;
    return ++next;
}

}  // namespace

Window::~Window() { DetachWindow(); }

void Window::AttachWindow(bool visible, bool enabled, const PixelRect& rect) {
    TAVRO_INVARIANT(!handle_, "a window object holds one window at a time");
    handle_ = WindowHandle{NextHandleValue()};
    visible_ = visible;
    enabled_ = enabled;
    rect_ = rect;
    Session().windows[handle_] = this;
}

void Window::DetachWindow() {
    if (!handle_) return;
    DialogSession& session = Session();
    session.windows.erase(handle_);
    session.queue.ForgetWindow(handle_);
    if (session.focus == handle_) session.focus = {};
    if (session.foreground == handle_) session.foreground = {};
    if (session.mainWindow == handle_) session.mainWindow = {};
    handle_ = {};
    visible_ = false;
}

void Window::Emit(WindowEventKind kind, int value, std::string control, std::string text,
                  PixelRect rect) const {
    WindowEvent event;
    event.kind = kind;
    event.control = std::move(control);
    event.value = value;
    event.text = std::move(text);
    event.rect = rect;
    Emit(std::move(event));
}

void Window::Emit(WindowEvent event) const {
    event.window = Label();
    event.hostWindow = IsHostWindow();
    event.handle = handle_;
    CurrentBackend().OnWindowEvent(event);
}

void Window::Show(bool show) {
    TAVRO_INVARIANT(handle_, "Show needs a window: create the dialog first");
    if (visible_ == show) return;
    // Told before the change, as the system does, so that a window can move itself first.
    OnShowWindow(show);
    visible_ = show;
    Emit(show ? WindowEventKind::Shown : WindowEventKind::Hidden);
}

void Window::Enable(bool enable) {
    TAVRO_INVARIANT(handle_, "Enable needs a window: create the dialog first");
    if (enabled_ == enable) return;
    enabled_ = enable;
    Emit(enable ? WindowEventKind::Enabled : WindowEventKind::Disabled);
}

void Window::Focus() {
    TAVRO_INVARIANT(handle_, "Focus needs a window: create the dialog first");
    if (Session().focus == handle_) return;
    Session().focus = handle_;
    Emit(WindowEventKind::Focused);
}

void Window::BringToForeground() {
    TAVRO_INVARIANT(handle_, "BringToForeground needs a window: create the dialog first");
    if (Session().foreground == handle_) return;
    Session().foreground = handle_;
    Emit(WindowEventKind::Foreground);
}

void Window::RedrawNow() {
    TAVRO_INVARIANT(handle_, "RedrawNow needs a window: create the dialog first");
    Emit(WindowEventKind::Redrawn);
}

void Window::Move(const PixelRect& rect) {
    TAVRO_INVARIANT(handle_, "Move needs a window: create the dialog first");
    if (rect_ == rect) return;
    rect_ = rect;
    Emit(WindowEventKind::Moved, 0, {}, {}, rect_);
}

// The host's window is often made before a backend is chosen, and goes after the session was
// reset; it is reported only to a backend already installed, never installing one.
HostMainWindow::HostMainWindow() {
    DialogBackend* backend = InstalledBackend();
    const PixelSize screen =
        backend != nullptr ? backend->ScreenSize() : PixelSize{kScreenWidth, kScreenHeight};
    AttachWindow(/*visible=*/true, /*enabled=*/true, {0, 0, screen.width, screen.height});
    if (!MainWindow()) SetMainWindow(Handle());
    if (backend != nullptr) {
        WindowEvent created;
        created.kind = WindowEventKind::Created;
        created.hostWindow = true;
        created.handle = Handle();
        created.rect = Rect();
        backend->OnWindowEvent(created);
    }
}

HostMainWindow::~HostMainWindow() {
    const WindowHandle handle = Handle();
    DetachWindow();
    if (DialogBackend* backend = InstalledBackend()) {
        WindowEvent destroyed;
        destroyed.kind = WindowEventKind::Destroyed;
        destroyed.hostWindow = true;
        destroyed.handle = handle;
        backend->OnWindowEvent(destroyed);
    }
}

Window* WindowFromHandle(WindowHandle handle) {
    const auto& windows = Session().windows;
    const auto found = windows.find(handle);
    return found == windows.end() ? nullptr : found->second;
}

bool ShowWindow(WindowHandle handle, bool show) {
    Window* window = WindowFromHandle(handle);
    if (window != nullptr) window->Show(show);
    return window != nullptr;
}

bool EnableWindow(WindowHandle handle, bool enable) {
    Window* window = WindowFromHandle(handle);
    if (window != nullptr) window->Enable(enable);
    return window != nullptr;
}

bool SetFocus(WindowHandle handle) {
    Window* window = WindowFromHandle(handle);
    if (window != nullptr) window->Focus();
    return window != nullptr;
}

bool SetForegroundWindow(WindowHandle handle) {
    Window* window = WindowFromHandle(handle);
    if (window != nullptr) window->BringToForeground();
    return window != nullptr;
}

WindowHandle FocusWindow() { return Session().focus; }

WindowHandle ForegroundWindow() { return Session().foreground; }

void SetMainWindow(WindowHandle handle) { Session().mainWindow = handle; }

WindowHandle MainWindow() { return Session().mainWindow; }

}  // namespace platform
