// The host's drawing file (extension "scprt"): a human-readable text that holds a drawing exactly.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "host/Drawing.h"

namespace host {

// Extension of drawing files, without the dot.
inline constexpr std::string_view kDrawingExtension = "scprt";

// A drawing read from a file, or where and why the file was refused.
struct DrawingReadResult {
    std::optional<Drawing> drawing;
    int line = 0;             // line of the fault, 1-based; 0 when the file could not be read
    std::string description;  // what is wrong there
    explicit operator bool() const { return drawing.has_value(); }
    // "line 12: ..." or the description alone for line 0.
    [[nodiscard]] std::string Message() const;
};

// Reads a drawing from the text of a drawing file.
[[nodiscard]] DrawingReadResult ReadDrawing(std::string_view text);
// Reads a drawing from a file on this machine; anything but a regular file is refused at once.
[[nodiscard]] DrawingReadResult ReadDrawingFile(const std::filesystem::path& path);

// The text of a drawing file that reads back into an equal drawing (every double exactly).
[[nodiscard]] std::string WriteDrawing(const Drawing& drawing);
// Writes the drawing to a file, replacing it safely (platform/FileReplace.h); empty on success,
// else why it failed (the file as it was).
[[nodiscard]] std::string WriteDrawingFile(const Drawing& drawing,
                                           const std::filesystem::path& path);

}  // namespace host
