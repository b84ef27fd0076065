// The tests' system services on this machine.
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TestSystem.h"

namespace tavro::testing {

void SetEnvironment(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);
}

void UnsetEnvironment(const char* name) { ::unsetenv(name); }

std::filesystem::path MakeFreshFolder(std::string pattern) {
    // mkdtemp makes the name unique and the folder exclusively ours in one step.
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

bool PipesAvailable() { return true; }

bool MakePipe(const std::filesystem::path& path) { return ::mkfifo(path.c_str(), 0600) == 0; }

bool FileSizeLimit::Available() { return true; }

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previousSoftLimit_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previousSoftLimit_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, previousHandler_);
}

}  // namespace tavro::testing
