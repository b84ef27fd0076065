// In the Windows build camhost has no drawing window: the dialogs are the system's own windows,
// and the host's requests come from the session script as in a headless run.
#include "host/camhost/CamHostRun.h"
#include "host/camhost/CamHostScreen.h"
#include "platform/dialog/ScreenBackend.h"

namespace host {

int RunCamHostOnScreen(const CamHostSettings& settings) {
    platform::RegisterScreenBackend();
    return RunCamHost(settings);
}

}  // namespace host
