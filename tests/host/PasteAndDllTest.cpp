// Pasting drawing bytes from the clipboard, and the host's DLL run on a command file.
#include <cstring>

#include "HostFixture.h"
#include "host/DrawingFile.h"
#include "host/HostDllInstall.h"
#include "platform/DynamicLibrary.h"

namespace host::testing {
namespace {

class PasteTest : public HostFixture {
protected:
    void PutOnClipboard(const std::string& bytes, std::size_t padding = 0) {
        const auto format = platform::RegisterClipboardFormat("SC2005 Clip Format");
        ASSERT_TRUE(platform::OpenClipboard(nullptr));
        const auto block = platform::AllocateGlobal(bytes.size() + padding);
        std::memcpy(platform::LockGlobal(block), bytes.data(), bytes.size());
        platform::UnlockGlobal(block);
        ASSERT_TRUE(platform::SetClipboardData(format, block));
        platform::CloseClipboard();
    }
};

TEST_F(PasteTest, PastesTheDrawingOnTheClipboard) {
    host_.ActiveDrawing().Add(PointGeometry{}, 1, 1);
    PutOnClipboard("scprt 1\nline 2 3 0 0 0 1 1 1\nend\n", /*padding=*/8);
    EXPECT_EQ(api_.HostPaste(api_.HostPasteSource()), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(PasteTest, EmptyClipboardOrMalformedBytesLeaveTheDrawing) {
    EXPECT_EQ(api_.HostPaste(api_.HostPasteSource()), -1);
    PutOnClipboard("scprt 1\nline 2 3 0 0 0\nend\n");
    EXPECT_EQ(api_.HostPaste(api_.HostPasteSource()), -1);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
    ASSERT_EQ(platform::ShownMessages().size(), 2u);
    EXPECT_NE(platform::ShownMessages()[1].find("line 2"), std::string::npos);
    EXPECT_EQ(api_.HostPaste(99), -1);
}

// Guards against the paste failing while another user holds the clipboard open.
TEST_F(PasteTest, ClipboardHeldOpenIsNotPasted) {
    PutOnClipboard("scprt 1\nend\n");
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    EXPECT_EQ(api_.HostPaste(api_.HostPasteSource()), -1);
    platform::CloseClipboard();
}

class HostDllTest : public HostFixture {
protected:
    int Run(const std::string& commands) {
        WriteFile("c:\\commands.txt", commands);
        EXPECT_TRUE(InstallHostDll());
        const auto dll = platform::DynamicLibrary::Load("c:\\Surfcam\\SrpApiV3\\cadlsilent.dll");
        EXPECT_TRUE(dll) << dll.Describe();
        if (!dll) return -99;
        auto entry = dll->FunctionNamed<HostDllEntryPoint>("SurfcamDllEntryPoint");
        EXPECT_NE(entry, nullptr);
        if (!entry) return -99;
        return entry("", "", "c:\\commands.txt", &api_);
    }
};

TEST_F(HostDllTest, RunsACommandFileThroughTheTable) {
    EXPECT_EQ(Run("# marks\ncolor 14\nlayer 250 Temp for Extension\npoint 1 2 3\n"
                  "line 0 0 0 1 1 1\n"),
              0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(250).name, "Temp for Extension");
    const Entity& first = *host_.ActiveDrawing().Find(host_.ActiveDrawing().First());
    EXPECT_EQ(first.color, 14);
    EXPECT_EQ(first.layer, 250);
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(HostDllTest, MalformedCommandFileRunsNothingAndGivesItsLine) {
    EXPECT_EQ(Run("point 1 2 3\n\npoint 1 2\n"), 3);
    EXPECT_EQ(Run("erase all\n"), 1);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

TEST_F(HostDllTest, MissingCommandFileGivesMinusOne) {
    ASSERT_TRUE(InstallHostDll());
    const auto dll = platform::DynamicLibrary::Load("c:\\Surfcam\\SrpApiV3\\cadlsilent.dll");
    ASSERT_TRUE(dll) << dll.Describe();
    auto entry = dll->FunctionNamed<HostDllEntryPoint>("SurfcamDllEntryPoint");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry("", "", "c:\\missing.txt", &api_), -1);
    EXPECT_EQ(entry("", "", nullptr, &api_), -1);
}

}  // namespace
}  // namespace host::testing
