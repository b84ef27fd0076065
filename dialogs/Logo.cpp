// Draws the logo: white ground, a dark table top, grey posts raised to a curved red part.
#include "dialogs/Logo.h"

#include <cmath>

namespace dialogs {

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 80;
// The 16 standard colours; the logo uses four of them.
constexpr std::uint32_t kPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};
constexpr std::uint8_t kGround = 15;
constexpr std::uint8_t kTable = 4;
constexpr std::uint8_t kPost = 8;
constexpr std::uint8_t kPart = 9;
constexpr int kTableTop = 64;
constexpr int kTableBottom = 72;
constexpr int kPartThickness = 8;

// The part's lower edge at column x: a shallow arch.
int PartBottom(int x) {
    const double u = (x - kWidth / 2.0) / (kWidth / 2.0);
    return static_cast<int>(std::lround(34 - 16 * std::cos(u * 1.4)));
}

}  // namespace

platform::BitmapResource TavroLogo() {
    platform::BitmapResource logo;
    logo.width = kWidth;
    logo.height = kHeight;
    logo.palette.assign(std::begin(kPalette), std::end(kPalette));
    logo.pixels.assign(std::size_t(kWidth) * kHeight, kGround);
    const auto paint = [&](int x, int y, std::uint8_t colour) {
        logo.pixels[std::size_t(y) * kWidth + std::size_t(x)] = colour;
    };
    for (int y = kTableTop; y < kTableBottom; ++y)
        for (int x = 4; x < kWidth - 4; ++x) paint(x, y, kTable);
    // Eight posts, each reaching up to the part above it.
    for (int post = 0; post < 8; ++post) {
        const int left = 14 + post * 24;
        for (int x = left; x < left + 6; ++x)
            for (int y = PartBottom(left + 3); y < kTableTop; ++y) paint(x, y, kPost);
    }
    for (int x = 8; x < kWidth - 8; ++x)
        for (int y = PartBottom(x) - kPartThickness; y < PartBottom(x); ++y) paint(x, y, kPart);
    return logo;
}

}  // namespace dialogs
