// Conversion of dialog units with the font's character cell, and initial dialog placement.
#include "platform/dialog/DialogUnits.h"

#include <algorithm>
#include <cstdint>

#include "platform/dialog/DialogBackend.h"

namespace platform {
namespace {

// units * base / divisor, rounded half away from zero as the native MulDiv rounds.
int Scale(int units, int base, int divisor) {
    const std::int64_t product = static_cast<std::int64_t>(units) * base;
    const std::int64_t half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor
                                         : -((-product + half) / divisor));
}

PixelRect Place(const DialogTemplate& dialogTemplate, PixelSize screen, const auto& toPixels) {
    const DialogStyle& style = dialogTemplate.style;
    const DialogRect origin = style.origin.value_or(DialogRect{});
    PixelRect rect =
        toPixels(DialogRect{origin.x, origin.y, dialogTemplate.width, dialogTemplate.height});
    if (style.centred && !style.origin) {
        rect.left = (screen.width - rect.width) / 2;
        rect.top = (screen.height - rect.height) / 2;
    }
    return rect;
}

}  // namespace

CharacterCell DefaultCharacterCell(const DialogFont& font) {
    const int points = std::max(font.points, 1);
    return {Scale(6, points, 8), Scale(13, points, 8)};
}

PixelRect DialogUnitsToPixels(const DialogRect& rect, const DialogFont& font) {
    const int points = std::max(font.points, 1);
    const int cellWidth = 6 * points;  // eighths of a pixel per 8-point unit
    const int cellHeight = 13 * points;
    const auto horizontal = [&](int units) { return units * cellWidth / (4 * 8); };
    const auto vertical = [&](int units) { return units * cellHeight / (8 * 8); };
    return {horizontal(rect.x), vertical(rect.y), horizontal(rect.width), vertical(rect.height)};
}

PixelRect DialogUnitsToPixels(const DialogRect& rect, const CharacterCell& cell) {
    return {Scale(rect.x, cell.width, 4), Scale(rect.y, cell.height, 8),
            Scale(rect.width, cell.width, 4), Scale(rect.height, cell.height, 8)};
}

PixelRect PlaceDialog(const DialogTemplate& dialogTemplate) {
    return Place(dialogTemplate, {kScreenWidth, kScreenHeight}, [&](const DialogRect& rect) {
        return DialogUnitsToPixels(rect, dialogTemplate.font);
    });
}

PixelRect PlaceDialog(const DialogTemplate& dialogTemplate, const DialogBackend& backend) {
    return Place(dialogTemplate, backend.ScreenSize(), [&](const DialogRect& rect) {
        return backend.ToPixels(rect, dialogTemplate.font);
    });
}

}  // namespace platform
