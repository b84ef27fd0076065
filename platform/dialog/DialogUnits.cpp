// Conversion of dialog units with the font's character cell, and initial dialog placement.
#include "platform/dialog/DialogUnits.h"

#include <algorithm>

namespace platform {

PixelRect DialogUnitsToPixels(const DialogRect& rect, const DialogFont& font) {
    const int points = std::max(font.points, 1);
    const int cellWidth = 6 * points;  // eighths of a pixel per 8-point unit
    const int cellHeight = 13 * points;
    const auto horizontal = [&](int units) { return units * cellWidth / (4 * 8); };
    const auto vertical = [&](int units) { return units * cellHeight / (8 * 8); };
    return {horizontal(rect.x), vertical(rect.y), horizontal(rect.width), vertical(rect.height)};
}

PixelRect PlaceDialog(const DialogTemplate& dialogTemplate) {
    const DialogStyle& style = dialogTemplate.style;
    const DialogRect origin = style.origin.value_or(DialogRect{});
    PixelRect rect = DialogUnitsToPixels(
        {origin.x, origin.y, dialogTemplate.width, dialogTemplate.height}, dialogTemplate.font);
    if (style.centred && !style.origin) {
        rect.left = (kScreenWidth - rect.width) / 2;
        rect.top = (kScreenHeight - rect.height) / 2;
    }
    return rect;
}

}  // namespace platform
