// The clipboard and global memory: registered formats, one user at a time, who owns which block.
#include "platform/Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/GlobalMemory.h"

namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        platform::ResetClipboard();
        platform::ResetGlobalMemory();
    }
    // A block holding `text`.
    static platform::GlobalHandle BlockOf(const std::string& text) {
        const platform::GlobalHandle block = platform::AllocateGlobal(text.size());
        std::memcpy(platform::LockGlobal(block), text.data(), text.size());
        platform::UnlockGlobal(block);
        return block;
    }
    static std::string TextOf(platform::GlobalHandle block) {
        const auto* bytes = static_cast<const char*>(platform::LockGlobal(block));
        std::string text(bytes, platform::GlobalSize(block));
        platform::UnlockGlobal(block);
        return text;
    }
};

TEST_F(ClipboardTest, FormatsAreRegisteredOncePerName) {
    const platform::ClipboardFormat format =
        platform::RegisterClipboardFormat("SC2005 Clip Format");
    EXPECT_GE(format, platform::kFirstRegisteredFormat);
    EXPECT_EQ(platform::RegisterClipboardFormat("sc2005 clip format"), format);
    EXPECT_NE(platform::RegisterClipboardFormat("Other"), format);
    EXPECT_EQ(platform::RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(platform::ClipboardFormatName(format), "SC2005 Clip Format");
    EXPECT_EQ(platform::ClipboardFormatName(1), "");
}

TEST_F(ClipboardTest, OnlyOneUserAtATime) {
    ASSERT_TRUE(platform::OpenClipboard());
    EXPECT_FALSE(platform::OpenClipboard());
    EXPECT_TRUE(platform::CloseClipboard());
    EXPECT_FALSE(platform::CloseClipboard());
}

TEST_F(ClipboardTest, DataGoesFromOneUserToTheNext) {
    const platform::ClipboardFormat format =
        platform::RegisterClipboardFormat("SC2005 Clip Format");
    ASSERT_TRUE(platform::OpenClipboard());
    ASSERT_TRUE(platform::SetClipboardData(format, BlockOf("drawing bytes")));
    ASSERT_TRUE(platform::CloseClipboard());
    EXPECT_TRUE(platform::IsClipboardFormatAvailable(format));

    EXPECT_EQ(platform::GetClipboardData(format), platform::GlobalHandle::None);  // not open
    ASSERT_TRUE(platform::OpenClipboard());
    EXPECT_EQ(TextOf(platform::GetClipboardData(format)), "drawing bytes");
    EXPECT_EQ(platform::GetClipboardData(format + 1), platform::GlobalHandle::None);
    EXPECT_TRUE(platform::CloseClipboard());
}

// Guards against blocks leaked or freed twice as they pass between caller and clipboard.
TEST_F(ClipboardTest, TheClipboardOwnsWhatItTakes) {
    const platform::ClipboardFormat format =
        platform::RegisterClipboardFormat("SC2005 Clip Format");
    const platform::GlobalHandle refused = BlockOf("x");
    EXPECT_FALSE(platform::SetClipboardData(format, refused));  // not open: the caller keeps it
    EXPECT_TRUE(platform::FreeGlobal(refused));

    ASSERT_TRUE(platform::OpenClipboard());
    EXPECT_FALSE(platform::SetClipboardData(0, BlockOf("no format")));
    EXPECT_FALSE(platform::SetClipboardData(format, refused));  // freed already
    EXPECT_EQ(platform::GlobalBlocksInUse(), 1u);               // the block refused for format 0
    ASSERT_TRUE(platform::SetClipboardData(format, BlockOf("first")));
    ASSERT_TRUE(platform::SetClipboardData(format, BlockOf("second")));  // frees "first"
    EXPECT_EQ(platform::GlobalBlocksInUse(), 2u);
    EXPECT_EQ(TextOf(platform::GetClipboardData(format)), "second");
    ASSERT_TRUE(platform::EmptyClipboard());
    EXPECT_EQ(platform::GlobalBlocksInUse(), 1u);
    EXPECT_FALSE(platform::IsClipboardFormatAvailable(format));
    platform::CloseClipboard();
}

TEST_F(ClipboardTest, GlobalBlocksAreZeroedAndTheirHandlesChecked) {
    const platform::GlobalHandle block = platform::AllocateGlobal(16);
    ASSERT_NE(block, platform::GlobalHandle::None);
    EXPECT_EQ(platform::GlobalSize(block), 16u);
    const auto* bytes = static_cast<const unsigned char*>(platform::LockGlobal(block));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_TRUE(platform::UnlockGlobal(block));
    EXPECT_FALSE(platform::UnlockGlobal(block));  // not locked any more
    EXPECT_TRUE(platform::FreeGlobal(block));
    // A freed handle is never valid again, even after new allocations.
    EXPECT_NE(platform::AllocateGlobal(16), block);
    EXPECT_FALSE(platform::FreeGlobal(block));
    EXPECT_EQ(platform::LockGlobal(block), nullptr);
    EXPECT_EQ(platform::GlobalSize(block), 0u);
    EXPECT_EQ(platform::LockGlobal(platform::GlobalHandle::None), nullptr);
    const platform::GlobalHandle empty = platform::AllocateGlobal(0);
    EXPECT_NE(platform::LockGlobal(empty), nullptr);
}

TEST_F(ClipboardTest, ALimitMakesAllocationsFail) {
    platform::SetGlobalMemoryLimit(100);
    const platform::GlobalHandle sixty = platform::AllocateGlobal(60);
    EXPECT_NE(sixty, platform::GlobalHandle::None);
    EXPECT_EQ(platform::AllocateGlobal(41), platform::GlobalHandle::None);
    EXPECT_NE(platform::AllocateGlobal(40), platform::GlobalHandle::None);
    platform::FreeGlobal(sixty);
    EXPECT_NE(platform::AllocateGlobal(60), platform::GlobalHandle::None);
}

}  // namespace
