// Test support: a fresh drive root per test with the host folder c:\host, and file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TempFolder.h"
#include "platform/Paths.h"

class TempHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(root_);
        std::filesystem::create_directories(Host());
    }

    // The folder of c:\host (or of a path below it) on this machine.
    [[nodiscard]] std::filesystem::path Host(const std::string& below = {}) const {
        return platform::MapPath("c:\\") / "host" / below;
    }
    // Writes `text` to `path`, creating its folder.
    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // The whole file, "" when it cannot be read.
    [[nodiscard]] static std::string Read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    const tavro::testing::TempFolder folder_{"edrovan"};
    const std::filesystem::path root_ = folder_.path();
};
