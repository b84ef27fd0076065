// Dynamic loading through the system's loader: the library's path is the system's own.
#include <system_error>
#include <utility>

#include "platform/DynamicLibrary.h"
#include "platform/Paths.h"
#include "platform/windows/SystemHeaders.h"

namespace platform {

std::vector<std::filesystem::path> DynamicLibrary::Candidates(std::string_view systemPath) {
    return {MapPath(systemPath)};
}

Expected<DynamicLibrary> DynamicLibrary::Load(std::string_view systemPath) {
    if (systemPath.empty()) return Status::Failure("no library path given");
    const std::filesystem::path candidate = MapPath(systemPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error))
        return Status::Failure("no library at " + std::string(systemPath) + " (looked for " +
                               candidate.string() + ")");
    // Absolute, and with the library's own folder searched first for the libraries it needs,
    // as for a library installed beside its link library.
    const std::filesystem::path file = std::filesystem::absolute(candidate, error);
    const HMODULE module = ::LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr)
        return Status::Failure(file.string() + ": " + SystemErrorText(::GetLastError()));
    DynamicLibrary library;
    library.handle_ = reinterpret_cast<void*>(module);
    library.file_ = file;
    return library;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
    file_.clear();
}

}  // namespace platform
