// On this machine camhost shows the drawing in its window on Qt, and the dialogs beside it.
#include <string>

#include "host/camhost/CamHostRun.h"
#include "host/camhost/CamHostScreen.h"
#include "host/desktop/DesktopScreen.h"
#include "platform/dialog/ScreenBackend.h"

namespace host {

int RunCamHostOnScreen(const CamHostSettings& settings) {
    platform::RegisterScreenBackend();
    if (!platform::CanShowWindows()) return RunCamHost(settings);
    DesktopScreen screen(
        QString::fromStdString("camhost - " + settings.openDrawing.value_or("new drawing")),
        settings.configFolder, settings.openDrawing.value_or(""));
    return RunCamHost(settings, &screen);
}

}  // namespace host
