// The system's window handle, named without the system's headers: headers of this backend are
// included by tests and programs, which must not see <windows.h>.
#pragma once

// The system declares its window handle as a pointer to this incomplete type.
struct HWND__;

namespace win32 {

using NativeWindow = HWND__*;

}  // namespace win32
