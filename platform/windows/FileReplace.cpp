// Safe replacement of files on Windows: a new file created beside the target, flushed to disk,
// and moved over the target in one step.
#include <algorithm>
#include <random>
#include <system_error>

#include "platform/FileReplace.h"
#include "platform/windows/SystemHeaders.h"

namespace platform {
namespace {

// Fresh names tried before giving up on a folder that keeps holding them.
constexpr int kTemporaryNameAttempts = 100;

Status Fail(ReplaceFault fault, const std::filesystem::path& path, std::string reason) {
    return Status::Failure(fault, std::move(reason), {.file = path.string()});
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &wrote, nullptr) || wrote == 0) return false;
        bytes.remove_prefix(wrote);
    }
    return true;
}

// A new file with a name nobody holds: CREATE_NEW never opens an existing file.
HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::minstd_rand names(std::random_device{}());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = target.parent_path() /
                    ("." + target.filename().string() + "." + std::to_string(names()) + ".new");
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target =
        path.parent_path().empty() ? std::filesystem::path(".") / path : path;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return Fail(ReplaceFault::CannotOpen, target, SystemErrorText(error));
    } else {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Fail(ReplaceFault::CannotOpen, target, "is a folder");
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return Fail(ReplaceFault::CannotOpen, target, "is read-only");
    }

    std::filesystem::path temporary;
    const HANDLE file = CreateTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND)
            return Fail(ReplaceFault::CannotOpen, target, "the folder does not exist");
        return Fail(ReplaceFault::CannotOpen, target,
                    "cannot create a file beside it: " + SystemErrorText(error));
    }
    bool written = WriteAll(file, bytes) && ::FlushFileBuffers(file);
    DWORD error = ::GetLastError();
    written = ::CloseHandle(file) && written;
    if (written && ::MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    if (written) error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return Fail(ReplaceFault::CannotWrite, target, "cannot write: " + SystemErrorText(error));
}

}  // namespace platform
