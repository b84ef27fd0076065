// A dialog's native window: made from its template by the dialog manager, following the
// framework's changes, and passing the user's actions on.
#include "platform/win32/NativeDialog.h"

#include <cstdio>

#include "platform/windows/SystemHeaders.h"

#include "platform/dialog/DialogSystem.h"
#include "platform/win32/GridWindow.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/NativeTemplate.h"

namespace win32 {
namespace {

// The property by which a dialog window leads to its NativeDialog.
constexpr const wchar_t* kDialogProperty = L"Tavro.NativeDialog";

// How deep the framework is being called from native dialogs' messages.
int& CallbackDepth() {
    static int depth = 0;
    return depth;
}

class CallbackScope {
public:
    CallbackScope() { ++CallbackDepth(); }
    ~CallbackScope() { --CallbackDepth(); }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;
};

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetPropW(window, kDialogProperty, reinterpret_cast<HANDLE>(lParam));
        return FALSE;  // the focus comes with the window's activation, once it is shown
    }
    NativeDialog* dialog = NativeDialog::FromWindow(window);
    if (message == WM_NCDESTROY) RemovePropW(window, kDialogProperty);
    if (dialog == nullptr) return FALSE;
    const CallbackScope scope;
    return dialog->HandleMessage(message, wParam, lParam);
}

}  // namespace

NativeDialog::NativeDialog(platform::Dialog& dialog, const platform::PixelRect& rect,
                           NativeWindow owner, InputSink sink)
    : handle_(dialog.Handle()) {
    const auto& controls = dialog.Controls();
    std::vector<NativeItem> items;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->Cells() != nullptr)
            RegisterGridWindowClass(controls[i]->Origin().className);
        items.push_back(NativeItemOf(*controls[i], NativeIdOf(*controls[i], i)));
    }
    const std::vector<std::uint8_t> bytes = BuildNativeTemplate(*dialog.Template(), items);
    window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
                                         DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) {
        std::fprintf(stderr, "win32: the system made no window for dialog \"%s\": %s\n",
                     dialog.Label().c_str(), platform::SystemErrorText(GetLastError()).c_str());
        return;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const platform::Control& control = *controls[i];
        HWND child = GetDlgItem(window_, static_cast<int>(items[i].id));
        std::unique_ptr<ControlView> view =
            child != nullptr ? MakeControlView(control, child, sink) : nullptr;
        if (view != nullptr) {
            if (control.Id() != platform::kStaticId) byId_[control.Id()] = view.get();
            byWindow_[child] = view.get();
            // Group boxes frame the controls after them: they go behind every other control.
            if (control.Kind() == platform::ControlKind::GroupBox)
                SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        views_.push_back(std::move(view));
    }
    const platform::DialogStyle& style = dialog.Template()->style;
    Place(rect, style.centred && !style.origin);
}

NativeDialog::~NativeDialog() { Destroy(); }

NativeDialog* NativeDialog::FromWindow(NativeWindow window) {
    return window != nullptr ? static_cast<NativeDialog*>(GetPropW(window, kDialogProperty))
                             : nullptr;
}

bool NativeDialog::InCallback() { return CallbackDepth() > 0; }

platform::Dialog* NativeDialog::Owner() const {
    platform::Window* window = platform::WindowFromHandle(handle_);
    return window != nullptr ? window->AsDialog() : nullptr;
}

ControlView* NativeDialog::ViewOf(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

ControlView* NativeDialog::ViewOfWindow(NativeWindow window) const {
    const auto found = byWindow_.find(window);
    return found == byWindow_.end() ? nullptr : found->second;
}

void NativeDialog::Place(const platform::PixelRect& rect, bool centred) {
    if (window_ == nullptr) return;
    // The framework's rectangle has the client area's size; the frame goes around it.
    RECT frame{0, 0, rect.width, rect.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = rect.left;
    int top = rect.top;
    if (centred) {
        // Centred by the whole window, frame included.
        left -= (width - rect.width) / 2;
        top -= (height - rect.height) / 2;
    }
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

platform::PixelRect NativeDialog::MapDialogUnits(const platform::DialogRect& rect) const {
    // Position and size as the two corners of one rectangle, so that each is rounded alone.
    RECT mapped{rect.x, rect.y, rect.width, rect.height};
    MapDialogRect(window_, &mapped);
    return {mapped.left, mapped.top, mapped.right, mapped.bottom};
}

platform::PixelRect NativeDialog::ClientArea() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {0, 0, client.right, client.bottom};
}

bool NativeDialog::IsEnabled() const { return window_ != nullptr && IsWindowEnabled(window_); }

platform::PixelRect NativeDialog::ScreenPlace() const {
    RECT place{};
    GetWindowRect(window_, &place);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

void NativeDialog::Apply(const platform::WindowEvent& event) {
    if (window_ == nullptr) return;
    if (!event.control.empty()) {
        ControlView* view = ViewOf(event.controlId);
        platform::Dialog* dialog = Owner();
        platform::Control* control =
            dialog != nullptr ? dialog->FindControl(event.controlId) : nullptr;
        if (view != nullptr && control != nullptr) view->Apply(event, *control);
        return;
    }
    switch (event.kind) {
        case platform::WindowEventKind::Shown:
            ShowWindow(window_, SW_SHOW);
            break;
        case platform::WindowEventKind::Hidden:
            ShowWindow(window_, SW_HIDE);
            break;
        case platform::WindowEventKind::Enabled:
        case platform::WindowEventKind::Disabled:
            EnableWindow(window_, event.kind == platform::WindowEventKind::Enabled);
            break;
        case platform::WindowEventKind::Focused:
        case platform::WindowEventKind::Foreground:
            SetForegroundWindow(window_);
            break;
        case platform::WindowEventKind::Redrawn:
            RedrawWindow(window_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            break;
        case platform::WindowEventKind::Moved:
            Place(event.rect, /*centred=*/false);
            break;
        default:
            break;
    }
}

platform::Status NativeDialog::CloseFromSystemMenu() {
    closeRefusal_ = {};
    if (window_ != nullptr) SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return closeRefusal_;
}

void NativeDialog::PressEscape() {
    if (window_ == nullptr) return;
    // The key goes to the control with the focus, as the user's key would.
    HWND focus = GetFocus();
    MSG key{};
    key.hwnd = focus != nullptr && IsChild(window_, focus) ? focus : window_;
    key.message = WM_KEYDOWN;
    key.wParam = VK_ESCAPE;
    key.lParam = 1;  // pressed once
    RouteMessage(key);
}

void NativeDialog::HoldInput(bool hold) {
    if (window_ == nullptr) return;
    const platform::Dialog* dialog = Owner();
    EnableWindow(window_, !hold && dialog != nullptr && dialog->IsEnabled());
}

void NativeDialog::KeyboardCancel() {
    const CallbackScope scope;
    if (platform::Dialog* dialog = Owner()) dialog->RequestKeyboardCancel();
}

void NativeDialog::Destroy() {
    if (window_ == nullptr) return;
    for (const auto& view : views_)
        if (view != nullptr) view->Detach();
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
}

std::intptr_t NativeDialog::HandleMessage(unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    switch (message) {
        case WM_COMMAND: {
            const auto control = reinterpret_cast<HWND>(lParam);
            if (ControlView* view = ViewOfWindow(control)) {
                view->OnCommand(HIWORD(wParam));
            } else if (control == nullptr && LOWORD(wParam) == IDCANCEL) {
                // The dialog manager's Escape in a dialog without a Cancel button.
                KeyboardCancel();
            }
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (ControlView* view = ViewOfWindow(header.hwndFrom)) view->OnNotify(header);
            return TRUE;
        }
        case WM_CLOSE:
            // Close from the system menu: the dialog decides; the window goes when the
            // framework says so.
            if (platform::Dialog* dialog = Owner()) closeRefusal_ = dialog->RequestSystemClose();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace win32
