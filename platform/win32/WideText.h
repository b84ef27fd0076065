// The framework's texts are UTF-8; the system's wide functions take UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/NativeHandle.h"

namespace win32 {

[[nodiscard]] std::wstring Widen(std::string_view text);
[[nodiscard]] std::string Narrow(std::wstring_view text);

// A window's text, as UTF-8.
[[nodiscard]] std::string WindowText(NativeWindow window);
// Sets a window's text from UTF-8.
void PutWindowText(NativeWindow window, std::string_view text);

}  // namespace win32
