// Reading the add-in entries of surfcam.ini and choosing one by menu text or number.
#include "host/addins/AddinRegistry.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace host {
namespace {

constexpr std::string_view kSection = "SystemOptional";
constexpr std::string_view kCountKey = "UserApplications";
constexpr std::string_view kIniName = "surfcam.ini";
// More entries than this are taken for a damaged count, not read one by one.
constexpr int kMostEntries = 1000;

std::string EntryKey(int number) { return "UserApp" + std::to_string(number); }

AddinEntry ReadEntry(int number, const std::string& iniPath) {
    AddinEntry entry;
    entry.number = number;
    const std::string key = EntryKey(number);
    const std::string value = platform::GetPrivateProfileString(kSection, key, "", iniPath);
    const std::size_t comma = value.find(',');
    if (value.empty())
        entry.fault = key + " is missing or empty";
    else if (comma == std::string::npos || comma == 0)
        entry.fault = key + "=" + value + " is not \"library path,menu text\"";
    else {
        entry.libraryPath = value.substr(0, comma);
        entry.menuText = value.substr(comma + 1);
    }
    return entry;
}

std::string Listed(const AddinListing& listing) {
    std::string text;
    for (const AddinEntry& entry : listing.entries) {
        text += text.empty() ? "" : ", ";
        text += std::to_string(entry.number) + " ";
        text += entry.fault.empty() ? "\"" + entry.menuText + "\"" : "(" + entry.fault + ")";
    }
    return text;
}

}  // namespace

std::string SurfcamIniPath(std::string_view configFolder) {
    std::string path(configFolder);
    if (!path.empty() && !path.ends_with('\\') && !path.ends_with('/')) path += '\\';
    return path + std::string(kIniName);
}

platform::Expected<AddinListing> ReadAddinEntries(std::string_view configFolder) {
    AddinListing listing;
    listing.iniPath = SurfcamIniPath(configFolder);
    std::error_code error;
    const std::filesystem::path file = platform::MapPath(listing.iniPath);
    if (!std::filesystem::is_regular_file(file, error))
        return platform::Status::Failure("no " + std::string(kIniName) +
                                         " in the host configuration " + std::string(configFolder) +
                                         " (looked for " + file.string() + ")");
    const int count = platform::GetPrivateProfileInt(kSection, kCountKey, 0, listing.iniPath);
    if (count <= 0)
        return platform::Status::Failure(listing.iniPath + " lists no add-in (" +
                                         std::string(kCountKey) + " in section " +
                                         std::string(kSection) + " is missing or 0)");
    if (count > kMostEntries)
        return platform::Status::Failure(listing.iniPath + ": " + std::string(kCountKey) + "=" +
                                         std::to_string(count) +
                                         " is more add-ins than a host lists");
    for (int number = 1; number <= count; ++number)
        listing.entries.push_back(ReadEntry(number, listing.iniPath));
    return listing;
}

platform::Expected<const AddinEntry*> ChooseAddin(const AddinListing& listing,
                                                  std::string_view choice) {
    for (const AddinEntry& entry : listing.entries)
        if (entry.fault.empty() && entry.menuText == choice) return &entry;
    int number = 0;
    const auto [end, fault] = std::from_chars(choice.data(), choice.data() + choice.size(), number);
    const bool isNumber = fault == std::errc{} && end == choice.data() + choice.size();
    for (const AddinEntry& entry : listing.entries) {
        if (!isNumber || entry.number != number) continue;
        if (entry.fault.empty()) return &entry;
        return platform::Status::Failure("add-in " + std::string(choice) + " of " +
                                         listing.iniPath + ": " + entry.fault);
    }
    return platform::Status::Failure("no add-in \"" + std::string(choice) + "\" in " +
                                     listing.iniPath + " (listed: " + Listed(listing) + ")");
}

}  // namespace host
