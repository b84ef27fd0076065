// Test support: sessions on the desktop backend (Qt's offscreen platform) beside the same
// sessions on the headless backend (tests/support/ScreenSessions.h).
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
#include "tests/support/ScreenSessions.h"

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
        return tavro::testing::Play(script, Maker(onDesktop));
    }

    // What a session gives on one backend: the transcript, then whatever `session` returns.
    using Session = tavro::testing::Session;
    static std::vector<std::string> Outcome(std::string_view script, bool onDesktop,
                                            const Session& session) {
        return tavro::testing::Outcome(script, Maker(onDesktop), session);
    }

private:
    static tavro::testing::BackendMaker Maker(bool onDesktop) {
        if (!onDesktop) return tavro::testing::MakeHeadless;
        return [](platform::SessionScript script) -> std::unique_ptr<platform::HeadlessBackend> {
            return std::make_unique<desktop::DesktopBackend>(std::move(script), /*scripted=*/true);
        };
    }
};
