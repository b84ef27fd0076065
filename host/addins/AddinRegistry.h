// The add-ins a host configuration lists: section "SystemOptional" of its surfcam.ini, the count
// "UserApplications" and one "library path,menu text" entry per key UserApp1..UserAppN.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The entries of one configuration, or why there are none to be had.
struct AddinListing {
    std::string iniPath;  // system path of the surfcam.ini read
    std::vector<AddinEntry> entries;
    std::string error;  // no surfcam.ini, or it lists no add-in
    explicit operator bool() const { return error.empty(); }
};

// The system path of the surfcam.ini of a configuration folder.
[[nodiscard]] std::string SurfcamIniPath(std::string_view configFolder);

// Reads the add-in entries of the configuration folder (a system path).
[[nodiscard]] AddinListing ReadAddinEntries(std::string_view configFolder);

// The entry a user's choice names: the entry whose menu text is exactly `choice`, else the entry
// whose number `choice` is. Null with `error` naming what is listed when none fits or the entry
// is faulty.
[[nodiscard]] const AddinEntry* ChooseAddin(const AddinListing& listing, std::string_view choice,
                                            std::string& error);

}  // namespace host
