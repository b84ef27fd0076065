// Test support: sessions on the desktop backend (Qt's offscreen platform) beside the same
// sessions on the headless backend.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/DesktopBackend.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No display here: Qt draws into memory.
        ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
        desktop::EnsureApplication();
    }

    // Installs a backend playing `script`: the desktop one through its widgets, or the
    // headless one.
    static platform::HeadlessBackend& Play(std::string_view script, bool onDesktop) {
        platform::Expected<std::vector<platform::ScriptAction>> read =
            platform::ReadSessionScript(script);
        EXPECT_TRUE(read) << read.Describe();
        platform::SessionScript session(std::move(*read));
        std::unique_ptr<platform::HeadlessBackend> backend;
        if (onDesktop)
            backend = std::make_unique<desktop::DesktopBackend>(std::move(session),
                                                                /*scripted=*/true);
        else
            backend = std::make_unique<platform::HeadlessBackend>(std::move(session));
        platform::HeadlessBackend& installed = *backend;
        platform::SetDialogBackend(std::move(backend));
        return installed;
    }

    // What a session gives on one backend: the transcript, then whatever `session` returns.
    using Session = std::function<std::vector<std::string>()>;
    static std::vector<std::string> Outcome(std::string_view script, bool onDesktop,
                                            const Session& session) {
        platform::ResetDialogSystem();
        platform::HeadlessBackend& backend = Play(script, onDesktop);
        std::vector<std::string> seen = session();
        std::vector<std::string> lines = backend.TranscriptLines();
        lines.insert(lines.end(), seen.begin(), seen.end());
        platform::ResetDialogSystem();
        return lines;
    }
};
