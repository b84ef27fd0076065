// The simple controls' notifications, their driving by a script, and their pictures and
// ranges.
#include "platform/win32/StandardViews.h"

#include <algorithm>

#include "platform/windows/SystemHeaders.h"

#include <commctrl.h>  // after <windows.h>, which it needs

#include "platform/dialog/BitmapResource.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "platform/win32/WideText.h"

namespace win32 {

using platform::InputKind;

void ButtonView::OnCommand(unsigned code) {
    if (code == BN_CLICKED) Deliver(Input(InputKind::Press));
}

bool ButtonView::Feed(const platform::UserInput&) {
    // The button goes down and up under the mouse, and notifies its dialog.
    SendMessageW(Window(), BM_CLICK, 0, 0);
    return true;
}

CheckView::CheckView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)) {
    const bool checked = static_cast<const platform::CheckBox&>(control).IsChecked();
    SendMessageW(Window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    if (change.kind == platform::WindowEventKind::CheckChanged)
        SendMessageW(Window(), BM_SETCHECK, change.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    ControlView::Apply(change, control);
}

void CheckView::OnCommand(unsigned code) {
    if (code == BN_CLICKED) Deliver(Input(InputKind::Toggle));
}

bool CheckView::Feed(const platform::UserInput&) {
    // An automatic check box ticks or clears itself on the click, then notifies.
    SendMessageW(Window(), BM_CLICK, 0, 0);
    return true;
}

NativeState CheckView::Probe() const {
    NativeState state = ControlView::Probe();
    state.checked = SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return state;
}

EditView::EditView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)), readOnly_(control.Origin().readOnly) {}

void EditView::OnCommand(unsigned code) {
    if (code != EN_CHANGE) return;
    platform::UserInput input = Input(InputKind::TypeText);
    input.text = WindowText(Window());
    Deliver(input);
}

bool EditView::Feed(const platform::UserInput& input) {
    if (readOnly_) return false;  // the user cannot type into it
    // The whole text typed at once: in the edit, then one change notification, as a paste
    // would give.
    Quietly([&] { PutWindowText(Window(), input.text); });
    NotifyDialog(EN_CHANGE);
    return true;
}

namespace {

// A top-down 32-bit picture of the module's bitmap, or null when it has none that fits.
HBITMAP MakePicture(const platform::BitmapResource& bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmap.width;
    info.bmiHeader.biHeight = -bitmap.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (picture == nullptr) return nullptr;
    // Palette entries are 0xRRGGBB, as the picture's pixels are laid out in memory.
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < bitmap.pixels.size(); ++i)
        pixels[i] = bitmap.palette[bitmap.pixels[i]];
    return picture;
}

}  // namespace

BitmapView::BitmapView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)) {
    const platform::Module* module = platform::CurrentModule();
    const platform::BitmapResource* bitmap =
        module != nullptr ? module->FindBitmap(control.Text()) : nullptr;
    if (bitmap == nullptr || !bitmap->Fits()) return;
    picture_ = MakePicture(*bitmap);
    if (picture_ != nullptr)
        SendMessageW(Window(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
}

BitmapView::~BitmapView() {
    if (picture_ != nullptr) DeleteObject(picture_);
}

ProgressView::ProgressView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)) {
    Show(control);
}

void ProgressView::Show(const platform::Control& control) {
    const auto& progress = static_cast<const platform::ProgressBar&>(control);
    // An inverted range shows as empty rather than confusing the bar.
    SendMessageW(Window(), PBM_SETRANGE32, static_cast<WPARAM>(progress.Lower()),
                 static_cast<LPARAM>(std::max(progress.Lower(), progress.Upper())));
    SendMessageW(Window(), PBM_SETPOS, static_cast<WPARAM>(progress.Position()), 0);
}

void ProgressView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    if (change.kind == platform::WindowEventKind::ProgressRangeChanged ||
        change.kind == platform::WindowEventKind::ProgressChanged)
        Show(control);
    ControlView::Apply(change, control);
}

NativeState ProgressView::Probe() const {
    NativeState state = ControlView::Probe();
    PBRANGE range{};
    SendMessageW(Window(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    state.lower = range.iLow;
    state.upper = range.iHigh;
    state.position = static_cast<int>(SendMessageW(Window(), PBM_GETPOS, 0, 0));
    return state;
}

}  // namespace win32
