// Puts the host's DLL where the host keeps it, so that loading it by its fixed path finds it.
#pragma once

#include <filesystem>

#include "platform/Status.h"

namespace host {

// The built DLL ("cadlsilent") of this build tree.
[[nodiscard]] std::filesystem::path BuiltHostDll();

// Copies the built DLL to the mapped place of "c:\Surfcam\SrpApiV3" under the drive root in
// force, or says why it could not.
[[nodiscard]] platform::Status InstallHostDll();

}  // namespace host
