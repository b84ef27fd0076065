// The clipboard: registered formats, and data held as global memory blocks under a format while
// the clipboard is opened by one user at a time.
#pragma once

#include <string>
#include <string_view>

#include "platform/GlobalMemory.h"

namespace platform {

// A clipboard format; registered formats count from kFirstRegisteredFormat, 0 is none.
using ClipboardFormat = unsigned int;
inline constexpr ClipboardFormat kFirstRegisteredFormat = 0xC000;

// The format registered under `name` (names match without regard to case); registering a name
// again gives the same format. 0 for an empty name.
[[nodiscard]] ClipboardFormat RegisterClipboardFormat(std::string_view name);
// The name a format was registered under, empty for an unknown format.
[[nodiscard]] std::string ClipboardFormatName(ClipboardFormat format);

// Opens the clipboard for `owner` (may be null); false while it is open already, by anyone.
bool OpenClipboard(const void* owner = nullptr);
// Closes it; false when it was not open.
bool CloseClipboard();
// Frees all data on the clipboard; false when it is not open.
bool EmptyClipboard();
// Puts `data` on the clipboard under `format`, replacing (and freeing) what was there under that
// format; the clipboard then owns the block. False, and the caller keeps the block, when the
// clipboard is not open, the format is 0 or the handle is not a live block.
bool SetClipboardData(ClipboardFormat format, GlobalHandle data);
// The block under `format`, owned by the clipboard; None when the clipboard is not open or
// holds nothing under that format.
[[nodiscard]] GlobalHandle GetClipboardData(ClipboardFormat format);
// Whether the clipboard holds data under `format` (the clipboard need not be open).
[[nodiscard]] bool IsClipboardFormatAvailable(ClipboardFormat format);

// Closes the clipboard, frees its data and forgets registered formats (tests use this).
void ResetClipboard();

}  // namespace platform
