// The installer program Edrovan: splits its command line and shows the install window, which
// runs the install script and closes itself.
#include <cstdio>
#include <string>
#include <vector>

#include "installer/CommandLine.h"
#include "installer/InstallDialog.h"
#include "platform/ProgramOptions.h"
#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/ScreenBackend.h"

namespace {

// The stand-in's own options: where the path service finds the drives on this machine, and
// whether the window is shown on the desktop. They are taken out before the installer's command
// line is split; every other option word is the installer's, which ignores it.
constexpr platform::ProgramOption kStandInOptions[] = {platform::kDriveRootOption,
                                                       platform::kGuiOption};

void printLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

void printReason(const std::string& reason) {
    std::fprintf(stderr, "Edrovan: %s\n", reason.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const platform::Expected<platform::ParsedOptions> standIn =
        platform::ParseOptions(kStandInOptions, arguments, platform::UnknownOptions::Keep);
    if (!standIn) {
        std::fprintf(stderr, "Edrovan: %s\n", standIn.Describe().c_str());
        return 0;
    }
    platform::ApplyDriveRoot(*standIn);
    platform::RegisterScreenBackend();
    if (standIn->Has(platform::kGuiOption.name)) {
        const platform::BackendSettings environment = platform::BackendSettingsFromEnvironment();
        platform::SetDialogBackend(
            platform::ChooseDialogBackend(platform::kDesktopBackendName, environment));
    }
    const installer::CommandLine line =
        installer::SplitCommandLine(installer::JoinArguments(standIn->positional));
    if (line.positional.size() < 2) return 0;

    installer::RunParameters run{line.positional[0], line.positional[1],
                                 line.positional.size() > 2 ? line.positional[2] : ""};
    installer::InstallDialog dialog(std::move(run), installer::CheckCommandLine(line).Describe());
    // Without a screen the status line is also the program's output, and a failure's reason
    // goes to standard error.
    if (!platform::CurrentBackend().HasScreen()) {
        dialog.onStatus = printLine;
        dialog.onReason = printReason;
    }
    platform::ModuleScope module(installer::InstallerModule());
    if (dialog.DoModal() == platform::kResultFailed)
        std::fprintf(stderr, "Edrovan: %s\n", dialog.CreationError().c_str());
    // The installation that runs the program relies on exit code 0 whatever happened.
    return 0;
}
