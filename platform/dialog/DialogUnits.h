// Dialog units to pixels, and where a dialog first appears on the screen.
#pragma once

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

// The screen the headless backend places windows on, in pixels.
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 1024;

// A rectangle in dialog units as pixels for a dialog in `font`: a horizontal unit is a quarter
// and a vertical unit an eighth of the font's average character cell (6 x 13 pixels for
// "MS Shell Dlg" at 8 points, scaled with the point size).
[[nodiscard]] PixelRect DialogUnitsToPixels(const DialogRect& rect, const DialogFont& font);

// The window rectangle of a new dialog: its size from the template, placed at its fixed
// origin, centred on the screen, or at the screen's top left (default placement).
[[nodiscard]] PixelRect PlaceDialog(const DialogTemplate& dialogTemplate);

}  // namespace platform
