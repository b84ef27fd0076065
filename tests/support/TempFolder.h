// A folder of its own for a test that touches files: created exclusively under the system's
// temporary folder with a fresh name, so that test processes started at the same moment (or the
// plain and the sanitizer build run side by side) never share or remove each other's files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "TestSystem.h"

namespace tavro::testing {

class TempFolder {
public:
    // A new, empty folder whose name starts with `label` and the running test's name.
    explicit TempFolder(const std::string& label = "tavro") {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = label + "-" + (test != nullptr ? test->name() : "setup") + "-XXXXXX";
        for (char& c : name)
            if (c == '/') c = '_';  // parameterised names hold "/"
        const std::string pattern = (std::filesystem::temp_directory_path() / name).string();
        path_ = MakeFreshFolder(pattern);
        if (path_.empty()) ADD_FAILURE() << "cannot create a temporary folder " << pattern;
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& below) const {
        return path_ / below;
    }

private:
    std::filesystem::path path_;
};

}  // namespace tavro::testing
