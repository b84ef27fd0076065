// Puts the host's DLL where the host keeps it, so that loading it by its fixed path finds it.
#pragma once

#include <filesystem>
#include <string>

namespace host {

// The built DLL ("cadlsilent") of this build tree.
[[nodiscard]] std::filesystem::path BuiltHostDll();

// Copies the built DLL to the mapped place of "c:\Surfcam\SrpApiV3" under the drive root in
// force; empty on success, else why it failed.
[[nodiscard]] std::string InstallHostDll();

}  // namespace host
