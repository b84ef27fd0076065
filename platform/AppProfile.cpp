// Application profiles: integer settings of a library in its ini file in the Windows folder.
#include "platform/AppProfile.h"

#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

namespace platform {

AppProfile::AppProfile(std::string applicationName)
    : iniPath_(std::string(kWindowsFolder) + "\\" + applicationName + ".ini") {}

int AppProfile::GetProfileInt(std::string_view section, std::string_view key,
                              int defaultValue) const {
    return GetPrivateProfileInt(section, key, defaultValue, iniPath_);
}

Status AppProfile::WriteProfileInt(std::string_view section, std::string_view key,
                                   int value) const {
    std::error_code error;
    const std::filesystem::path folder = MapPath(kWindowsFolder);
    std::filesystem::create_directories(folder, error);
    if (error)
        return Status::Failure("cannot create the Windows folder " + folder.string() + ": " +
                               error.message());
    return WritePrivateProfileInt(section, key, value, iniPath_);
}

}  // namespace platform
