// The installer's window: its face and its timeline.
#include "installer/InstallDialog.h"

#include <algorithm>

#include "installer/InstallScript.h"
#include "platform/dialog/StandardControls.h"

namespace installer {

using platform::ControlKind;
using platform::MakeControl;

InstallDialog::InstallDialog(RunParameters run, std::string refusal)
    : Dialog(IDD), run_(std::move(run)), refusal_(std::move(refusal)) {}

platform::DialogTemplate InstallDialog::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Edrovan";
    face.width = 326;
    face.height = 47;
    face.style.systemMenu = false;
    face.controls = {
        MakeControl(ControlKind::ProgressBar, kIdProgress, "progress", {}, {7, 7, 312, 14}),
        MakeControl(ControlKind::Edit, kIdStatus, "status", {}, {7, 26, 312, 14})
            .ReadOnly()
            .Border(),
    };
    return face;
}

bool InstallDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    // The framework has no window icons yet; the window keeps them for a backend that draws.
    largeIcon_ = kIconResource;
    smallIcon_ = kIconResource;
    SetStatus(run_.hostDirectory + " " + run_.scriptName);
    SetTimer(kRunTimer, kRunDelayMilliseconds);
    return true;
}

void InstallDialog::OnTimer(int id) {
    KillTimer(id);
    if (id == kRunTimer)
        // The framework has no synchronous send; a posted message is delivered before any
        // timer or input, so the run still starts at once, on the window's thread.
        PostMessage(kRunMessage);
    else if (id == kCloseTimer)
        EndDialog(platform::kResultOk);
}

void InstallDialog::OnMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
    (void)wParam, (void)lParam;
    if (message != kRunMessage) return;
    if (refusal_.empty())
        runInstallScript(run_, [this](const std::string& text) { SetStatus(text); });
    else
        SetStatus(refusal_);
    SetTimer(kCloseTimer, kCloseDelayMilliseconds);
}

void InstallDialog::SetStatus(std::string text) {
    const std::size_t lineBreak = text.find('\n');
    reason_ = lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
    text.resize(std::min(text.size(), lineBreak));
    status_ = std::move(text);
    if (HasWindow())
        Item<platform::Edit>(kIdStatus).SetText(reason_.empty() ? status_
                                                                : status_ + "\r\n" + reason_);
    if (onStatus) onStatus(status_);
    if (onReason && !reason_.empty()) onReason(reason_);
}

platform::Module& InstallerModule() {
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& installer = platform::DefineModule("Edrovan");
        installer.AddTemplate(InstallDialog::Template());
        return installer;
    }();
    return module;
}

}  // namespace installer
