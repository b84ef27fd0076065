// camhost with --gui: the run shown on the screen of the system camhost is built for.
#pragma once

#include "host/camhost/CamHostOptions.h"

namespace host {

// Runs camhost as RunCamHost does, with the dialogs as real windows and, where the system has
// one, the drawing in a window of its own. Without a screen the run stays headless.
[[nodiscard]] int RunCamHostOnScreen(const CamHostSettings& settings);

}  // namespace host
