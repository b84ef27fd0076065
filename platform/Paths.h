// The one path service: maps the Windows-style paths the system writes to this machine's files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace platform {

// Environment variable that sets the drive root when the program does not.
inline constexpr const char* kDriveRootVariable = "TAVRO_DRIVE_ROOT";

// Sets the folder that holds the drives: drive C is the folder "drive_c" below it.
void SetDriveRoot(const std::filesystem::path& root);

// The drive root in force: the one set, else $TAVRO_DRIVE_ROOT, else "drives" in the current
// directory.
[[nodiscard]] std::filesystem::path DriveRoot();

// Forgets a drive root set by the program (tests use this between cases).
void ResetDriveRoot();

// Maps a path as the system writes it ("c:\Tavro.txt", "\Surfcam\x.dll", "rel\a.txt",
// "/tmp/a.txt") to a path on this machine. Drive letters go below the drive root, a leading
// "\" is the root of drive C, absolute POSIX paths stay as they are, everything else is relative
// to the current directory. "\" and "/" both separate. A component that does not exist as
// written but exists with other upper/lower case resolves to the existing entry, as a
// case-insensitive file system would.
[[nodiscard]] std::filesystem::path MapPath(std::string_view systemPath);

// Opens the file at `path` (a path on this machine) in the C library's `mode` ("rb", "w"...),
// whatever characters the system's paths are made of; null with errno set when it cannot.
[[nodiscard]] std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

}  // namespace platform
