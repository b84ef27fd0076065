// The changes every native control follows alike, the read-back, and the factory of views by
// control kind.
#include "platform/win32/ControlView.h"

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/GridView.h"
#include "platform/win32/ListViews.h"
#include "platform/win32/StandardViews.h"
#include "platform/win32/WideText.h"

namespace win32 {

ControlView::ControlView(NativeWindow window, const platform::Control& control, InputSink sink)
    : window_(window), id_(control.Id()), sink_(std::move(sink)) {}

void ControlView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    switch (change.kind) {
        case platform::WindowEventKind::ControlEnabled:
            EnableWindow(window_, change.value != 0);
            break;
        case platform::WindowEventKind::ControlShown:
            ShowWindow(window_, change.value != 0 ? SW_SHOWNA : SW_HIDE);
            break;
        case platform::WindowEventKind::TextSet:
        case platform::WindowEventKind::TextChanged:
            ShowText(change.text);
            break;
        default:
            break;
    }
    (void)control;  // the kinds' own views read it
}

void ControlView::ShowText(const std::string& text) {
    Quietly([&] { PutWindowText(window_, text); });
}

void ControlView::Deliver(const platform::UserInput& input) const {
    if (!quiet_) sink_(input);
}

platform::UserInput ControlView::Input(platform::InputKind kind) const {
    platform::UserInput input;
    input.kind = kind;
    input.control = id_;
    return input;
}

void ControlView::Quietly(const std::function<void()>& change) {
    const bool was = quiet_;
    quiet_ = true;
    change();
    quiet_ = was;
}

void ControlView::NotifyDialog(unsigned code) const {
    SendMessageW(GetParent(window_), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(window_), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(window_));
}

NativeState ControlView::Probe() const {
    NativeState state;
    wchar_t name[64] = {};
    GetClassNameW(window_, name, 64);
    state.className = Narrow(name);
    state.text = WindowText(window_);
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    state.place = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    state.enabled = IsWindowEnabled(window_) != FALSE;
    state.visible = (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    return state;
}

std::unique_ptr<ControlView> MakeControlView(const platform::Control& control, NativeWindow window,
                                             InputSink sink) {
    if (const platform::CellGrid* cells = control.Cells())
        return std::make_unique<GridView>(window, control, *cells, std::move(sink));
    switch (control.Kind()) {
        case platform::ControlKind::PushButton:
            return std::make_unique<ButtonView>(window, control, std::move(sink));
        case platform::ControlKind::CheckBox:
            return std::make_unique<CheckView>(window, control, std::move(sink));
        case platform::ControlKind::Edit:
            return std::make_unique<EditView>(window, control, std::move(sink));
        case platform::ControlKind::Bitmap:
            return std::make_unique<BitmapView>(window, control, std::move(sink));
        case platform::ControlKind::ProgressBar:
            return std::make_unique<ProgressView>(window, control, std::move(sink));
        case platform::ControlKind::ListBox:
            return std::make_unique<ListBoxView>(window, control, std::move(sink));
        case platform::ControlKind::DropDownList:
        case platform::ControlKind::DropDown:
            return std::make_unique<ComboView>(window, control, std::move(sink));
        case platform::ControlKind::ListView:
            return std::make_unique<ReportView>(window, control, std::move(sink));
        case platform::ControlKind::StaticText:
        case platform::ControlKind::GroupBox:
        case platform::ControlKind::Custom:
            // Labels, frames and unknown classes show a text and take no input.
            return std::make_unique<ControlView>(window, control, std::move(sink));
    }
    return std::make_unique<ControlView>(window, control, std::move(sink));
}

}  // namespace win32
