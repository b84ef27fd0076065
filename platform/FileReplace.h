// Replacing a file's contents so that it is either the old file or the complete new one: the new
// text goes to a fresh file beside the target, is flushed, and is renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace platform {

// Why a file was not replaced (the fault kind of the failed Status); None when it was.
enum class ReplaceFault {
    None,
    CannotOpen,   // the target may not or cannot be written (read-only, a folder, no folder)
    CannotWrite,  // writing failed part way (a full disk); the target is as it was
};

// Gives the file at `target` (a path on this machine) the contents `bytes`, or says why not: the
// failure names the path as its place and has a ReplaceFault as its kind.
// - A regular file is replaced through a temporary file created exclusively in its folder; the
//   replaced file keeps its permissions (and its owner where the process may set it).
// - A symbolic link is written through: the file it names is replaced, the link stays.
// - A read-only file (one the user may not write, or with no write permission for anyone, as
//   the system's read-only attribute) is refused as CannotOpen and left as it was.
// - A character device or a pipe is written in place (never waiting for a reader); any other
//   file that is not regular is refused.
// - A missing file is created with the default permissions; a missing folder is CannotOpen.
[[nodiscard]] Status ReplaceFileContents(const std::filesystem::path& target,
                                         std::string_view bytes);

}  // namespace platform
