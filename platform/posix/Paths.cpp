// Path mapping from Windows-style texts to this machine's file system.
#include "platform/Paths.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "platform/TextCase.h"

namespace platform {
namespace {

std::optional<std::filesystem::path>& ConfiguredRoot() {
    static std::optional<std::filesystem::path> root;
    return root;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Appends one component, taking an existing entry that differs only in case when the exact
// name does not exist.
void AppendComponent(std::filesystem::path& path, std::string_view component) {
    if (component.empty() || component == ".") return;
    if (component == "..") {
        path /= "..";
        return;
    }
    std::filesystem::path exact = path / std::string(component);
    std::error_code error;
    if (std::filesystem::exists(exact, error)) {
        path = std::move(exact);
        return;
    }
    std::filesystem::directory_iterator entries(path.empty() ? "." : path, error);
    if (!error) {
        for (const auto& entry : entries) {
            const std::string name = entry.path().filename().string();
            if (EqualsIgnoringCase(name, component)) {
                path /= name;
                return;
            }
        }
    }
    path = std::move(exact);
}

void AppendComponents(std::filesystem::path& path, std::string_view rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        AppendComponent(path, rest.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

void SetDriveRoot(const std::filesystem::path& root) { ConfiguredRoot() = root; }

void ResetDriveRoot() { ConfiguredRoot().reset(); }

std::filesystem::path DriveRoot() {
    if (ConfiguredRoot()) return *ConfiguredRoot();
    if (const char* fromEnvironment = std::getenv(kDriveRootVariable);
        fromEnvironment != nullptr && *fromEnvironment != '\0')
        return fromEnvironment;
    std::error_code error;
    return std::filesystem::current_path(error) / "drives";
}

std::filesystem::path MapPath(std::string_view systemPath) {
    std::filesystem::path mapped;
    std::string_view rest = systemPath;
    const bool hasDrive =
        rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]));
    if (hasDrive) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
        mapped = DriveRoot() / (std::string("drive_") + letter);
        rest.remove_prefix(2);
    } else if (!rest.empty() && rest[0] == '/') {
        mapped = "/";
    } else if (!rest.empty() && rest[0] == '\\') {
        mapped = DriveRoot() / "drive_c";
    }
    AppendComponents(mapped, rest);
    return mapped;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

}  // namespace platform
