// Input files opened without blocking and checked to be regular files before anything is read.
#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace platform {
namespace {

InputFile Refuse(const std::filesystem::path& path, InputFault fault, std::string reason) {
    InputFile refused;
    refused.fault = fault;
    refused.error = path.string() + ": " + reason;
    refused.reason = std::move(reason);
    return refused;
}

// The system's own texts, so that a message reads as the system's would.
std::string ReasonOf(int error) { return std::strerror(error); }

}  // namespace

InputFile OpenInputFile(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a pipe that nobody writes to would otherwise wait for ever; the
    // descriptor is made blocking again once it is known to be a regular file.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        return Refuse(
            path,
            error == ENOENT || error == ENOTDIR ? InputFault::Missing : InputFault::Unreadable,
            ReasonOf(error));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(descriptor);
        return Refuse(
            path, InputFault::NotRegular,
            folder ? ReasonOf(EISDIR) : "Not a regular file (a pipe, a device or a socket)");
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(descriptor);
        return Refuse(path, InputFault::Unreadable, ReasonOf(error));
    }
    InputFile opened;
    opened.file.reset(::fdopen(descriptor, "rb"));
    if (!opened.file) {
        const int error = errno;
        ::close(descriptor);
        return Refuse(path, InputFault::Unreadable, ReasonOf(error));
    }
    return opened;
}

InputText ReadInputFile(const std::filesystem::path& path) {
    InputFile input = OpenInputFile(path);
    return ReadInputFile(input, path);
}

InputText ReadInputFile(InputFile& input, const std::filesystem::path& path) {
    InputText result;
    if (!input) {
        result.fault = input.fault;
        result.reason = std::move(input.reason);
        result.error = std::move(input.error);
        return result;
    }
    const auto refuse = [&](std::string reason) {
        result.text.clear();
        result.fault = InputFault::Unreadable;
        result.error = path.string() + ": " + reason;
        result.reason = std::move(reason);
        return std::move(result);
    };
    // Read to the end rather than trusting the size: a file may grow or shrink meanwhile.
    char block[1 << 16];
    try {
        std::size_t got;
        while ((got = std::fread(block, 1, sizeof block, input.file.get())) > 0)
            result.text.append(block, got);
    } catch (const std::bad_alloc&) {
        return refuse(ReasonOf(ENOMEM));
    }
    if (std::ferror(input.file.get())) return refuse(ReasonOf(errno != 0 ? errno : EIO));
    return result;
}

}  // namespace platform
