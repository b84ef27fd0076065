// The host in a headless session: its main window as a window of the dialog framework, and the
// session script answering the host's requests of the user without any wiring.
#include <cstdint>

#include "HostFixture.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"

namespace host::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr int kOverHostId = 9801;

// A module with one dialog that has nothing but OK, for dialogs owned by the host's window.
platform::Module& TestModule() {
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& tests = platform::DefineModule("HostSessionTests");
        platform::DialogTemplate face;
        face.id = kOverHostId;
        face.caption = "Over the host";
        face.width = 100;
        face.height = 40;
        face.controls = {platform::MakeControl(platform::ControlKind::PushButton, platform::kIdOk,
                                               "ok", "OK", {40, 20, 50, 14})
                             .Default()};
        tests.AddTemplate(face);
        return tests;
    }();
    return module;
}

class HostSessionTest : public HostFixture {
protected:
    // A fresh dialog system, then the host bound again, as a session starts.
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
        api_ = HostApiFor(host_);
    }
    void TearDown() override {
        platform::ResetDialogSystem();
        HostFixture::TearDown();
    }
    // The host's window as the link library turns the opaque value back into a handle.
    platform::WindowHandle HostWindowHandle() {
        return platform::WindowHandle{
            static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(api_.HostMainWindow()))};
    }
};

// Guards against the table handing out a window the framework does not know, also after the
// framework was reset (as tests do between cases).
TEST_F(HostSessionTest, HostMainWindowNamesTheFrameworksMainWindow) {
    for (int reset = 0; reset < 2; ++reset) {
        if (reset) platform::ResetDialogSystem();
        const platform::WindowHandle handle = HostWindowHandle();
        ASSERT_TRUE(handle);
        EXPECT_EQ(platform::MainWindow(), handle);
        const platform::Window* window = platform::WindowFromHandle(handle);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->IsHostWindow());
        EXPECT_EQ(window, &host_.Window());
        EXPECT_EQ(HostWindowHandle(), handle);
    }
}

// What the link library's Shutdown does: the host window enabled and given the focus.
TEST_F(HostSessionTest, EnableAndFocusShowInTheTranscriptAndInTheHostsState) {
    platform::HeadlessBackend& backend = PlaySessionScript("");
    const platform::WindowHandle handle = HostWindowHandle();
    EXPECT_FALSE(host_.WindowState().focused);
    EXPECT_TRUE(platform::EnableWindow(handle, false));
    EXPECT_FALSE(host_.WindowState().enabled);
    EXPECT_TRUE(platform::EnableWindow(handle, true));
    EXPECT_TRUE(platform::SetFocus(handle));
    EXPECT_TRUE(platform::SetForegroundWindow(handle));
    EXPECT_EQ(backend.TranscriptLines(),
              (Lines{"disable host", "enable host", "focus host", "foreground host"}));
    const MainWindowState state = host_.WindowState();
    EXPECT_TRUE(state.enabled);
    EXPECT_TRUE(state.focused);
    EXPECT_TRUE(state.inFront);
}

TEST_F(HostSessionTest, ModalDialogsDisableTheBoundHostsWindow) {
    platform::HeadlessBackend& backend = PlaySessionScript("press ok\n");
    const platform::ModuleScope module(TestModule());
    platform::Dialog dialog(kOverHostId);
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(backend.TranscriptLines(), (Lines{"disable host", "show \"Over the host\"",
                                                "end \"Over the host\" OK", "enable host"}));
    EXPECT_TRUE(host_.WindowState().enabled);
}

// Guards against a second host's window, or a destroyed host's, owning the dialogs.
TEST_F(HostSessionTest, OnlyTheBoundHostsWindowOwnsDialogs) {
    const platform::WindowHandle first = HostWindowHandle();
    platform::WindowHandle second;
    {
        Host other;
        EXPECT_EQ(platform::MainWindow(), first) << "an unbound host's window owns nothing";
        const HostApi otherApi = HostApiFor(other);
        second = platform::WindowHandle{static_cast<std::uint32_t>(
            reinterpret_cast<std::uintptr_t>(otherApi.HostMainWindow()))};
        EXPECT_NE(second, first);
        EXPECT_EQ(platform::MainWindow(), second);
    }
    EXPECT_FALSE(platform::MainWindow());
    EXPECT_FALSE(platform::EnableWindow(second, true)) << "the window went with its host";
    api_ = HostApiFor(host_);
    EXPECT_EQ(platform::MainWindow(), first);
}

// Guards against a program or the link library's tests having to wire the script to the host.
TEST_F(HostSessionTest, TheSessionScriptAnswersWithoutWiring) {
    const std::uint32_t point = host_.ActiveDrawing().Add(PointGeometry{{5, 0, 0}}, 1, 1);
    platform::HeadlessBackend& backend =
        PlaySessionScript("select-entities 5 0 0.1\npick-location 1 2 3\n");
    EXPECT_EQ(api_.HostSelect(3, 0, 0, 0), 0);
    EXPECT_TRUE(host_.ActiveDrawing().Find(point)->selected);
    HostVector3 picked;
    EXPECT_EQ(api_.HostPickLocation(0, &picked), 0);
    EXPECT_EQ(picked, (HostVector3{1, 2, 3}));
    // The script has no answer left: cancelled, and the transcript says why.
    EXPECT_EQ(api_.HostPickLocation(0, &picked), -1);
    EXPECT_TRUE(backend.ScriptFailed());
}

TEST_F(HostSessionTest, QueuedAnswersTakeThePlaceOfTheScript) {
    PlaySessionScript("pick-location 1 2 3\n");
    QueuedInteraction& user = host_.SetInteraction(std::make_unique<QueuedInteraction>());
    user.QueueLocation({4, 5, 6});
    HostVector3 picked;
    EXPECT_EQ(api_.HostPickLocation(0, &picked), 0);
    EXPECT_EQ(picked, (HostVector3{4, 5, 6}));
}

}  // namespace
}  // namespace host::testing
