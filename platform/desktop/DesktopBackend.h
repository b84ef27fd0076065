// The desktop backend: every dialog a real window of Qt 6 Widgets. Played by a person, it
// waits in Qt's event loop and runs timers on the real clock; played by a session script
// (tests, demonstrations), the script drives the widgets and the transcript is the headless
// one, line for line.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/HeadlessBackend.h"

namespace desktop {

class DialogWindow;

class DesktopBackend : public platform::HeadlessBackend {
public:
    // `scripted`: `script` plays the user through the widgets, as in a headless session;
    // otherwise a person does.
    DesktopBackend(platform::SessionScript script, bool scripted);
    ~DesktopBackend() override;

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

    // The window of a dialog, null when it has none (for tests and screenshots).
    [[nodiscard]] DialogWindow* WindowOf(platform::WindowHandle handle) const;

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

    bool scripted_;
    QElapsedTimer clock_;
    QTimer wakeUp_;
    std::map<platform::WindowHandle, std::unique_ptr<DialogWindow>> windows_;
    platform::ActionOutcome lastOutcome_ = std::nullopt;
};

// The widget that shows the host's main window (camhost's window), which follows the host
// window's changes (enabled while no modal dialog runs, brought to the front); null for none.
void SetHostWidget(QWidget* widget);

// Called with the new text whenever a status control changes (the link library's progress box,
// the installer's status lines), so that a main window can show it; an empty listener stops.
void SetStatusTextListener(std::function<void(const std::string&)> listener);

// Makes sure a Qt application object exists (the offscreen platform needs no display).
void EnsureApplication();

// Whether Qt can show windows here: a display, or a platform chosen in $QT_QPA_PLATFORM (such
// as "offscreen"). Without one Qt would stop the process.
[[nodiscard]] bool CanShowWindows();

// A desktop backend for `settings`: scripted when a script is given. A script that cannot be
// read, or a transcript that cannot be written, is reported as the headless backend does.
// Null, after saying why on standard error, when no windows can be shown.
[[nodiscard]] std::unique_ptr<DesktopBackend> MakeDesktopBackend(
    const platform::BackendSettings& settings);

// Registers the backend as platform::kDesktopBackendName, "desktop"
// (TAVRO_DIALOG_BACKEND=desktop chooses it).
void RegisterDesktopBackend();

}  // namespace desktop
