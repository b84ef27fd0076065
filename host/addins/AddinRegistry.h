// The add-ins a host configuration lists: section "SystemOptional" of its surfcam.ini, the count
// "UserApplications" and one "library path,menu text" entry per key UserApp1..UserAppN.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace host {

// The host's configuration folder when none is given.
inline constexpr std::string_view kDefaultConfigFolder = "c:\\Surfcam\\Config";

// One entry of the list. An entry that is missing or cannot be read keeps its number and says
// why in `fault`.
struct AddinEntry {
    int number = 0;           // n of the key UserAppn
    std::string libraryPath;  // as written, a system path
    std::string menuText;
    std::string fault;  // empty when the entry is usable
};

// The entries of one configuration.
struct AddinListing {
    std::string iniPath;  // system path of the surfcam.ini read
    std::vector<AddinEntry> entries;
};

// The system path of the surfcam.ini of a configuration folder.
[[nodiscard]] std::string SurfcamIniPath(std::string_view configFolder);

// Reads the add-in entries of the configuration folder (a system path); refused when there is no
// surfcam.ini or it lists no add-in.
[[nodiscard]] platform::Expected<AddinListing> ReadAddinEntries(std::string_view configFolder);

// The entry a user's choice names: the entry whose menu text is exactly `choice`, else the entry
// whose number `choice` is; refused, naming what is listed, when none fits or the entry is
// faulty.
[[nodiscard]] platform::Expected<const AddinEntry*> ChooseAddin(const AddinListing& listing,
                                                                std::string_view choice);

}  // namespace host
