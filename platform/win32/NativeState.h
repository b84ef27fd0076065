// What a native control shows, read back from the system: for tests and tools that check the
// screen follows the framework.
#pragma once

#include <string>

#include "platform/dialog/WindowEvent.h"

namespace win32 {

struct NativeState {
    std::string className;
    std::string text;           // the window text (a list's: its selected entry's)
    platform::PixelRect place;  // in the dialog's client area, in pixels
    bool enabled = false;
    bool visible = false;  // the control's own visibility, whatever its dialog's
    bool checked = false;  // check boxes
    int count = 0;         // entries of a list; rows of a grid
    int selection = -1;    // the selected entry of a list
    int position = 0;      // a progress bar's position
    int lower = 0;         // a progress bar's range
    int upper = 0;
};

}  // namespace win32
