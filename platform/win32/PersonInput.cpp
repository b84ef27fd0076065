// A person's input as posted messages: button presses at a place, characters and keys.
#include "platform/win32/PersonInput.h"

#include <map>

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/GridWindow.h"
#include "platform/win32/WideText.h"

namespace win32 {
namespace {

std::map<UINT_PTR, std::function<void()>>& Pending() {
    static std::map<UINT_PTR, std::function<void()>> pending;
    return pending;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const auto found = Pending().find(timer);
    if (found == Pending().end()) return;
    const std::function<void()> action = std::move(found->second);
    Pending().erase(found);
    action();
}

void PostButton(HWND window, int x, int y, bool twice) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    if (!twice) return;
    PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

UINT VirtualKeyOf(Key key) {
    switch (key) {
        case Key::Enter:
            return VK_RETURN;
        case Key::Escape:
            return VK_ESCAPE;
        case Key::Tab:
            return VK_TAB;
        case Key::F2:
            return VK_F2;
    }
    return VK_RETURN;
}

}  // namespace

void RunLater(int milliseconds, std::function<void()> action) {
    const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), RunPending);
    if (timer != 0) Pending()[timer] = std::move(action);
}

bool Click(const NativeDialog& dialog, int id) {
    const ControlView* view = dialog.ViewOf(id);
    if (view == nullptr) return false;
    RECT client{};
    GetClientRect(view->Window(), &client);
    PostButton(view->Window(), client.right / 2, client.bottom / 2, /*twice=*/false);
    return true;
}

bool ClickCell(const NativeDialog& dialog, int id, int row, int column, bool twice) {
    const ControlView* view = dialog.ViewOf(id);
    const auto at = view != nullptr ? ScrollToGridCell(view->Window(), row, column) : std::nullopt;
    if (!at) return false;
    PostButton(view->Window(), at->x, at->y, twice);
    return true;
}

void TypeText(std::string_view text) {
    HWND focus = GetFocus();
    for (const wchar_t c : Widen(text)) PostMessageW(focus, WM_CHAR, c, 1);
}

void PressKey(Key key) {
    HWND focus = GetFocus();
    const UINT code = VirtualKeyOf(key);
    PostMessageW(focus, WM_KEYDOWN, code, 1);
    // The character the key makes, as TranslateMessage would post it.
    if (key == Key::Enter || key == Key::Escape || key == Key::Tab)
        PostMessageW(focus, WM_CHAR, code, 1);
    PostMessageW(focus, WM_KEYUP, code, 0xC0000001);
}

}  // namespace win32
