// Input files opened without blocking and checked to be regular files before anything is read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/InputFile.h"
#include "platform/InputFileOpen.h"

namespace platform {

Expected<FileHandle> OpenInputFile(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a pipe that nobody writes to would otherwise wait for ever; the
    // descriptor is made blocking again once it is known to be a regular file.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        return RefusedInput(
            path,
            error == ENOENT || error == ENOTDIR ? InputFault::Missing : InputFault::Unreadable,
            ReasonOf(error));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(descriptor);
        return RefusedInput(
            path, InputFault::NotRegular,
            folder ? ReasonOf(EISDIR) : "Not a regular file (a pipe, a device or a socket)");
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(descriptor);
        return RefusedInput(path, InputFault::Unreadable, ReasonOf(error));
    }
    FileHandle opened(::fdopen(descriptor, "rb"));
    if (!opened) {
        const int error = errno;
        ::close(descriptor);
        return RefusedInput(path, InputFault::Unreadable, ReasonOf(error));
    }
    return opened;
}

std::optional<std::uint64_t> SizeOfOpenFile(std::FILE* file) {
    if (::fseeko(file, 0, SEEK_END) != 0) return std::nullopt;
    const auto size = ::ftello(file);
    if (size < 0 || ::fseeko(file, 0, SEEK_SET) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

}  // namespace platform
