// The backend that shows real windows on the system a program is built for: Qt's widgets on
// this machine, the system's own dialogs in the Windows build. Programs that can show windows
// link `platform_screen`, which brings the one for their system; either registers itself under
// kDesktopBackendName.
#pragma once

namespace platform {

// Registers the screen backend under kDesktopBackendName ("desktop").
void RegisterScreenBackend();

// Whether windows can be shown here (a display, or a platform that draws into memory).
[[nodiscard]] bool CanShowWindows();

}  // namespace platform
