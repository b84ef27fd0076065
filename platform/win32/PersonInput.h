// A person's clicks and keys, posted to the native windows as the system posts a user's input,
// so that they go through the running loop and the dialog manager: for tests and
// demonstrations that play a person.
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/NativeDialog.h"

namespace win32 {

// Runs `action` once, `milliseconds` from now, from whichever loop of the system's messages
// runs then (a modal dialog's loop does).
void RunLater(int milliseconds, std::function<void()> action);

// A click of the left button in the middle of control `id` of `dialog`; false without one.
bool Click(const NativeDialog& dialog, int id);
// A click (or with `twice` a double click) on cell (`row`, `column`) of grid `id`, scrolled
// into view first; false for a cell outside the grid.
bool ClickCell(const NativeDialog& dialog, int id, int row, int column, bool twice);

// Keys a person presses.
enum class Key { Enter, Escape, Tab, F2 };
// Characters typed on the keyboard, to the window with the focus.
void TypeText(std::string_view text);
// A key pressed and let go, to the window with the focus.
void PressKey(Key key);

}  // namespace win32
