// Opening the files the programs read, only when they are regular files: a pipe, a device or a
// folder named as an input is refused at once instead of blocking the program or being misread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace platform {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Why an input could not be used; None when it was.
enum class InputFault { None, Missing, NotRegular, Unreadable };

// A file opened for binary reading, or why it was refused.
struct InputFile {
    FileHandle file;
    InputFault fault = InputFault::None;
    std::string reason;  // the system's error text ("Is a directory"), or why the file is not used
    std::string error;   // the path and the reason: "/tmp/x.txt: Is a directory"
    explicit operator bool() const { return file != nullptr; }
};

// Opens the file at `path` (a path on this machine) for binary reading when it is a regular
// file. Never waits: a pipe without a writer is refused like any other non-regular file.
[[nodiscard]] InputFile OpenInputFile(const std::filesystem::path& path);

// The size in bytes of the open file `file`, which is left at its start; none when it cannot be
// told. Whole 64 bits on every system (the C library's long is 32 bits on Windows).
[[nodiscard]] std::optional<std::uint64_t> SizeOfOpenFile(std::FILE* file);

// The whole contents of a regular file, or why it was refused.
struct InputText {
    std::string text;
    InputFault fault = InputFault::None;
    std::string reason;
    std::string error;
    explicit operator bool() const { return fault == InputFault::None; }
};

// Reads the whole regular file at `path`; a file too large for memory is refused, not thrown.
[[nodiscard]] InputText ReadInputFile(const std::filesystem::path& path);
// Reads the rest of `input`, opened from `path`, in the same way.
[[nodiscard]] InputText ReadInputFile(InputFile& input, const std::filesystem::path& path);

}  // namespace platform
