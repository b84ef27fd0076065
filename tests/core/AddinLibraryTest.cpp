// The add-in as the host loads it: the shared library by path, its exports by name, and a
// library unloaded and loaded again into the same process.
#include <gtest/gtest.h>

#include <algorithm>

#include "HostFixture.h"
#include "platform/DynamicLibrary.h"
#include "platform/dialog/DialogSystem.h"

namespace {

class LoadedAddinTest : public host::testing::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
    }
    void TearDown() override {
        EXPECT_EQ(Outstanding(), 0u) << "host objects handed out and not freed";
        platform::ResetDialogSystem();
        HostFixture::TearDown();
    }
};

// Guards against registering the add-in's templates a second time, which stops the process, and
// against a grid factory left in the framework's registry after the unload, whose destruction
// at the process's exit ran code that was gone (the program then crashed as it ended).
TEST_F(LoadedAddinTest, RunsItsCommandAndHooksAgainAfterBeingLoadedAgain) {
    for (int load = 0; load < 2; ++load) {
        auto loaded = platform::DynamicLibrary::Load(TAVROSET_LIBRARY);
        ASSERT_TRUE(loaded) << loaded.Describe();
        platform::DynamicLibrary addin = std::move(loaded).Value();
        const auto command = addin.FunctionNamed<int (*)(void*)>("UserApp_nCallback");
        const auto fileOpen = addin.FunctionNamed<int (*)()>("FileOpenEntryPoint");
        const auto fileSave = addin.FunctionNamed<int (*)()>("FileSaveEntryPoint");
        ASSERT_TRUE(command && fileOpen && fileSave);

        host::testing::PlaySessionScript(
            "expect-dialog \"TAVRO Programmer by Kestrane\"\npress cancel\n");
        api_ = host::HostApiFor(host_);
        EXPECT_EQ(command(&api_), 1);
        EXPECT_EQ(fileOpen(), 1);
        EXPECT_EQ(fileSave(), 1);
        const std::vector<std::string> lines =
            platform::CurrentHeadlessBackend()->TranscriptLines();
        for (const char* line :
             {"end \"TAVRO Programmer by Kestrane\" Cancel", "message \"File Open API WORKS!\"",
              "message \"File Save API WORKS!\""})
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
        platform::ResetDialogSystem();
    }
}

}  // namespace
