// Dynamic loading through dlopen, with the library's system path mapped to a shared object.
#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

#include <cctype>
#include <system_error>
#include <utility>

#include "platform/Paths.h"

namespace platform {
namespace {

bool EndsWithDll(std::string_view path) {
    if (path.size() < 4) return false;
    std::string ending(path.substr(path.size() - 4));
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".dll";
}

}  // namespace

std::vector<std::filesystem::path> DynamicLibrary::Candidates(std::string_view systemPath) {
    std::vector<std::filesystem::path> candidates{MapPath(systemPath)};
    if (EndsWithDll(systemPath)) {
        const std::string stem(systemPath.substr(0, systemPath.size() - 4));
        const std::size_t nameAt = stem.find_last_of("\\/:") + 1;  // 0 when there is no folder
        candidates.push_back(MapPath(stem + ".so"));
        candidates.push_back(MapPath(stem.substr(0, nameAt) + "lib" + stem.substr(nameAt) + ".so"));
    }
    return candidates;
}

Expected<DynamicLibrary> DynamicLibrary::Load(std::string_view systemPath) {
    if (systemPath.empty()) return Status::Failure("no library path given");
    for (const std::filesystem::path& candidate : Candidates(systemPath)) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error)) continue;
        // Absolute, so that dlopen never searches its library path for a bare file name.
        const std::filesystem::path file = std::filesystem::absolute(candidate, error);
        DynamicLibrary library;
        library.handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library.handle_ == nullptr) {
            const char* reason = ::dlerror();
            return Status::Failure(reason != nullptr ? reason : "cannot load " + file.string());
        }
        library.file_ = file;
        return library;
    }
    return Status::Failure("no library at " + std::string(systemPath) + " (looked for " +
                           Candidates(systemPath).front().string() + ")");
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
    return ::dlsym(handle_, name);
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) ::dlclose(handle_);
    handle_ = nullptr;
    file_.clear();
}

}  // namespace platform
