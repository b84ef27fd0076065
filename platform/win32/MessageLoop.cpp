// Routing of queued messages: Escape first, then the dialog manager, then dispatch.
#include "platform/win32/MessageLoop.h"

#include <algorithm>

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/NativeDialog.h"

namespace win32 {
namespace {

// Whether the control a key goes to takes it itself (an open drop-down, an in-place editor).
bool ControlWantsKey(MSG& message) {
    const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                      reinterpret_cast<LPARAM>(&message));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

}  // namespace

void RouteMessage(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (NativeDialog* dialog = NativeDialog::FromWindow(root)) {
        // The dialog manager makes Escape a click on the Cancel button; the framework tells a
        // cancel from the keyboard apart from a press of Cancel.
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
            !ControlWantsKey(message)) {
            dialog->KeyboardCancel();
            return;
        }
        if (IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void PumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Nothing here ends the program's loops by quitting: the framework ends them.
        if (message.message == WM_QUIT) continue;
        RouteMessage(message);
    }
}

void WaitForMessages(std::int64_t milliseconds) {
    const DWORD timeout =
        milliseconds < 0 ? INFINITE
                         : static_cast<DWORD>(std::min<std::int64_t>(milliseconds, 0x7FFFFFFF));
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace win32
