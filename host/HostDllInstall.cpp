// Installs the host's DLL below the drive root.
#include "host/HostDllInstall.h"

#include <system_error>

#include "platform/Paths.h"

namespace host {

std::filesystem::path BuiltHostDll() { return TAVRO_HOST_DLL_FILE; }

platform::Status InstallHostDll() {
    // The dynamic loader finds a ".dll" path's shared object under the same name ending ".so".
    const std::filesystem::path target = platform::MapPath("c:\\Surfcam\\SrpApiV3\\cadlsilent.so");
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
