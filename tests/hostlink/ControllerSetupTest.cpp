// The controller's life: binding, colour and layer rules, the progress box, shutdown.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ControllerFixture.h"
#include "RecordingHostApi.h"
#include "hostlink/LinkModule.h"
#include "hostlink/ProgressBox.h"
#include "platform/AppProfile.h"
#include "platform/IniFile.h"
#include "platform/dialog/Window.h"

namespace {

using host::testing::RecordingHostApi;

// A host call before Setup bound the host would go through a null table.
TEST(ControllerDeathTest, TheHostUnboundStopsWithAHint) {
    ravelink::ResetLinkStateForTests();
    EXPECT_DEATH(ravelink::Host(), "before CSurfcamCtrl::Setup bound it");
}

TEST_F(ControllerTest, ConstructionLeavesNothingUnsetAndUnbindsTheHost) {
    Bind();
    const CSurfcamCtrl fresh;
    EXPECT_EQ(ravelink::State().api, nullptr);  // a new controller needs Setup again
    EXPECT_EQ(fresh.selectResult, -1);
    EXPECT_EQ(fresh.curColor, 10);
    EXPECT_EQ(fresh.curLayer, 1);
    EXPECT_FALSE(fresh.fontSet);
    const CSurfcamCtrl copy = ctrl_;  // copying does not unbind
    ravelink::State().api = &api_;
    EXPECT_EQ(copy.drawing, ctrl_.drawing);
}

TEST_F(ControllerTest, SetupTakesTheHostsColourAndLayerAndShowsTheProgressBox) {
    host_.ActiveDrawing().SetCurrentColor(4);
    host_.ActiveDrawing().SetCurrentLayer(7);
    Bind();
    EXPECT_EQ(ctrl_.curColor, 4);
    EXPECT_EQ(ctrl_.savedColor, 4);
    EXPECT_EQ(ctrl_.curLayer, 7);
    EXPECT_EQ(ctrl_.savedLayer, 7);
    EXPECT_TRUE(ravelink::ProgressBoxExists());
    EXPECT_EQ(ravelink::ProgressBoxText(), "Api is fully setup");
    ctrl_.update_message("Loading surfaces");
    EXPECT_EQ(ravelink::ProgressBoxText(), "Loading surfaces");
}

TEST_F(ControllerTest, ColourAndLayerRules) {
    host_.ActiveDrawing().SetCurrentColor(4);
    Bind();
    ctrl_.SetCurrentColor(12);
    EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 12);
    ctrl_.SetCurrentColor(-2);  // back to the colour found by Setup
    EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 4);
    EXPECT_EQ(ctrl_.curColor, 4);
    ctrl_.SetCurrentLayer(9);
    ctrl_.SetCurrentLayer(-2);
    EXPECT_EQ(host_.ActiveDrawing().CurrentLayer(), 1);

    // Negative colour and layer arguments leave the host's values alone.
    for (int unchanged : {-1, -2}) {
        ctrl_.CreatePoint(1, 2, 3, unchanged, unchanged);
        EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 4);
        EXPECT_EQ(host_.ActiveDrawing().CurrentLayer(), 1);
    }
}

TEST_F(ControllerTest, ALayerEqualToTheCurrentOneDoesNotCallTheHost) {
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    ctrl_.CreatePoint(0, 0, 0, 30, 5);
    recorder.ClearCalls();
    ctrl_.CreatePoint(1, 0, 0, 30, 5);
    EXPECT_EQ(recorder.CountOf("HostSetLayer"), 0u);
    EXPECT_EQ(recorder.CountOf("HostSetColor"), 0u);
    EXPECT_EQ(recorder.Calls(),
              (std::vector<std::string>{"HostNewPoint", "HostSetObjectColor", "HostSetObjectLayer",
                                        "HostAddPoint", "HostFree"}));
}

TEST_F(ControllerTest, ShutdownRestoresTheHostAndHandsBackTheWindow) {
    host_.ActiveDrawing().SetCurrentColor(3);
    host_.ActiveDrawing().SetCurrentLayer(2);
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    ctrl_.SetCurrentColor(40);
    ctrl_.SetCurrentLayer(41);
    recorder.ClearCalls();
    ctrl_.Shutdown();
    bound_ = false;
    EXPECT_EQ(host_.ActiveDrawing().CurrentColor(), 3);
    EXPECT_EQ(host_.ActiveDrawing().CurrentLayer(), 2);
    EXPECT_EQ(ctrl_.curColor, 40);  // the fields keep what was set
    EXPECT_FALSE(ravelink::ProgressBoxExists());
    // No Select ran, so the selection is cleared once (selectResult starts at -1, not garbage).
    EXPECT_EQ(recorder.CallsOf({"HostUnselectAll", "HostRestoreColor", "HostSetLayer"}),
              (std::vector<std::string>{"HostUnselectAll", "HostRestoreColor", "HostSetLayer"}));
}

TEST_F(ControllerTest, ShutdownEnablesAndFocusesTheHostWindow) {
    Bind();
    ASSERT_TRUE(platform::EnableWindow(ravelink::WindowOfHost(ctrl_.hostWindow), false));
    ctrl_.Shutdown();
    bound_ = false;
    const std::vector<std::string> transcript = Transcript();
    ASSERT_GE(transcript.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(transcript.end() - 2, transcript.end()),
              (std::vector<std::string>{"enable host", "focus host"}));
    EXPECT_TRUE(host_.WindowState().enabled);
}

TEST_F(ControllerTest, ShutdownAfterASuccessfulSelectClearsTheSelectionTwice) {
    RecordingHostApi& recorder = Recorder();
    auto& answers = host_.SetInteraction(std::make_unique<host::QueuedInteraction>());
    host_.ActiveDrawing().Add(host::PointGeometry{{5, 5, 0}}, 1, 1);
    answers.QueueSelection({{5, 5, 0}});
    Bind(recorder.api());
    EXPECT_TRUE(ctrl_.Select(0));
    EXPECT_EQ(ctrl_.selectResult, 0);
    recorder.ClearCalls();
    ctrl_.Shutdown();
    bound_ = false;
    EXPECT_EQ(recorder.CountOf("HostUnselectAll"), 2u);
    EXPECT_EQ(ctrl_.selectResult, -1);
}

TEST_F(ControllerTest, TheProgressBoxComesBackWhereItWasAcrossRuns) {
    const platform::AppProfile profile("Ravelink03");
    ASSERT_TRUE(profile.WriteProfileInt("ProgressBox", "Top", 40));
    ASSERT_TRUE(profile.WriteProfileInt("ProgressBox", "Left", 70));
    Bind();
    EXPECT_EQ(ravelink::ProgressBoxPlace(), (platform::PixelRect{70, 40, 300, 58}));
    ctrl_.Shutdown();
    bound_ = false;
    EXPECT_EQ(profile.GetProfileInt("ProgressBox", "Top", -1), 40);
    EXPECT_EQ(profile.GetProfileInt("ProgressBox", "Left", -1), 70);
    CSurfcamCtrl next;
    next.Setup(&api_);
    EXPECT_EQ(ravelink::ProgressBoxPlace(), (platform::PixelRect{70, 40, 300, 58}));
    next.Shutdown();
}

TEST_F(ControllerTest, FontIsKeptOrDropped) {
    Bind();
    LOGFONTA font{};
    font.height = 12;
    std::strncpy(font.faceName, "Arial", sizeof font.faceName - 1);
    ctrl_.SetupFont(&font);
    EXPECT_TRUE(ctrl_.fontSet);
    EXPECT_EQ(ctrl_.font, font);
    ctrl_.SetupFont(nullptr);
    EXPECT_FALSE(ctrl_.fontSet);
    EXPECT_EQ(ctrl_.font, font);  // the copy stays, unused
}

}  // namespace
