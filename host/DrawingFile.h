// The host's drawing file (extension "scprt"): a human-readable text that holds a drawing exactly.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "host/Drawing.h"
#include "platform/Status.h"

namespace host {

// Extension of drawing files, without the dot.
inline constexpr std::string_view kDrawingExtension = "scprt";

// Reads a drawing from the text of a drawing file, or says where (the line, 1-based) and why the
// text was refused.
[[nodiscard]] platform::Expected<Drawing> ReadDrawing(std::string_view text);
// Reads a drawing from a file on this machine; anything but a regular file is refused at once,
// and a file that cannot be read at all is refused without a line.
[[nodiscard]] platform::Expected<Drawing> ReadDrawingFile(const std::filesystem::path& path);

// The text of a drawing file that reads back into an equal drawing (every double exactly).
[[nodiscard]] std::string WriteDrawing(const Drawing& drawing);
// Writes the drawing to a file, replacing it safely (platform/FileReplace.h); on failure the
// file stays as it was and the status says why.
[[nodiscard]] platform::Status WriteDrawingFile(const Drawing& drawing,
                                                const std::filesystem::path& path);

}  // namespace host
