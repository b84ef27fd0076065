// A picture of a window, frame and caption included: for screenshots.
#pragma once

#include <filesystem>

#include "platform/win32/NativeHandle.h"

namespace win32 {

// Copies what `window` drew (brought to the front and drawn first), frame included, into a
// 24-bit bitmap file at `file`; false when it cannot be read or written.
bool SaveWindowPicture(NativeWindow window, const std::filesystem::path& file);

}  // namespace win32
