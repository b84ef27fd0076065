// On this machine the screen backend is the desktop one on Qt.
#include "platform/dialog/ScreenBackend.h"

#include "platform/desktop/DesktopBackend.h"

namespace platform {

void RegisterScreenBackend() { desktop::RegisterDesktopBackend(); }

bool CanShowWindows() { return desktop::CanShowWindows(); }

}  // namespace platform
