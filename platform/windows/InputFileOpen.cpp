// Input files on Windows: only regular files are opened; a folder or a device named as an input
// is refused before anything is read.
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/InputFile.h"
#include "platform/InputFileOpen.h"

namespace platform {

Expected<FileHandle> OpenInputFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        return RefusedInput(path, InputFault::Missing, ReasonOf(ENOENT));
    if (std::filesystem::is_directory(status))
        return RefusedInput(path, InputFault::NotRegular, ReasonOf(EISDIR));
    if (!std::filesystem::is_regular_file(status))
        return RefusedInput(path, InputFault::NotRegular,
                            "Not a regular file (a pipe, a device or a socket)");
    FileHandle opened(::_wfopen(path.c_str(), L"rb"));
    if (!opened) return RefusedInput(path, InputFault::Unreadable, ReasonOf(errno));
    return opened;
}

std::optional<std::uint64_t> SizeOfOpenFile(std::FILE* file) {
    if (::_fseeki64(file, 0, SEEK_END) != 0) return std::nullopt;
    const auto size = ::_ftelli64(file);
    if (size < 0 || ::_fseeki64(file, 0, SEEK_SET) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

}  // namespace platform
