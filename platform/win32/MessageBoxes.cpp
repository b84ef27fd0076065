// Message boxes, answered by a person or clicked OK as soon as they are up.
#include "platform/win32/MessageBoxes.h"

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/NativeDialog.h"
#include "platform/win32/WideText.h"

namespace win32 {
namespace {

// The title of message boxes, which have no caption of their own.
constexpr const char* kMessageTitle = "Tavro";

HHOOK& AnsweringHook() {
    static HHOOK hook = nullptr;
    return hook;
}

// When the message box is activated, its OK button is clicked: the click is posted, so that
// the box's own loop takes it once the box is ready.
LRESULT CALLBACK AnswerWhenActivated(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (NativeDialog::FromWindow(box) == nullptr)
            if (HWND ok = GetDlgItem(box, IDOK)) PostMessageW(ok, BM_CLICK, 0, 0);
    }
    return CallNextHookEx(AnsweringHook(), code, wParam, lParam);
}

}  // namespace

void ShowMessageBox(const std::string& text, NativeWindow owner, bool answerAtOnce) {
    if (answerAtOnce)
        AnsweringHook() =
            SetWindowsHookExW(WH_CBT, AnswerWhenActivated, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, Widen(text).c_str(), Widen(kMessageTitle).c_str(), MB_OK);
    if (AnsweringHook() != nullptr) {
        UnhookWindowsHookEx(AnsweringHook());
        AnsweringHook() = nullptr;
    }
}

}  // namespace win32
