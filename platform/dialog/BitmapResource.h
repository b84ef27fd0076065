// A bitmap resource of a module: a palette picture that a bitmap control shows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A picture of width x height pixels, each an index into the palette, row by row from the top
// left. Palette entries are 0xRRGGBB.
struct BitmapResource {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> pixels;

    // Whether there is one pixel per place and every pixel names a palette entry.
    [[nodiscard]] bool Fits() const {
        if (width <= 0 || height <= 0) return false;
        if (pixels.size() != std::size_t(width) * std::size_t(height)) return false;
        return std::all_of(pixels.begin(), pixels.end(),
                           [&](std::uint8_t index) { return index < palette.size(); });
    }
};

}  // namespace platform
