// The tests' system services on Windows.
#include <stdlib.h>

#include <random>
#include <system_error>

#include "TestSystem.h"

namespace tavro::testing {

void SetEnvironment(const char* name, const std::string& value) {
    ::_putenv_s(name, value.c_str());
}

// An empty value removes the variable.
void UnsetEnvironment(const char* name) { ::_putenv_s(name, ""); }

std::filesystem::path MakeFreshFolder(std::string pattern) {
    static std::mt19937_64 names(std::random_device{}());
    const std::size_t at = pattern.rfind("XXXXXX");
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (at != std::string::npos) pattern.replace(at, 6, std::to_string(names() % 1000000));
        std::error_code error;
        // create_directory is false for a folder that exists already: the name is someone's.
        if (std::filesystem::create_directory(pattern, error)) return pattern;
        if (at == std::string::npos) break;
        pattern.replace(at, pattern.size() - at, "XXXXXX");
    }
    return {};
}

bool PipesAvailable() { return false; }

bool MakePipe(const std::filesystem::path&) { return false; }

bool FileSizeLimit::Available() { return false; }

FileSizeLimit::FileSizeLimit(std::uint64_t) {}

FileSizeLimit::~FileSizeLimit() = default;

}  // namespace tavro::testing
