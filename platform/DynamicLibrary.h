// Loading a library by its system path ("c:\Surfcam\SrpApiV3\cadlsilent.dll"): on this machine a
// shared object found through the path service.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace platform {

class DynamicLibrary {
public:
    // Loads the library named by `systemPath`. Tried in turn: the mapped path as written, then,
    // for a name ending in ".dll", the same name ending in ".so" and "lib" + that name. On
    // failure, says why none loaded.
    static Expected<DynamicLibrary> Load(std::string_view systemPath);

    // The files Load tries for `systemPath`, in order.
    [[nodiscard]] static std::vector<std::filesystem::path> Candidates(std::string_view systemPath);

    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    // Unloads the library (the system unloads it when nothing else holds it).
    ~DynamicLibrary();

    // True until Unload().
    explicit operator bool() const { return handle_ != nullptr; }
    // The file that was loaded; empty when none.
    [[nodiscard]] const std::filesystem::path& File() const { return file_; }

    // The address of the exported symbol `name`, or null when the library does not export it
    // or is not loaded.
    [[nodiscard]] void* Symbol(const char* name) const;
    // The exported function `name` as a pointer of type `Function`, or null.
    template <typename Function>
    [[nodiscard]] Function FunctionNamed(const char* name) const {
        return reinterpret_cast<Function>(Symbol(name));
    }

    // Unloads now; the object is then not loaded.
    void Unload();

private:
    DynamicLibrary() = default;

    void* handle_ = nullptr;
    std::filesystem::path file_;
};

}  // namespace platform
