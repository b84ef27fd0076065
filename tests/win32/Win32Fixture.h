// Test support: sessions on the Win32 backend (native dialogs under the system, or Wine with a
// virtual display) beside the same sessions on the headless backend
// (tests/support/ScreenSessions.h).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog/DialogSystem.h"
#include "platform/win32/NativeDialog.h"
#include "platform/win32/Win32Backend.h"
#include "tests/support/ScreenSessions.h"

namespace tavro::testing {

// The Win32 backend in use.
inline win32::Win32Backend& Native() {
    return static_cast<win32::Win32Backend&>(platform::CurrentBackend());
}

// What native control `id` of `dialog` shows; a missing control fails the test.
inline win32::NativeState Probe(const platform::Dialog& dialog, int id) {
    const std::optional<win32::NativeState> state = Native().ProbeControl(dialog.Handle(), id);
    EXPECT_TRUE(state.has_value()) << "no native control " << id;
    return state.value_or(win32::NativeState{});
}

}  // namespace tavro::testing

class Win32Test : public ::testing::Test {
protected:
    // Installs a backend playing `script`: the Win32 one through the native controls, or the
    // headless one.
    static platform::HeadlessBackend& Play(std::string_view script, bool native) {
        return tavro::testing::Play(script, Maker(native));
    }

    // What a session gives on one backend: the transcript, then whatever `session` returns.
    static tavro::testing::Lines Outcome(std::string_view script, bool native,
                                         const tavro::testing::Session& session) {
        return tavro::testing::Outcome(script, Maker(native), session);
    }

private:
    static tavro::testing::BackendMaker Maker(bool native) {
        if (!native) return tavro::testing::MakeHeadless;
        return [](platform::SessionScript script) -> std::unique_ptr<platform::HeadlessBackend> {
            return std::make_unique<win32::Win32Backend>(std::move(script), /*scripted=*/true);
        };
    }
};
