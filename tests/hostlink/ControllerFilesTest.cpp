// Host files: merging onto a layer into a surface group, pasting through the clipboard, the
// host DLL, and the display.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ControllerFixture.h"
#include "RecordingHostApi.h"
#include "host/HostDllInstall.h"
#include "platform/Clipboard.h"
#include "platform/GlobalMemory.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

// A failed allocation is what the paste of a huge file must survive: the sanitizer's allocator
// gives it as a failure instead of ending the program.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

using host::testing::RecordingHostApi;

// A small drawing file: a point on layer 1 and a 2 x 2 surface on layer 2.
constexpr const char* kPartFile =
    "scprt 1\n"
    "layer 1 shown Outline\n"
    "layer 2 shown Surface\n"
    "point 1 1 5 5 5\n"
    "surface 5 2 2 2 1 0\n"
    "0 0 10\n10 0 10\n0 10 10\n10 10 10\n"
    "end\n";

std::vector<int> Layers(host::Drawing& drawing) {
    std::vector<int> layers;
    drawing.ForEach([&](const host::Entity& e) { layers.push_back(e.layer); });
    return layers;
}

TEST_F(ControllerTest, MergeIntoAnEmptyDrawingMovesEveryEntityToTheLayer) {
    WriteFile("c:\\part.scprt", kPartFile);
    Bind();
    char extension[] = "scprt", path[] = "c:\\part.scprt";
    EXPECT_EQ(ctrl_.FileMergeReLayer(extension, path, 40, -1), 0);
    EXPECT_EQ(Layers(host_.ActiveDrawing()), (std::vector<int>{40, 40}));
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(40).name, "c:\\part.scprt");
    for (int group = 0; group < ravelink::kSurfaceGroups; ++group) {
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 0);
        EXPECT_EQ(ravelink::State().groups.loaded[group], 0);
    }
}

TEST_F(ControllerTest, MergeKeepsEarlierEntitiesAndCollectsSurfacesIntoAGroup) {
    WriteFile("c:\\part.scprt", kPartFile);
    host_.ActiveDrawing().Add(host::PointGeometry{{0, 0, 0}}, 1, 7);
    host_.ActiveDrawing().SetLayer(40, {"Kept name", true});
    Bind();
    char extension[] = "scprt", path[] = "c:\\part.scprt";
    ctrl_.FileMergeReLayer(extension, path, 40, 3);
    EXPECT_EQ(Layers(host_.ActiveDrawing()), (std::vector<int>{7, 40, 40}));
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(40).name, "Kept name");
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(3), 1);
    EXPECT_EQ(ravelink::State().groups.loaded[3], 1);
    EXPECT_EQ(ravelink::State().groups.cursors[3], 0);
}

TEST_F(ControllerTest, MergeIntoAGroupOutsideTheStoreTouchesNoGroup) {
    // Regression: group numbers were not checked, so 20 or -2 wrote outside the store.
    WriteFile("c:\\part.scprt", kPartFile);
    Bind();
    char extension[] = "scprt", path[] = "c:\\part.scprt";
    ctrl_.FileMergeReLayer(extension, path, 40, 20);
    ctrl_.FileMergeReLayer(extension, path, 41, -2);
    for (int group = 0; group < ravelink::kSurfaceGroups; ++group)
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 0);
}

TEST_F(ControllerTest, PasteHandsTheFileToTheHostThroughTheClipboard) {
    WriteFile("c:\\clip.scprt", kPartFile);
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    char empty[] = "";
    ctrl_.Paste_Operation(empty);  // neither a file nor the clipboard is touched
    EXPECT_EQ(recorder.CountOf("HostPaste"), 0u);
    EXPECT_FALSE(platform::IsClipboardFormatAvailable(
        platform::RegisterClipboardFormat("SC2005 Clip Format")));
    ctrl_.Paste_Operation(std::string("c:\\missing.scprt"));
    EXPECT_EQ(recorder.CountOf("HostPaste"), 0u);
    ctrl_.Paste_Operation(std::string("c:\\clip.scprt"));
    EXPECT_EQ(recorder.CountOf("HostPaste"), 1u);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
}

std::size_t OpenFiles() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

// Regression: pasting a file too large for memory threw out of the link library and left the
// file open; and a file that is a pipe blocked the paste for ever.
TEST_F(ControllerTest, APasteThatCannotReadItsFileStopsAndReleasesIt) {
    const std::filesystem::path huge = platform::MapPath("c:\\huge.scprt");
    std::ofstream(huge) << "scprt 1\n";
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 41);  // sparse: nothing is written
    TAVRO_MAKE_PIPE_OR_SKIP(platform::MapPath("c:\\pipe.scprt"));
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    const std::size_t openBefore = OpenFiles();
    for (const char* path : {"c:\\huge.scprt", "c:\\pipe.scprt"}) {
        EXPECT_NO_THROW(ctrl_.Paste_Operation(std::string(path))) << path;
        EXPECT_EQ(OpenFiles(), openBefore) << path;
        EXPECT_EQ(recorder.CountOf("HostPaste"), 0u) << path;
        EXPECT_TRUE(platform::OpenClipboard()) << "the clipboard was left open";
        EXPECT_TRUE(platform::CloseClipboard());
    }
    EXPECT_EQ(platform::GlobalBlocksInUse(), 0u);
}

TEST_F(ControllerTest, TheHostDllRunsACommandFileOrItsAbsenceIsSaidOnce) {
    Bind();
    char path[] = "c:\\commands.txt";
    ctrl_.Read_CDL(path, 0);
    EXPECT_EQ(platform::ShownMessages(), (std::vector<std::string>{"DLL open failed"}));
    ASSERT_TRUE(host::InstallHostDll());
    WriteFile("c:\\commands.txt", "point 1 2 3\n");
    ctrl_.Read_CDL(path, 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 1u);
    EXPECT_EQ(platform::ShownMessages().size(), 1u);
}

TEST_F(ControllerTest, FileCommandsPassThroughAndSavingIsRefused) {
    WriteFile("c:\\part.scprt", kPartFile);
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    char extension[] = "scprt", path[] = "c:\\part.scprt";
    EXPECT_EQ(ctrl_.FileOpen(extension, 0, path), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
    EXPECT_EQ(ctrl_.FileSave(), -1);
    EXPECT_EQ(ctrl_.FileSaveAs(path), -1);
    EXPECT_EQ(ctrl_.FileNew(0), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
    ctrl_.Screen_Fit();
    EXPECT_EQ(recorder.CountOf("HostZoomFit"), 1u);
}

}  // namespace
