// A desktop of the program's own for its windows, as Qt's offscreen platform is for the
// desktop backend: tests and screenshots run there, out of the person's way, and under Wine on
// a virtual desktop that Wine draws itself (windows get their frames without a window manager
// and are shown and hidden at once, not after waiting for one).
#pragma once

#include <string>

#include "platform/dialog/DialogUnits.h"

namespace win32 {

// Puts the calling thread's windows on the desktop `name` of `size` pixels, made if need be.
// Only before the thread has made any window; false when the system refuses.
bool MoveToOwnDesktop(const std::string& name, platform::PixelSize size);

}  // namespace win32
