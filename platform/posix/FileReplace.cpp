// Safe replacement of files: exclusive temporary file beside the target, flush, rename.
#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace platform {
namespace {

// Links followed before giving up, as the system's own limit on link chains.
constexpr int kMaxLinkDepth = 40;
// Fresh names tried before giving up on a folder that keeps holding them.
constexpr int kTemporaryNameAttempts = 100;

Status Fail(ReplaceFault fault, const std::filesystem::path& path, std::string reason) {
    return Status::Failure(fault, std::move(reason), {.file = path.string()});
}

std::string ErrorText(int error) { return std::strerror(error); }

// The file a chain of symbolic links ends at (the path itself when it is no link), or why the
// chain cannot be followed; the file need not exist, so a dangling link creates the file it names.
Expected<std::filesystem::path> ResolveLinks(std::filesystem::path path) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        std::error_code error;
        const auto status = std::filesystem::symlink_status(path, error);
        if (!std::filesystem::is_symlink(status)) return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) return Status::Failure("cannot follow the link: " + error.message());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Status::Failure(ErrorText(ELOOP));
}

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(descriptor, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

// Devices and pipes take the bytes where they are; opening never waits for a reader.
Status WriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        return Fail(ReplaceFault::CannotOpen, path,
                    error == ENXIO ? "is a pipe that nobody reads" : ErrorText(error));
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    bool written = flags >= 0 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
    written = written && WriteAll(descriptor, bytes);
    const int error = errno;
    written = ::close(descriptor) == 0 && written;
    if (!written) return Fail(ReplaceFault::CannotWrite, path, "cannot write: " + ErrorText(error));
    return {};
}

// A new file with a name nobody holds, in `folder`: O_EXCL never opens an existing file nor
// follows a link planted under the name.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::minstd_rand names(std::random_device{}());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = target.parent_path() /
                    ("." + target.filename().string() + "." + std::to_string(names()) + ".new");
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    const Expected<std::filesystem::path> resolved = ResolveLinks(path);
    if (!resolved) return Fail(ReplaceFault::CannotOpen, path, resolved.GetStatus().Reason());
    const std::filesystem::path target =
        resolved->parent_path().empty() ? std::filesystem::path(".") / *resolved : *resolved;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return Fail(ReplaceFault::CannotOpen, target, ErrorText(errno));
    if (exists) {
        if (S_ISDIR(old.st_mode)) return Fail(ReplaceFault::CannotOpen, target, "is a folder");
        if (S_ISCHR(old.st_mode) || S_ISFIFO(old.st_mode)) return WriteInPlace(target, bytes);
        if (!S_ISREG(old.st_mode))
            return Fail(ReplaceFault::CannotOpen, target, "is not a regular file");
        // Renaming needs only the folder's permission: the file's own protection is checked
        // here, and a file nobody may write reads as read-only even for the administrator.
        if (::access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)
            return Fail(ReplaceFault::CannotOpen, target, "is read-only");
    }

    std::filesystem::path temporary;
    const int descriptor = CreateTemporary(target, temporary);
    if (descriptor < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return Fail(ReplaceFault::CannotOpen, target, "the folder does not exist");
        return Fail(ReplaceFault::CannotOpen, target,
                    "cannot create a file beside it: " + ErrorText(error));
    }
    bool kept = true;
    if (exists) {
        kept = ::fchmod(descriptor, old.st_mode & 07777) == 0;
        // Only an administrator may give the file back its owner; anyone else keeps it as theirs,
        // as a file they created.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)::fchown(descriptor, old.st_uid, old.st_gid);
    }
    bool written = kept && WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const int error = errno;
    written = ::close(descriptor) == 0 && written;
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0) return {};
    const int failure = written ? errno : error;
    ::unlink(temporary.c_str());
    return Fail(ReplaceFault::CannotWrite, target,
                (kept ? "cannot write: " : "cannot keep its permissions: ") + ErrorText(failure));
}

}  // namespace platform
