// One run of camhost: check the inputs, load the add-ins, open the drawing, play the session
// (host actions and add-in commands), save the drawing and draw the picture.
#pragma once

#include "host/HostScreen.h"
#include "host/camhost/CamHostOptions.h"

namespace host {

// Exit codes of camhost.
inline constexpr int kCamHostDone = 0;
inline constexpr int kCamHostFailed = 1;
inline constexpr int kCamHostUsage = 2;

// Runs camhost as `settings` say; reports on standard output (what was written where) and
// standard error (why it failed, and every message box). Returns the exit code. With a
// `screen` the drawing is shown there; without a session script the person at the screen
// answers the host's requests and closes the window to end the run.
[[nodiscard]] int RunCamHost(const CamHostSettings& settings, HostScreen* screen = nullptr);

}  // namespace host
