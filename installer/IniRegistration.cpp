// Host ini registration: the "Ravelink" command of the install script.
#include "installer/IniRegistration.h"

#include <algorithm>
#include <vector>

#include "platform/IniFile.h"

namespace installer {
namespace {

constexpr std::string_view kSection = "SystemOptional";
constexpr std::string_view kCountKey = "UserApplications";

std::string entryKey(int number) { return "UserApp" + std::to_string(number); }

std::string lowerCased(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return lower;
}

// The leading decimal number of `text`, 0 when it does not begin with a digit; numbers past
// kMostAddInEntries are cut to one more than it, which is enough to refuse them.
int leadingCount(std::string_view text) {
    int count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        count = std::min(count * 10 + (c - '0'), kMostAddInEntries + 1);
    }
    return count;
}

// The number of the entry among UserApp1..UserApp<count> that names the library, or 0.
int findEntry(const std::string& iniPath, int count, std::string_view dllName) {
    const std::string wanted = lowerCased(dllName);
    for (int number = 1; number <= count; ++number) {
        const std::string value =
            platform::GetPrivateProfileString(kSection, entryKey(number), "", iniPath);
        if (lowerCased(value).find(wanted) != std::string::npos) return number;
    }
    return 0;
}

// Writes a new entry after the last one, the count first. An entry the ini file cannot hold is
// refused before anything is written, and the count is restored when the entry's write fails,
// so that the count never names an entry that is not there.
platform::Status appendEntry(const std::string& iniPath, const std::string& countText, int count,
                             const std::string& entryValue) {
    const std::string key = entryKey(count + 1);
    if (platform::Status storable = platform::IniDocument::CheckEntry(kSection, key, entryValue);
        !storable)
        return storable;
    if (auto written = platform::WritePrivateProfileInt(kSection, kCountKey, count + 1, iniPath);
        !written)
        return written;
    auto written = platform::WritePrivateProfileString(kSection, key, entryValue, iniPath);
    if (written) return written;
    if (auto restored =
            platform::WritePrivateProfileString(kSection, kCountKey, countText, iniPath);
        !restored)
        return platform::Status::Failure(
            written.Describe() +
            "; the count could not be restored either: " + restored.Describe());
    return written;
}

}  // namespace

platform::Status EnterAddIn(const std::string& iniPath, std::string_view dllName,
                            const std::string& entryValue) {
    const std::string countText =
        platform::GetPrivateProfileString(kSection, kCountKey, "0", iniPath);
    const int count = leadingCount(countText);
    if (count > kMostAddInEntries)
        return platform::Status::Failure(std::string(kCountKey) + " is " + countText +
                                         ", more than " + std::to_string(kMostAddInEntries));
    if (const int number = findEntry(iniPath, count, dllName); number != 0)
        return platform::WritePrivateProfileString(kSection, entryKey(number), entryValue, iniPath);
    return appendEntry(iniPath, countText, count, entryValue);
}

void registerAddIn(MarkupDocument& script, std::string_view hostDirectory,
                   const StatusLine& status) {
    status("Adding the SurfCAM API");
    std::string dllName;
    std::string dirName;
    std::string menuText;
    if (script.findChildElement("AddInMenu")) {
        dllName = script.childAttribute("DllName");
        dirName = script.childAttribute("DirName");
        menuText = script.childAttribute("MenuText");
    }
    if (menuText.empty()) menuText = dllName;
    const std::string base = WithTrailingBackslash(hostDirectory);
    const std::string entryValue = base + dirName + "\\" + dllName + "," + menuText;
    std::vector<std::string> failed;
    if (script.findChildElement("Version")) {
        script.enterElement();
        while (script.findChildElement("Directory")) {
            const std::string directory = script.childText();
            if (directory.empty() || dllName.empty()) continue;
            const std::string iniPath = base + directory + "\\surfcam.ini";
            if (platform::Status entered = EnterAddIn(iniPath, dllName, entryValue); !entered) {
                status("ERROR: Cannot register the add-in in " + iniPath + ": " +
                       entered.Describe());
                failed.push_back(iniPath);
            }
        }
        script.leaveElement();
    }
    if (failed.empty()) {
        status("SurfCAM API Added");
        return;
    }
    std::string names;
    for (const std::string& iniPath : failed) names += (names.empty() ? "" : ", ") + iniPath;
    status("ERROR: SurfCAM API not added to " + names);
}

}  // namespace installer
