// The application profile of a library: integers by section and key, kept in an ini file named
// after the library in the Windows folder.
#pragma once

#include <string>
#include <string_view>

#include "platform/IniFile.h"

namespace platform {

// The Windows folder as the system writes it; mapped like every other path.
inline constexpr std::string_view kWindowsFolder = "c:\\Windows";

class AppProfile {
public:
    // The profile of the library or program called `applicationName` ("Ravelink03").
    explicit AppProfile(std::string applicationName);

    // The profile's ini file as a system path: "c:\Windows\<name>.ini".
    [[nodiscard]] const std::string& IniPath() const { return iniPath_; }

    // The integer under `key` in `section`, `defaultValue` when missing; a value that does not
    // start with a number reads as 0.
    [[nodiscard]] int GetProfileInt(std::string_view section, std::string_view key,
                                    int defaultValue) const;
    // Stores `value` under `key` in `section`, creating the Windows folder when it is missing
    // (it always exists on the system being stood in for); the error says why a write failed.
    Status WriteProfileInt(std::string_view section, std::string_view key, int value) const;

private:
    std::string iniPath_;
};

}  // namespace platform
