// The host's colour numbers as the colours a screen shows them in.
#pragma once

#include <string>

namespace host {

// The colour of colour number `number` (0-255) as "#rrggbb": 0-15 the host's basic colours
// (black, blue, green, cyan, red, magenta, brown, light grey, dark grey, light blue, light green,
// light cyan, light red, light magenta, yellow, white), 16-255 a ramp of hues and shades.
// Numbers out of range give the colour of 15.
[[nodiscard]] std::string HostColourRgb(int number);

}  // namespace host
