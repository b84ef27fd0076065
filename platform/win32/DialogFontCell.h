// The character cell of a dialog font as the system's dialog manager measures it: the base
// of its dialog units.
#pragma once

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogUnits.h"

namespace win32 {

// The cell of `font` (its average character width and height in pixels), measured once per
// font on a hidden dialog in that font with the system's own conversion (MapDialogRect).
[[nodiscard]] platform::CharacterCell DialogFontCell(const platform::DialogFont& font);

}  // namespace win32
