// Test fixture: a real stand-in host bound to the operations table, with its own drive root, and
// the check that nothing handed out is left.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "host/Host.h"
#include "host/HostApiTable.h"
#include "platform/Clipboard.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

namespace host::testing {

// Installs a headless backend playing `script`, which must read without error.
inline platform::HeadlessBackend& PlaySessionScript(std::string_view script) {
    platform::Expected<std::vector<platform::ScriptAction>> read =
        platform::ReadSessionScript(script);
    EXPECT_TRUE(read) << read.Describe();
    auto backend =
        std::make_unique<platform::HeadlessBackend>(platform::SessionScript(std::move(*read)));
    platform::HeadlessBackend& installed = *backend;
    platform::SetDialogBackend(std::move(backend));
    return installed;
}

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(driveRoot_);
        std::filesystem::create_directories(platform::MapPath("c:\\"));
        platform::ClearMessages();
        platform::SetMessagePresenter([](const std::string&) {});
        api_ = HostApiFor(host_);
    }
    // The process-wide state is put back after every test (tests/support/TestMain.cpp).
    void TearDown() override {}

    // Writes `text` to the file that `systemPath` maps to.
    void WriteFile(const std::string& systemPath, const std::string& text) {
        std::ofstream(platform::MapPath(systemPath), std::ios::binary) << text;
    }
    [[nodiscard]] std::size_t Outstanding() { return host_.Objects().Outstanding(); }

    Host host_;
    HostApi api_{};
    const tavro::testing::TempFolder folder_{"host"};
    const std::filesystem::path driveRoot_ = folder_.path();
};

}  // namespace host::testing
