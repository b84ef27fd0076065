// The private-profile operations on Windows: the system's own functions, on the system's paths.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/windows/SystemHeaders.h"

namespace platform {
namespace {

// The system resolves a bare file name in the Windows folder; the system paths the programs
// write are full, and a relative one is taken from the current folder as every other file is.
std::string FullPath(std::string_view iniPath) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(MapPath(iniPath), error);
    return (error ? MapPath(iniPath) : full).string();
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view iniPath) {
    const std::string file = FullPath(iniPath);
    const std::string sectionName(section), keyName(key), fallback(defaultValue);
    // The system cuts a value to the buffer and gives back its size less one when it did.
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD got = ::GetPrivateProfileStringA(
            sectionName.c_str(), keyName.c_str(), fallback.c_str(), buffer.data(),
            static_cast<DWORD>(buffer.size()), file.c_str());
        if (got + 1 < buffer.size()) return std::string(buffer.data(), got);
        buffer.resize(buffer.size() * 4);
    }
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view iniPath) {
    const std::string file = FullPath(iniPath);
    return static_cast<int>(::GetPrivateProfileIntA(
        std::string(section).c_str(), std::string(key).c_str(), defaultValue, file.c_str()));
}

Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, std::string_view iniPath) {
    if (iniPath.empty()) return Status::Failure("no ini file named");
    const std::string file = FullPath(iniPath);
    if (!::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), file.c_str()))
        return Status::Failure(file + ": " + SystemErrorText(::GetLastError()));
    return {};
}

// The system keeps what it read itself; nothing of ours to forget.
void ForgetParsedIniFiles() {}

std::size_t IniFileParses() { return 0; }

}  // namespace platform
