// camhost: the stand-in CAD host as a program (docs/camhost.md). Its logic is in the host library.
#include <cstdio>
#include <string>
#include <vector>

#include "host/camhost/CamHostOptions.h"
#include "host/camhost/CamHostRun.h"
#include "host/camhost/CamHostScreen.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const platform::Expected<host::CamHostCommandLine> line =
        host::ParseCamHostCommandLine(arguments);
    if (!line) {
        std::fprintf(stderr, "camhost: %s\n%s", line.Describe().c_str(),
                     host::CamHostHelp().c_str());
        return host::kCamHostUsage;
    }
    if (line->help) {
        std::printf("%s", host::CamHostHelp().c_str());
        return host::kCamHostDone;
    }
    // The program, unlike the host library, can show real windows (--gui).
    if (line->settings.gui) return host::RunCamHostOnScreen(line->settings);
    return host::RunCamHost(line->settings);
}
