// Reading input files whole; opening them is the system's part (InputFileOpen.cpp).
#include "platform/InputFile.h"
#include "platform/InputFileOpen.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace platform {

Status RefusedInput(const std::filesystem::path& path, InputFault fault, std::string reason) {
    return Status::Failure(fault, std::move(reason), {.file = path.string()});
}

std::string ReasonOf(int error) { return std::strerror(error); }

Expected<std::string> ReadInputFile(const std::filesystem::path& path) {
    Expected<FileHandle> input = OpenInputFile(path);
    if (!input) return input.GetStatus();
    return ReadInputFile(input->get(), path);
}

Expected<std::string> ReadInputFile(std::FILE* file, const std::filesystem::path& path) {
    std::string text;
    // Read to the end rather than trusting the size: a file may grow or shrink meanwhile.
    char block[1 << 16];
    try {
        std::size_t got;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    } catch (const std::bad_alloc&) {
        return RefusedInput(path, InputFault::Unreadable, ReasonOf(ENOMEM));
    }
    if (std::ferror(file))
        return RefusedInput(path, InputFault::Unreadable, ReasonOf(errno != 0 ? errno : EIO));
    return text;
}

}  // namespace platform
