// The one reset of the stand-ins' process-wide state that runs around every test.
#include "platform/ProcessState.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Clipboard.h"
#include "platform/GlobalMemory.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace {

std::string& Order() {
    static std::string order;
    return order;
}

// Guards against state left by one test (a drive root, messages, clipboard data, memory blocks)
// reaching the next, and against a library's own reset being skipped.
TEST(ProcessStateTest, OneResetPutsEveryServiceBack) {
    const std::filesystem::path fresh = platform::DriveRoot();
    platform::SetDriveRoot("/somewhere/else");
    platform::SetMessagePresenter([](const std::string&) {});
    platform::ShowMessage("left over");
    ASSERT_TRUE(platform::OpenClipboard());
    const platform::ClipboardFormat format = platform::RegisterClipboardFormat("Left Over");
    ASSERT_TRUE(platform::SetClipboardData(format, platform::AllocateGlobal(16)));
    (void)platform::AllocateGlobal(8);
    platform::RegisterStateReset([] { Order() += "first "; });
    platform::RegisterStateReset([] { Order() += "second "; });

    Order().clear();
    platform::ResetProcessState();

    EXPECT_EQ(Order(), "second first ");
    EXPECT_EQ(platform::DriveRoot(), fresh);
    EXPECT_TRUE(platform::ShownMessages().empty());
    EXPECT_FALSE(platform::IsClipboardFormatAvailable(format));
    EXPECT_TRUE(platform::OpenClipboard()) << "the clipboard was left open";
    EXPECT_TRUE(platform::CloseClipboard());
    EXPECT_EQ(platform::GlobalBlocksInUse(), 0u);
}

}  // namespace
