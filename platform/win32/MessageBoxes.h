// The system's message box with one OK button.
#pragma once

#include <string>

#include "platform/win32/NativeHandle.h"

namespace win32 {

// Shows `text` in a message box with one OK button over `owner` (null: none) and returns once
// it is answered: by the person, or with `answerAtOnce` by a click on its OK button as soon
// as the box is up (a script answers every box with OK).
void ShowMessageBox(const std::string& text, NativeWindow owner, bool answerAtOnce);

}  // namespace win32
