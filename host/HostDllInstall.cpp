// Installs the host's DLL below the drive root.
#include "host/HostDllInstall.h"

#include <system_error>

#include "platform/Paths.h"

namespace host {

std::filesystem::path BuiltHostDll() { return TAVRO_HOST_DLL_FILE; }

platform::Status InstallHostDll() {
    // Under the built file's own name: "cadlsilent.dll" on Windows, and here "cadlsilent.so",
    // which the dynamic loader finds for the ".dll" path.
    const std::filesystem::path target =
        platform::MapPath("c:\\Surfcam\\SrpApiV3\\" + BuiltHostDll().filename().string());
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (!error)
        std::filesystem::copy_file(BuiltHostDll(), target,
                                   std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return platform::Status::Failure("cannot install the host DLL at " + target.string() +
                                         ": " + error.message());
    return {};
}

}  // namespace host
