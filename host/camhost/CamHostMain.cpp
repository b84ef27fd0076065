// camhost: the stand-in CAD host as a program (docs/camhost.md). Its logic is in the host library.
#include <cstdio>
#include <string>
#include <vector>

#include "host/camhost/CamHostOptions.h"
#include "host/camhost/CamHostRun.h"
#include "host/desktop/DesktopScreen.h"
#include "platform/desktop/DesktopBackend.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const host::CamHostCommandLine line = host::ParseCamHostCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "camhost: %s\n%s", line.error.c_str(), host::CamHostHelp().c_str());
        return host::kCamHostUsage;
    }
    if (line.help) {
        std::printf("%s", host::CamHostHelp().c_str());
        return host::kCamHostDone;
    }
    // The program, unlike the host library, can show real windows (--gui).
    desktop::RegisterDesktopBackend();
    if (!line.settings.gui || !desktop::CanShowWindows()) return host::RunCamHost(line.settings);
    host::DesktopScreen screen(
        QString::fromStdString("camhost - " + line.settings.openDrawing.value_or("new drawing")),
        line.settings.configFolder, line.settings.openDrawing.value_or(""));
    return host::RunCamHost(line.settings, &screen);
}
