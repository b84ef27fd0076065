// The in-place editor: an edit box subclassed for the keys that end an edit.
#include "platform/win32/GridEditor.h"

#include "platform/win32/WideText.h"
#include "platform/windows/SystemHeaders.h"

namespace win32 {
namespace {

// The property by which an edit box leads to its editor while an edit is open.
constexpr const wchar_t* kEditorProperty = L"Tavro.GridEditor";

LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* editor = static_cast<GridEditor*>(GetPropW(box, kEditorProperty)))
        return editor->Handle(message, wParam, lParam);
    // A box its editor let go of is a plain edit box again.
    const auto base = reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
    return CallWindowProcW(base, box, message, wParam, lParam);
}

}  // namespace

GridEditor::~GridEditor() { Abandon(); }

NativeWindow GridEditor::Open(NativeWindow grid, const platform::PixelRect& place,
                              const std::string& text, bool selectAll, HFONT__* font) {
    End(/*commit=*/true, /*takeFocus=*/false);
    HWND box = CreateWindowExW(0, L"Edit", Widen(text).c_str(),
                               WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, place.left,
                               place.top, place.width, place.height, grid, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (box == nullptr) return nullptr;
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    box_ = box;
    grid_ = grid;
    SetPropW(box, kEditorProperty, this);
    base_ = SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxProcedure));
    SetFocus(box);
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(box));
    SendMessageW(box, EM_SETSEL, selectAll ? 0 : length, static_cast<LPARAM>(length));
    return box;
}

void GridEditor::Release() {
    HWND box = box_;
    box_ = nullptr;
    RemovePropW(box, kEditorProperty);
    SetWindowLongPtrW(box, GWLP_WNDPROC, base_);
    // The box may be inside one of its own messages: it goes once that is done.
    ShowWindow(box, SW_HIDE);
    PostMessageW(box, WM_CLOSE, 0, 0);
}

void GridEditor::End(bool commit, bool takeFocus) {
    if (box_ == nullptr || ending_) return;
    ending_ = true;
    const std::string text = WindowText(box_);
    if (takeFocus && GetFocus() == box_) SetFocus(grid_);
    Release();
    ending_ = false;
    // Told last, and from a copy: what the grid does may end the grid and this editor.
    const Ended ended = ended_;
    ended(commit, text);
}

void GridEditor::Abandon() {
    if (box_ != nullptr) Release();
}

std::intptr_t GridEditor::Handle(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    HWND box = box_;
    const auto base = reinterpret_cast<WNDPROC>(base_);
    switch (message) {
        case WM_GETDLGCODE:
            // Enter, Escape and Tab end the edit rather than acting on the dialog.
            return DLGC_WANTALLKEYS | CallWindowProcW(base, box, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_TAB || wParam == VK_ESCAPE) {
                End(/*commit=*/wParam != VK_ESCAPE, /*takeFocus=*/true);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B) return 0;  // no beep
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = CallWindowProcW(base, box, message, wParam, lParam);
            End(/*commit=*/true, /*takeFocus=*/false);
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(base, box, message, wParam, lParam);
}

}  // namespace win32
