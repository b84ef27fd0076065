// Test support: a fresh dialog system whose user is a session script, and its transcript.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageService.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

// The dialog system and the messages start fresh for every test (tests/support/TestMain.cpp).
class HeadlessSessionTest : public ::testing::Test {
protected:
    void SetUp() override {}
    void TearDown() override {}

    // Installs a headless backend playing `script`, which must read without error.
    platform::HeadlessBackend& Play(std::string_view script) {
        platform::Expected<std::vector<platform::ScriptAction>> read =
            platform::ReadSessionScript(script);
        EXPECT_TRUE(read) << read.Describe();
        auto backend =
            std::make_unique<platform::HeadlessBackend>(platform::SessionScript(std::move(*read)));
        platform::HeadlessBackend& installed = *backend;
        platform::SetDialogBackend(std::move(backend));
        return installed;
    }

    // The transcript so far.
    [[nodiscard]] static std::vector<std::string> Transcript() {
        return platform::CurrentHeadlessBackend()->TranscriptLines();
    }
};

using Lines = std::vector<std::string>;
