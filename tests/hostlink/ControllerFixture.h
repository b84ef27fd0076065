// Test fixture: a controller bound to a real stand-in host, under a headless dialog session, with
// the link library's process-wide state fresh for every test and a leak check at the end.
#pragma once

#include <memory>

#include "HostFixture.h"
#include "RecordingHostApi.h"
#include "hostlink/LinkState.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

class ControllerTest : public host::testing::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
        ravelink::ResetLinkStateForTests();
        platform::SetDialogBackend(
            std::make_unique<platform::HeadlessBackend>(platform::SessionScript()));
        api_ = host::HostApiFor(host_);  // the host's main window again, after the reset
    }
    void TearDown() override {
        if (bound_) ctrl_.Shutdown();
        recorder_.reset();
        EXPECT_EQ(Outstanding(), 0u) << "host objects handed out and not freed";
        platform::ResetDialogSystem();
        ravelink::ResetLinkStateForTests();
        HostFixture::TearDown();
    }
    // Binds the controller to `api` (the host's own table by default).
    void Bind(HostApi* api = nullptr) {
        ctrl_.Setup(api != nullptr ? api : &api_);
        bound_ = true;
    }
    // A recorder of the host calls, living until the end of the test (Shutdown included).
    host::testing::RecordingHostApi& Recorder() {
        if (!recorder_) recorder_ = std::make_unique<host::testing::RecordingHostApi>(api_);
        return *recorder_;
    }
    [[nodiscard]] static std::vector<std::string> Transcript() {
        return platform::CurrentHeadlessBackend()->TranscriptLines();
    }

    CSurfcamCtrl ctrl_;
    bool bound_ = false;
    std::unique_ptr<host::testing::RecordingHostApi> recorder_;
};
