// In the Windows build the screen backend shows the system's own dialogs.
#include "platform/dialog/ScreenBackend.h"

#include "platform/win32/Win32Backend.h"

namespace platform {

void RegisterScreenBackend() { win32::RegisterWin32Backend(); }

bool CanShowWindows() { return win32::CanShowWindows(); }

}  // namespace platform
