// <windows.h> for the platform's Windows files, without the macros that would rename our own
// functions of the same names (the framework's GetPrivateProfileString, RegisterClipboardFormat,
// PostMessage) or clash with the standard library (min, max). Included only by .cpp files.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef GetPrivateProfileString
#undef GetPrivateProfileInt
#undef WritePrivateProfileString
#undef RegisterClipboardFormat
#undef PostMessage
#undef MessageBox
#undef CreateDialog
#undef DrawText
#undef GetObject
#undef LoadLibrary

#include <string>

namespace platform {

// The system's text for an error code from GetLastError, without its closing line end.
[[nodiscard]] std::string SystemErrorText(DWORD code);

}  // namespace platform
