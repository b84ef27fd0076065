// The main of every test program: GoogleTest, with the process-wide state of the stand-ins put
// back as a fresh process has it before and after every test, whatever its fixture does.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TestSystem.h"
#include "platform/Paths.h"
#include "platform/ProcessState.h"

namespace {

class StandInStateGuard : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { platform::ResetProcessState(); }
    // Called after the test's fixture is gone, so nothing it owned is reset under it.
    void OnTestEnd(const ::testing::TestInfo&) override { platform::ResetProcessState(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A test that sets no drive root of its own still works in a folder of this process alone,
    // never in a "drives" folder that test programs running side by side would share.
    const tavro::testing::TempFolder drives("drives");
    tavro::testing::SetEnvironment(platform::kDriveRootVariable, drives.path().string());
    ::testing::UnitTest::GetInstance()->listeners().Append(new StandInStateGuard);
    return RUN_ALL_TESTS();
}
