// The Win32 backend: every dialog a native dialog of the system, built from its template in
// memory. Played by a person, it waits in the system's message loop and runs timers on the
// real clock; played by a session script (tests, demonstrations), the script sends the native
// controls what a user's clicks and keys would, and the transcript is the headless one, line
// for line.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/win32/HostWindow.h"
#include "platform/win32/NativeState.h"

namespace win32 {

class NativeDialog;

class Win32Backend : public platform::HeadlessBackend {
public:
    // `scripted`: `script` plays the user through the native controls, as in a headless
    // session; otherwise a person does.
    Win32Backend(platform::SessionScript script, bool scripted);
    ~Win32Backend() override;

    void RunLoop(platform::Dialog& dialog) override;
    void OnWindowEvent(const platform::WindowEvent& event) override;
    void PresentMessage(const std::string& text) override;
    [[nodiscard]] std::int64_t NowMilliseconds() const override;
    void Wake() override;
    [[nodiscard]] bool HasScreen() const override { return true; }
    [[nodiscard]] platform::PixelSize ScreenSize() const override;
    [[nodiscard]] platform::CharacterCell MeasureFont(
        const platform::DialogFont& font) const override;
    [[nodiscard]] platform::PixelRect ToPixels(const platform::DialogRect& rect,
                                               const platform::DialogFont& font) const override;

    // The native window of a dialog, null when it has none (for tests and screenshots).
    [[nodiscard]] NativeDialog* WindowOf(platform::WindowHandle handle) const;
    // What the native control `id` of dialog `handle` shows; none without such a control.
    [[nodiscard]] std::optional<NativeState> ProbeControl(platform::WindowHandle handle,
                                                          int id) const;
    // Whether the native window standing for the host's main window takes input.
    [[nodiscard]] bool HostWindowEnabled() const { return host_.IsEnabled(); }

protected:
    platform::ActionOutcome FeedInput(platform::Dialog& dialog,
                                      const platform::UserInput& input) override;
    platform::Status FeedClose(platform::Dialog& dialog) override;
    void FeedEscape(platform::Dialog& dialog) override;
    void WaitUntil(std::int64_t time) override;
    void BetweenSteps() override;

private:
    void RunUntilEnded(platform::Dialog& dialog);
    void Deliver(const platform::UserInput& input, platform::WindowHandle window);
    void CreateWindowFor(const platform::WindowEvent& event);
    void DestroyWindowOf(platform::WindowHandle handle);
    [[nodiscard]] std::int64_t Elapsed() const;
    // Frees the windows destroyed while no native message is being handled.
    void Sweep();

    bool scripted_;
    std::chrono::steady_clock::time_point start_;
    unsigned long thread_;
    HostWindow host_;
    std::map<platform::WindowHandle, std::unique_ptr<NativeDialog>> windows_;
    // Windows destroyed while a message of theirs may still be on the stack.
    std::vector<std::unique_ptr<NativeDialog>> destroyed_;
    // The dialogs whose loops run, innermost last.
    std::vector<platform::WindowHandle> loops_;
    platform::ActionOutcome lastOutcome_ = std::nullopt;
};

// Whether the system can show windows here (a desktop exists).
[[nodiscard]] bool CanShowWindows();

// A Win32 backend for `settings`: scripted when a script is given. A script that cannot be
// read, or a transcript that cannot be written, is reported as the headless backend does.
[[nodiscard]] std::unique_ptr<Win32Backend> MakeWin32Backend(
    const platform::BackendSettings& settings);

// Registers the backend as platform::kDesktopBackendName, "desktop"
// (TAVRO_DIALOG_BACKEND=desktop chooses it).
void RegisterWin32Backend();

}  // namespace win32
