// The exports: each makes the add-in's module current for the call, restores it on every way
// out, and turns anything thrown into the one message; none lets an exception reach the host.
#include "core/addin/AddinExports.h"

#include <cstdio>
#include <exception>

#include "core/addin/HeightRun.h"
#include "dialogs/AddinModule.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/MessageService.h"
#include "platform/dialog/Module.h"

namespace {

constexpr const char* kUnknownError = "UNKNOWN ERROR: Shutting down.";

void ReportUnknownError() noexcept {
    try {
        platform::ShowMessage(kUnknownError);
    } catch (...) {
        // The message itself could not be shown; standard error is all that is left.
        std::fprintf(stderr, "Tavroset: %s (the message box failed)\n", kUnknownError);
    }
}

// Runs `body` with the add-in's module current. Anything it throws ends in the message; false
// then.
template <class Body>
bool RunInAddinModule(Body&& body) noexcept {
    try {
        const platform::ModuleScope addin(dialogs::AddinModule());
        body();
        return true;
    } catch (...) {
        ReportUnknownError();
        return false;
    }
}

int ShowFixedMessage(const char* text) {
    RunInAddinModule([text] { platform::ShowMessage(text); });
    return 1;
}

}  // namespace

int UserApp_nCallback(void* hostApi) {
    RunInAddinModule([hostApi] {
        CSurfcamCtrl controller;
        HeightRun run;
        controller.Setup(hostApi);
        // A job that fails half-way still hands the host back its selection, colour, layer
        // and window and releases the surfaces the job obtained.
        RunInAddinModule([&] { run.Run(controller); });
        controller.Shutdown();
    });
    return 1;
}

int FileOpenEntryPoint() { return ShowFixedMessage("File Open API WORKS!"); }

int FileSaveEntryPoint() { return ShowFixedMessage("File Save API WORKS!"); }
