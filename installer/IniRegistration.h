// Registration of an add-in in the host's ini files ("surfcam.ini", section "SystemOptional").
#pragma once

#include <string>
#include <string_view>

#include "installer/MarkupDocument.h"
#include "installer/RunParameters.h"
#include "platform/Status.h"

namespace installer {

// Counts of "UserApplications" above this are refused as damaged: each entry up to the count
// is read on its own, and the host never holds nearly as many add-ins.
inline constexpr int kMostAddInEntries = 1000;

// Carries out a "Ravelink" Command: `script` stands on the Command (no child position) and is
// left there. Enters the AddInMenu's library in the surfcam.ini of every Version/Directory
// below `hostDirectory`, updating an entry that already names the library. Reports on
// `status`: "Adding the SurfCAM API", an error for each ini file that could not be written,
// then "SurfCAM API Added", or an error naming the ini files left without the entry.
void registerAddIn(MarkupDocument& script, std::string_view hostDirectory,
                   const StatusLine& status);

// Enters `entryValue` in the ini file `iniPath`: into the first "UserApp<n>" (n up to the
// count) whose value contains `dllName` (both lower-cased), else as a new entry after the
// count, which is raised first. On failure, says why nothing usable was written.
platform::Status EnterAddIn(const std::string& iniPath, std::string_view dllName,
                            const std::string& entryValue);

}  // namespace installer
