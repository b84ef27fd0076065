// On Windows the paths the system writes are the system's own: "c:\Tavro.txt" is that file.
#include "platform/Paths.h"

#include <optional>
#include <string>

namespace platform {
namespace {

std::optional<std::filesystem::path>& ConfiguredRoot() {
    static std::optional<std::filesystem::path> root;
    return root;
}

}  // namespace

// A drive root is kept for the programs' option, but drives are the system's: nothing is
// mapped below it.
void SetDriveRoot(const std::filesystem::path& root) { ConfiguredRoot() = root; }

void ResetDriveRoot() { ConfiguredRoot().reset(); }

std::filesystem::path DriveRoot() { return ConfiguredRoot().value_or(std::filesystem::path()); }

std::filesystem::path MapPath(std::string_view systemPath) {
    return std::filesystem::path(std::string(systemPath));
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(path.c_str(), wideMode.c_str());
}

}  // namespace platform
