// The installer's one window: a progress bar that never moves and the status line, with the
// timeline that runs the install script and closes the window.
#pragma once

#include <cstdint>
#include <string>

#include "installer/RunParameters.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/Module.h"

namespace installer {

class InstallDialog : public platform::Dialog {
public:
    // The dialog's template identifier in the installer's module.
    static constexpr int IDD = 102;
    // The program's icon resource, set as the window's large and small icon.
    static constexpr int kIconResource = 128;
    // Controls: the status line and the progress bar.
    static constexpr int kIdStatus = 1000;
    static constexpr int kIdProgress = 1001;
    // The timers: the run starts 500 ms after the window opens, the window closes 5,000 ms
    // after the run.
    static constexpr int kRunTimer = 100;
    static constexpr int kRunDelayMilliseconds = 500;
    static constexpr int kCloseTimer = 101;
    static constexpr int kCloseDelayMilliseconds = 5000;
    // The private message that starts the run: the first user message number plus 100.
    static constexpr int kFirstUserMessage = 0x0400;
    static constexpr int kRunMessage = kFirstUserMessage + 100;

    // A window for a run with `run`. A non-empty `refusal` (why the command line cannot be
    // used) is shown instead of running anything; the window still closes by its timeline.
    explicit InstallDialog(RunParameters run, std::string refusal = {});

    // Every status text set, in order (also shown in the status line); null for none.
    StatusLine onStatus;
    // Every reason given on the status's second line, in order; null for none.
    StatusLine onReason;

    // The status text shown now (its first line: the fixed text).
    [[nodiscard]] const std::string& Status() const { return status_; }
    // The reason shown on the status's second line, "" when there is none.
    [[nodiscard]] const std::string& Reason() const { return reason_; }
    // The icons set on the window (0 before it was initialised).
    [[nodiscard]] int LargeIcon() const { return largeIcon_; }
    [[nodiscard]] int SmallIcon() const { return smallIcon_; }

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override;
    // Only the timeline closes the window: Escape before the run would end the installer
    // without installing anything, and the installation would take that for success.
    void OnKeyboardCancel() override {}

private:
    void SetStatus(std::string text);

    RunParameters run_;
    std::string refusal_;
    std::string status_;
    std::string reason_;
    int largeIcon_ = 0;
    int smallIcon_ = 0;
};

// The installer's module "Edrovan" holding its template. Make it current (platform::ModuleScope)
// before showing the window.
platform::Module& InstallerModule();

}  // namespace installer
