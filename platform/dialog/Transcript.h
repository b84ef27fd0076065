// The transcript of a headless session: every visible event, one line each, in order.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

// Keeps the lines in memory and, when a file is given, writes each one there at once (so a
// session that stops half-way leaves what happened up to then).
class Transcript {
public:
    // Writes lines to `path` too, replacing the file; a failure when it cannot.
    Status WriteTo(const std::filesystem::path& path);
    // Appends one line.
    void Write(const std::string& line);
    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }

    // Whether the transcript shows the event: window events and status and progress changes,
    // not the other changes of controls nor a window's making.
    [[nodiscard]] static bool Shows(const WindowEvent& event);
    // The line of an event the transcript shows (docs/transcripts.md gives the format); ""
    // for one it does not show.
    [[nodiscard]] static std::string Format(const WindowEvent& event);

private:
    std::vector<std::string> lines_;
    std::ofstream file_;
};

}  // namespace platform
