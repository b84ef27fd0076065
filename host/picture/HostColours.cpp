// The host's palette.
#include "host/picture/HostColours.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace host {
namespace {

constexpr std::array<const char*, 16> kBasic{
    "#000000", "#0000aa", "#00aa00", "#00aaaa", "#aa0000", "#aa00aa", "#aa5500", "#aaaaaa",
    "#555555", "#5555ff", "#55ff55", "#55ffff", "#ff5555", "#ff55ff", "#ffff55", "#ffffff"};

// 240 colours above the basic ones: 24 hues in 10 shades from dark to light.
std::string Ramp(int index) {
    const double hue = (index % 24) * 15.0;
    const double light = 0.25 + 0.05 * (index / 24);
    const double chroma = (1.0 - std::fabs(2.0 * light - 1.0));
    const double h = hue / 60.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    if (h < 1)
        r = chroma, g = x;
    else if (h < 2)
        r = x, g = chroma;
    else if (h < 3)
        g = chroma, b = x;
    else if (h < 4)
        g = x, b = chroma;
    else if (h < 5)
        r = x, b = chroma;
    else
        r = chroma, b = x;
    const double m = light - chroma / 2.0;
    const auto byte = [m](double c) { return static_cast<int>(std::lround((c + m) * 255.0)); };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(r), byte(g), byte(b));
    return text;
}

}  // namespace

std::string HostColourRgb(int number) {
    if (number < 0 || number > 255) return kBasic[15];
    if (number < 16) return kBasic[static_cast<std::size_t>(number)];
    return Ramp(number - 16);
}

}  // namespace host
