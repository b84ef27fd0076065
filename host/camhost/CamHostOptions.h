// The command line of camhost, the stand-in host as a program: its options and its help.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Status.h"

namespace host {

// What one run of camhost is asked to do. Paths are system paths (docs/paths.md).
struct CamHostSettings {
    std::string configFolder;                // holds surfcam.ini
    std::optional<std::string> openDrawing;  // opened first
    std::optional<std::string> sessionScript;
    std::optional<std::string> transcript;
    std::vector<std::string> commands;        // add-in commands by menu text or number, in order
    std::optional<std::string> saveDrawing;   // after the commands
    std::optional<std::string> picture;       // SVG after the commands
    std::optional<std::string> pictureTable;  // table definition naming the posts of the picture
    bool gui = false;  // dialogs as real windows (the desktop backend, which the program links)
};

// A usable command line: the settings, and whether help was asked for.
struct CamHostCommandLine {
    CamHostSettings settings;
    bool help = false;
};

// Parses camhost's arguments (without the program name), or says why they cannot be used; sets
// the drive root when given.
[[nodiscard]] platform::Expected<CamHostCommandLine> ParseCamHostCommandLine(
    const std::vector<std::string>& arguments);

// The text of --help.
[[nodiscard]] std::string CamHostHelp();

}  // namespace host
