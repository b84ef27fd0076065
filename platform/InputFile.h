// Opening the files the programs read, only when they are regular files: a pipe, a device or a
// folder named as an input is refused at once instead of blocking the program or being misread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/Status.h"

namespace platform {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Why an input could not be used (the fault kind of the failed Status); None when it was.
enum class InputFault { None, Missing, NotRegular, Unreadable };

// Opens the file at `path` (a path on this machine) for binary reading when it is a regular
// file. Never waits: a pipe without a writer is refused like any other non-regular file. A
// refusal names the path as its place, its reason is the system's error text ("Is a directory")
// or why the file is not used, its fault kind an InputFault.
[[nodiscard]] Expected<FileHandle> OpenInputFile(const std::filesystem::path& path);

// The size in bytes of the open file `file`, which is left at its start; none when it cannot be
// told. Whole 64 bits on every system (the C library's long is 32 bits on Windows).
[[nodiscard]] std::optional<std::uint64_t> SizeOfOpenFile(std::FILE* file);

// Reads the whole regular file at `path`, or says why not as OpenInputFile does; a file too
// large for memory is refused, not thrown.
[[nodiscard]] Expected<std::string> ReadInputFile(const std::filesystem::path& path);
// Reads the rest of `file`, opened from `path`, in the same way.
[[nodiscard]] Expected<std::string> ReadInputFile(std::FILE* file,
                                                  const std::filesystem::path& path);

}  // namespace platform
