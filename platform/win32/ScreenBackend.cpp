// Placeholder until the Win32 backend lands: no windows, so --gui runs stay headless.
#include "platform/dialog/ScreenBackend.h"

namespace platform {

void RegisterScreenBackend() {}

bool CanShowWindows() { return false; }

}  // namespace platform
