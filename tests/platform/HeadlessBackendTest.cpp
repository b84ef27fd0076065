// The headless backend as programs choose it: from the environment or from files, with the
// transcript on disk, and the host's access to its actions.
#include "TestSystem.h"
#include "platform/dialog/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"
#include "tests/platform/HeadlessSession.h"

namespace {

class HeadlessBackendTest : public HeadlessSessionTest {
protected:
    void SetUp() override {
        HeadlessSessionTest::SetUp();
        platform::Module& module = platform::DefineModule("HeadlessBackendTest");
        if (module.FindTemplate(1) == nullptr) {
            platform::DialogTemplate face;
            face.id = 1;
            face.caption = "Plain";
            face.controls = {platform::MakeControl(platform::ControlKind::PushButton,
                                                   platform::kIdOk, "ok", "OK", {})};
            module.AddTemplate(face);
        }
        scope_ = std::make_unique<platform::ModuleScope>(module);
    }
    void TearDown() override {
        scope_.reset();
        for (const char* variable :
             {platform::kSessionScriptVariable, platform::kTranscriptVariable,
              platform::kDialogBackendVariable})
            tavro::testing::UnsetEnvironment(variable);
        HeadlessSessionTest::TearDown();
    }
    std::filesystem::path Write(const char* name, const std::string& text) {
        std::ofstream(folder_ / name) << text;
        return folder_ / name;
    }
    std::string Read(const char* name) {
        std::ostringstream text;
        text << std::ifstream(folder_ / name).rdbuf();
        return text.str();
    }

    const tavro::testing::TempFolder folder_{"headless"};
    std::unique_ptr<platform::ModuleScope> scope_;
};

TEST_F(HeadlessBackendTest, EnvironmentNamesScriptAndTranscript) {
    tavro::testing::SetEnvironment(platform::kSessionScriptVariable,
                                   Write("session.txt", "press ok\n").string());
    tavro::testing::SetEnvironment(platform::kTranscriptVariable,
                                   (folder_ / "transcript.txt").string());
    platform::Dialog dialog(1);
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(Read("transcript.txt"), "show \"Plain\"\nend \"Plain\" OK\n");
}

TEST_F(HeadlessBackendTest, UnreadableScriptRunsNothingAndSaysWhere) {
    const auto script = Write("bad.txt", "press ok\npress ok extra\n");
    platform::SetDialogBackend(platform::MakeHeadlessBackend(script, folder_ / "out.txt"));
    platform::Dialog dialog(1);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    EXPECT_TRUE(platform::CurrentHeadlessBackend()->ScriptFailed());
    EXPECT_EQ(Read("out.txt"),
              "script-error \"line 2: 'press' takes 1 argument(s), not 2\"\n"
              "show \"Plain\"\nscript-end \"Plain\"\nend \"Plain\" Cancel\n");
}

TEST_F(HeadlessBackendTest, TranscriptThatCannotBeWrittenStillKeepsItInMemory) {
    platform::SetDialogBackend(
        platform::MakeHeadlessBackend({}, folder_ / "no" / "such" / "dir" / "t.txt"));
    platform::ShowMessage("kept");
    EXPECT_EQ(Transcript(), Lines{"message \"kept\""});
}

TEST_F(HeadlessBackendTest, HostTakesItsActionsAndAMismatchStopsTheScript) {
    platform::HeadlessBackend& backend = Play("pick-location 1 2 3\npress ok\n");
    const platform::ScriptAction* pick = backend.TakeHostAction("pick-location");
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->arguments.size(), 3u);
    EXPECT_EQ(backend.TakeHostAction("select-entities"), nullptr);
    EXPECT_TRUE(backend.ScriptFailed());
    platform::Dialog dialog(1);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);  // the stopped script drives nothing
    EXPECT_EQ(Transcript(),
              (Lines{"script-error \"line 2: the host needs 'select-entities' here, the script "
                     "has 'press'\"",
                     "show \"Plain\"", "script-end \"Plain\"", "end \"Plain\" Cancel"}));
}

}  // namespace
