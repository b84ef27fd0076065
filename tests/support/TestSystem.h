// What the tests need of the system they run on, where this machine and Windows differ:
// environment variables, fresh folders, named pipes and a file size limit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavro::testing {

// Sets (overwriting) or removes an environment variable of this process.
void SetEnvironment(const char* name, const std::string& value);
void UnsetEnvironment(const char* name);

// A new folder, created exclusively: `pattern`'s trailing "XXXXXX" made unique. Empty when it
// cannot be created.
[[nodiscard]] std::filesystem::path MakeFreshFolder(std::string pattern);

// Whether the system has named pipes that a file name can stand for (not Windows).
[[nodiscard]] bool PipesAvailable();
// Makes a named pipe at `path`; false when it cannot.
[[nodiscard]] bool MakePipe(const std::filesystem::path& path);

// Makes writes past a few bytes fail as they would on a full disk: while it lives, the process
// may not grow any file beyond `bytes` (the write fails instead of raising a signal). Where the
// system has no such limit (Windows) it does nothing and Available() is false.
class FileSizeLimit {
public:
    [[nodiscard]] static bool Available();
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t previousSoftLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace tavro::testing

// A named pipe at `path` for the test, which is skipped where the system has none.
#define TAVRO_MAKE_PIPE_OR_SKIP(path)                                        \
    do {                                                                     \
        if (!::tavro::testing::PipesAvailable())                             \
            GTEST_SKIP() << "this system has no named pipes in its folders"; \
        ASSERT_TRUE(::tavro::testing::MakePipe(path));                       \
    } while (0)

// A full disk for the rest of the test, which is skipped where it cannot be had.
#define TAVRO_SKIP_WITHOUT_FILE_SIZE_LIMIT()                                          \
    do {                                                                              \
        if (!::tavro::testing::FileSizeLimit::Available())                            \
            GTEST_SKIP() << "this system cannot limit the size of a process's files"; \
    } while (0)
