// The Win32 backend's loops, windows, message boxes and metrics.
#include "platform/win32/Win32Backend.h"

#include <algorithm>
#include <cstdio>

#include "platform/windows/SystemHeaders.h"

#include <commctrl.h>  // after <windows.h>, which it needs

#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/Window.h"
#include "platform/win32/DialogFontCell.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/NativeDialog.h"

namespace win32 {
namespace {

// The common controls (list view, progress bar) are registered before any template names them.
void InitialiseCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

}  // namespace

Win32Backend::Win32Backend(platform::SessionScript script, bool scripted)
    : HeadlessBackend(std::move(script)),
      scripted_(scripted),
      start_(std::chrono::steady_clock::now()),
      thread_(GetCurrentThreadId()) {
    InitialiseCommonControls();
}

Win32Backend::~Win32Backend() = default;

std::int64_t Win32Backend::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

std::int64_t Win32Backend::NowMilliseconds() const {
    // A script's session keeps the headless clock, paced by the real one (WaitUntil).
    if (scripted_) return HeadlessBackend::NowMilliseconds();
    // Rounded up, while the loop fires by the clock rounded down: a timer set now is never
    // due before its whole interval has passed.
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return (std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() + 999) / 1000;
}

void Win32Backend::Wake() {
    // A loop waiting for messages wakes for any; this one says only "look at the queue".
    PostThreadMessageW(thread_, WM_NULL, 0, 0);
}

platform::PixelSize Win32Backend::ScreenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

platform::CharacterCell Win32Backend::MeasureFont(const platform::DialogFont& font) const {
    return DialogFontCell(font);
}

platform::PixelRect Win32Backend::ToPixels(const platform::DialogRect& rect,
                                           const platform::DialogFont& font) const {
    return platform::DialogUnitsToPixels(rect, MeasureFont(font));
}

NativeDialog* Win32Backend::WindowOf(platform::WindowHandle handle) const {
    const auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : found->second.get();
}

std::optional<NativeState> Win32Backend::ProbeControl(platform::WindowHandle handle, int id) const {
    const NativeDialog* window = WindowOf(handle);
    const ControlView* view = window != nullptr ? window->ViewOf(id) : nullptr;
    if (view == nullptr) return std::nullopt;
    return view->Probe();
}

void Win32Backend::Deliver(const platform::UserInput& input, platform::WindowHandle window) {
    platform::Window* found = platform::WindowFromHandle(window);
    platform::Dialog* dialog = found != nullptr ? found->AsDialog() : nullptr;
    lastOutcome_ = dialog != nullptr ? dialog->Deliver(input)
                                     : platform::Status::Failure("the window is gone");
    if (!scripted_ && !lastOutcome_)
        std::fprintf(stderr, "win32: %s\n", lastOutcome_.Describe().c_str());
}

void Win32Backend::CreateWindowFor(const platform::WindowEvent& event) {
    platform::Window* window = platform::WindowFromHandle(event.handle);
    platform::Dialog* dialog = window != nullptr ? window->AsDialog() : nullptr;
    if (dialog == nullptr || dialog->Template() == nullptr) return;
    const platform::WindowHandle handle = event.handle;
    // Every dialog is owned by the host's window, as the framework's dialogs are by default;
    // a nested loop keeps the dialogs under it from the user (HoldInput).
    windows_[handle] = std::make_unique<NativeDialog>(
        *dialog, event.rect, host_.Window(),
        [this, handle](const platform::UserInput& input) { Deliver(input, handle); });
}

void Win32Backend::DestroyWindowOf(platform::WindowHandle handle) {
    const auto found = windows_.find(handle);
    if (found == windows_.end()) return;
    found->second->Destroy();
    destroyed_.push_back(std::move(found->second));
    windows_.erase(found);
}

void Win32Backend::Sweep() {
    if (!NativeDialog::InCallback()) destroyed_.clear();
}

void Win32Backend::OnWindowEvent(const platform::WindowEvent& event) {
    HeadlessBackend::OnWindowEvent(event);
    if (event.hostWindow) return host_.Apply(event);
    if (event.kind == platform::WindowEventKind::Created) return CreateWindowFor(event);
    if (event.kind == platform::WindowEventKind::Destroyed) return DestroyWindowOf(event.handle);
    if (NativeDialog* window = WindowOf(event.handle)) window->Apply(event);
}

void Win32Backend::PresentMessage(const std::string& text) {
    HeadlessBackend::PresentMessage(text);
    // Over the innermost dialog the user works in.
    NativeWindow owner = nullptr;
    if (!loops_.empty())
        if (const NativeDialog* window = WindowOf(loops_.back())) owner = window->Window();
    ShowMessageBox(text, owner != nullptr && IsWindowVisible(owner) ? owner : nullptr,
                   /*answerAtOnce=*/scripted_);
}

void Win32Backend::RunLoop(platform::Dialog& dialog) {
    const platform::WindowHandle outer = loops_.empty() ? platform::WindowHandle{} : loops_.back();
    if (NativeDialog* window = WindowOf(outer)) window->HoldInput(true);
    loops_.push_back(dialog.Handle());
    if (scripted_)
        HeadlessBackend::RunLoop(dialog);
    else
        RunUntilEnded(dialog);
    loops_.pop_back();
    if (NativeDialog* window = WindowOf(outer)) window->HoldInput(false);
}

void Win32Backend::RunUntilEnded(platform::Dialog& dialog) {
    while (!dialog.LoopEnded()) {
        Sweep();
        PumpMessages();
        if (dialog.LoopEnded()) break;
        if (platform::DispatchPostedMessage()) continue;
        if (platform::FireDueTimer(Elapsed())) continue;
        // Nothing to do: sleep until the user acts, a message is posted (Wake) or the next
        // timer is due.
        const std::optional<std::int64_t> due = platform::NextTimerDue();
        WaitForMessages(due ? std::max<std::int64_t>(0, *due - Elapsed()) : -1);
    }
}

platform::ActionOutcome Win32Backend::FeedInput(platform::Dialog& dialog,
                                                const platform::UserInput& input) {
    NativeDialog* window = WindowOf(dialog.Handle());
    ControlView* view = window != nullptr ? window->ViewOf(input.control) : nullptr;
    lastOutcome_ = platform::Status::Failure("the control did not take the input");
    // Input the native control would not take gets the framework's own answer.
    if (view == nullptr || !view->Feed(input)) return dialog.Deliver(input);
    return lastOutcome_;
}

platform::Status Win32Backend::FeedClose(platform::Dialog& dialog) {
    NativeDialog* window = WindowOf(dialog.Handle());
    return window != nullptr ? window->CloseFromSystemMenu() : dialog.RequestSystemClose();
}

void Win32Backend::FeedEscape(platform::Dialog& dialog) {
    if (NativeDialog* window = WindowOf(dialog.Handle()))
        window->PressEscape();
    else
        dialog.RequestKeyboardCancel();
}

void Win32Backend::WaitUntil(std::int64_t time) {
    // A script's session keeps the headless clock, but its time passes on the real clock
    // (both start with the backend): the windows stay live while a timer or a "wait" is due.
    // Once the script has run out, the headless backend goes on firing timers for a long
    // virtual time before it cancels; that time is not waited for.
    if (PeekAction() == nullptr) return;
    for (std::int64_t now = Elapsed(); now < time; now = Elapsed()) {
        WaitForMessages(time - now);
        PumpMessages();
    }
}

void Win32Backend::BetweenSteps() {
    Sweep();
    PumpMessages();
}

bool CanShowWindows() { return GetDesktopWindow() != nullptr; }

std::unique_ptr<Win32Backend> MakeWin32Backend(const platform::BackendSettings& settings) {
    return platform::MakeScriptedBackend<Win32Backend>(
        settings, [](platform::SessionScript script, bool scripted) {
            return std::make_unique<Win32Backend>(std::move(script), scripted);
        });
}

void RegisterWin32Backend() {
    platform::RegisterDialogBackend(
        std::string(platform::kDesktopBackendName), [](const platform::BackendSettings& settings) {
            return std::unique_ptr<platform::DialogBackend>(MakeWin32Backend(settings));
        });
}

}  // namespace win32
