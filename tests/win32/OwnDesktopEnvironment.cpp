// Every test of the suite runs its windows on a desktop of its own, made before any window.
#include <gtest/gtest.h>

#include "platform/win32/OwnDesktop.h"

namespace {

class OwnDesktopEnvironment : public ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(win32::MoveToOwnDesktop("TavroTests", {1280, 1024})); }
};

const ::testing::Environment* const kOwnDesktop =
    ::testing::AddGlobalTestEnvironment(new OwnDesktopEnvironment);

}  // namespace
