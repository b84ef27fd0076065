// Dialog units to pixels, and where a dialog first appears on the screen.
#pragma once

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

class DialogBackend;

// The screen the headless backend places windows on, in pixels.
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 1024;

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// A font's average character width and its height, in pixels (the base units of dialog
// units).
struct CharacterCell {
    int width = 0;
    int height = 0;
    friend bool operator==(const CharacterCell&, const CharacterCell&) = default;
};

// The cell the headless backend assumes: 6 x 13 pixels for "MS Shell Dlg" at 8 points, scaled
// with the point size (rounded).
[[nodiscard]] CharacterCell DefaultCharacterCell(const DialogFont& font);

// A rectangle in dialog units as pixels for a dialog in `font`: a horizontal unit is a quarter
// and a vertical unit an eighth of the font's average character cell (6 x 13 pixels for
// "MS Shell Dlg" at 8 points, scaled with the point size).
[[nodiscard]] PixelRect DialogUnitsToPixels(const DialogRect& rect, const DialogFont& font);

// The same with a measured cell, rounded as the native framework rounds (half away from 0).
[[nodiscard]] PixelRect DialogUnitsToPixels(const DialogRect& rect, const CharacterCell& cell);

// The window rectangle of a new dialog: its size from the template, placed at its fixed
// origin, centred on the screen, or at the screen's top left (default placement). The first
// form uses the headless screen and cell, the second asks `backend`.
[[nodiscard]] PixelRect PlaceDialog(const DialogTemplate& dialogTemplate);
[[nodiscard]] PixelRect PlaceDialog(const DialogTemplate& dialogTemplate,
                                    const DialogBackend& backend);

}  // namespace platform
