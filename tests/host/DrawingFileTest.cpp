// Drawing files: exact round trips, refused files naming their line, open and merge.
#include <sys/stat.h>

#include <cmath>
#include <cstring>

#include "HostFixture.h"
#include "TestSystem.h"
#include "host/DrawingFile.h"

namespace host::testing {
namespace {

class DrawingFileTest : public HostFixture {};

// A drawing with every kind of entity and awkward numbers.
Drawing Sample() {
    Drawing d;
    d.SetLayer(0, {"", true});
    d.SetLayer(251, {"Table Layout", true});
    d.SetLayer(7, {" lead and trail  ", false});
    d.SetCurrentColor(14);
    d.SetCurrentLayer(251);
    d.SetConstructionView(2);
    const double awkward[] = {0.1, -0.0, 1e-310, 1.7976931348623157e308, 1.0 / 3.0};
    for (double v : awkward) d.Add(PointGeometry{{v, -v, v / 3}}, 1, 7);
    d.Add(LineGeometry{{1, 2, 3}, {4, 5, 6}}, 2, 251);
    d.Add(ArcGeometry{{1, 1, 0}, {0, 0, 1}, {0.6, 0.8, 0}, 6.283185307179586, 2.5}, 3, 0);
    d.Add(PolylineGeometry{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0.1}}}, 4, 5);
    d.Add(CurveGeometry{{{0, 0, 0}, {1, 2, 0}, {2, 0, 0}}}, 5, 5);
    d.Add(SurfaceGeometry{2,
                          3,
                          kHostSurfacePointGrid,
                          9,
                          {{0, 0, 0}, {1, 0, 0.5}, {2, 0, 0}, {0, 1, 0}, {1, 1, 0.7}, {2, 1, 0}}},
          6, 5);
    TextGeometry text{"Part 7 # not a comment", {1, 2, 3}, 0.13, 0.0, IdentityMatrix(), {}};
    d.Add(text, 7, 5);
    text.font = HostLogFont{-12, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, "MS Shell Dlg"};
    text.text = "";
    d.Add(text, 8, 5);
    return d;
}

TEST_F(DrawingFileTest, RoundTripKeepsEveryDoubleExactly) {
    const Drawing original = Sample();
    const std::string text = WriteDrawing(original);
    const platform::Expected<Drawing> read = ReadDrawing(text);
    ASSERT_TRUE(read) << read.Describe();
    EXPECT_EQ(WriteDrawing(*read), text);
    std::vector<Entity> a, b;
    original.ForEach([&](const Entity& e) { a.push_back(e); });
    read->ForEach([&](const Entity& e) { b.push_back(e); });
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i].geometry == b[i].geometry) << "entity " << i;
        EXPECT_EQ(a[i].color, b[i].color);
        EXPECT_EQ(a[i].layer, b[i].layer);
    }
    const double negativeZero = std::get<PointGeometry>(b[1].geometry).at.x;
    EXPECT_TRUE(std::signbit(negativeZero));
    EXPECT_EQ(read->Layers(), original.Layers());
    EXPECT_EQ(read->Views(), original.Views());
    EXPECT_EQ(read->ConstructionView(), 2);
    EXPECT_EQ(read->CurrentColor(), 14);
}

// Guards against a drawing whose current view is not one of its views (found by fuzzing).
TEST_F(DrawingFileTest, ListedViewsWithoutViewNumbersMakeTheLowestCurrent) {
    const platform::Expected<Drawing> read =
        ReadDrawing("scprt 1\nview 9 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 Nine\nend\n");
    ASSERT_TRUE(read) << read.Describe();
    EXPECT_EQ(read->CurrentView(), 9);
    EXPECT_EQ(read->ConstructionView(), 9);
    EXPECT_TRUE(ReadDrawing(WriteDrawing(*read)));
}

TEST_F(DrawingFileTest, AcceptsCommentsBlankLinesAndWindowsLineEnds) {
    const platform::Expected<Drawing> read =
        ReadDrawing("# part\r\nscprt 1\r\n\r\n  # note\r\npoint 1 2 3 4 5\r\nend\r\n");
    ASSERT_TRUE(read) << read.Describe();
    EXPECT_EQ(read->EntityCount(), 1u);
}

struct Malformed {
    const char* text;
    int line;
    const char* says;  // a piece of the description
};

TEST_F(DrawingFileTest, MalformedFilesNameTheirLine) {
    const Malformed cases[] = {
        {"", 1, "start"},
        {"# only a comment\n", 1, "start"},
        {"scprt 2\nend\n", 1, "version"},
        {"scprt 1\npoint 1 1 0 0\nend\n", 2, "x y z"},
        {"scprt 1\npoint 1 1 0 0 0\n", 2, "without its \"end\""},
        {"scprt 1\npoint 300 1 0 0 0\nend\n", 2, "colour"},
        {"scprt 1\npoint 1 1000 0 0 0\nend\n", 2, "layer"},
        {"scprt 1\npoint 1 1 nan 0 0\nend\n", 2, "x y z"},
        {"scprt 1\npoint 1 1 1e999 0 0\nend\n", 2, "x y z"},
        {"scprt 1\npoint 1 1 0x1 0 0\nend\n", 2, "x y z"},
        {"scprt 1\nline 1 1 0 0 0 0 0\nend\n", 2, "x1 y1 z1"},
        {"scprt 1\npolyline 1 1 3\n0 0 0\n1 1 1\nend\n", 5, "point 3 of 3"},
        {"scprt 1\npolyline 1 1 1\n0 0 0\nend\n", 2, "at least 2"},
        {"scprt 1\nsurface 1 1 2 2 1 0\n0 0 0\n1 0 0\n0 1 0\n", 5, "point 4 of 4"},
        {"scprt 1\nsurface 1 1 100000 100000 1 0\nend\n", 2, "more points"},
        {"scprt 1\nsurface 1 1 2 2 2 0\nend\n", 2, "rows"},
        {"scprt 1\ncircle 1 1\nend\n", 2, "unknown record"},
        {"scprt 1\nfont 0 0 0 0 0 0 0 0 0 0 0 0 0\nend\n", 2, "font"},
        {"scprt 1\nlayer 4 shown A\nlayer 4 hidden B\nend\n", 3, "twice"},
        {"scprt 1\nlayer 4 maybe A\nend\n", 2, "shown|hidden"},
        {"scprt 1\nviews 1 40\nend\n", 2, "not listed"},
        {"scprt 1\nview 0 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 Zero\nend\n", 2, "view"},
        {"scprt 1\nend\npoint 1 1 0 0 0\n", 3, "after \"end\""},
        {"scprt 1\ntext 1 1 0 0 0 1 0 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 Hi\n"
         "font 1 2 3 4 5 256 0 0 0 0 0 0 0 Arial\nend\n",
         3, "bytes"},
    };
    for (const Malformed& c : cases) {
        const platform::Expected<Drawing> read = ReadDrawing(c.text);
        EXPECT_FALSE(read) << c.text;
        EXPECT_EQ(read.GetStatus().Line(), c.line) << c.text << " -> " << read.Describe();
        EXPECT_NE(read.GetStatus().Reason().find(c.says), std::string::npos)
            << c.text << " -> " << read.Describe();
    }
}

TEST_F(DrawingFileTest, MalformedFileLeavesTheDrawingAsItWasAndSaysWhichLine) {
    host_.ActiveDrawing().Add(PointGeometry{{1, 1, 1}}, 3, 3);
    const std::string before = WriteDrawing(host_.ActiveDrawing());
    WriteFile("c:\\bad.scprt", "scprt 1\npoint 1 1 0 0 0\nline 1 1 0 0\nend\n");
    for (int mode : {0, 1})
        EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, mode, "c:\\bad.scprt"), -1);
    EXPECT_EQ(WriteDrawing(host_.ActiveDrawing()), before);
    ASSERT_EQ(platform::ShownMessages().size(), 2u);
    EXPECT_NE(platform::ShownMessages()[0].find("line 3"), std::string::npos)
        << platform::ShownMessages()[0];
}

TEST_F(DrawingFileTest, MissingFileIsRefusedWithAMessage) {
    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, kHostOpenReplaces, "c:\\none.scprt"), -1);
    EXPECT_EQ(platform::ShownMessages().size(), 1u);
    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, 2, "c:\\none.scprt"), -1);  // no such mode
}

TEST_F(DrawingFileTest, OpenReplacesAndMergeAppendsKeepingExistingLayers) {
    host_.ActiveDrawing().SetLayer(5, {"Mine", true});
    host_.ActiveDrawing().Add(PointGeometry{{9, 9, 9}}, 1, 5);
    WriteFile("c:\\part.scprt",
              "scprt 1\nlayer 5 hidden Theirs\nlayer 6 shown New\n"
              "point 2 5 1 2 3\nline 2 6 0 0 0 1 1 1\nend\n");
    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, kHostOpenMerges, "c:\\part.scprt"), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 3u);
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(5).name, "Mine");
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(6).name, "New");

    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, kHostOpenReplaces, "c:\\part.scprt"), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(5).name, "Theirs");
}

TEST_F(DrawingFileTest, SaveAndOpenGiveTheSameDrawing) {
    host_.ActiveDrawing().ReplaceWith(Sample());
    EXPECT_TRUE(host_.SaveDrawing("c:\\saved.scprt"));
    const std::string saved = WriteDrawing(host_.ActiveDrawing());
    api_.HostFileNew(0, 0);
    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, kHostOpenReplaces, "c:\\saved.scprt"), 0);
    EXPECT_EQ(WriteDrawing(host_.ActiveDrawing()), saved);
    EXPECT_FALSE(host_.SaveDrawing("c:\\no\\such\\folder\\x.scprt"));
}

// Regression: a save truncated the drawing in place, so a full disk left a damaged drawing where
// the complete one was; and a read-only drawing was overwritten.
TEST_F(DrawingFileTest, ASaveNeverDamagesTheDrawingOnDisk) {
    host_.ActiveDrawing().ReplaceWith(Sample());
    ASSERT_TRUE(host_.SaveDrawing("c:\\kept.scprt"));
    const std::filesystem::path file = platform::MapPath("c:\\kept.scprt");
    const std::string before = WriteDrawing(host_.ActiveDrawing());
    host_.ActiveDrawing().Add(PointGeometry{{1, 2, 3}}, 1, 0);
    {
        TAVRO_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const tavro::testing::FileSizeLimit fullDisk(64);
        EXPECT_FALSE(host_.SaveDrawing("c:\\kept.scprt"));
    }
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_NE(host_.SaveDrawing("c:\\kept.scprt").Describe().find("read-only"), std::string::npos);
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    EXPECT_EQ(platform::ShownMessages().size(), 2u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
}

// Regression: a drawing that is a pipe blocked the host for ever at its open.
TEST_F(DrawingFileTest, APipeIsNoDrawing) {
    TAVRO_MAKE_PIPE_OR_SKIP(platform::MapPath("c:\\pipe.scprt"));
    EXPECT_EQ(api_.HostFileOpen(kHostDrawingFileType, kHostOpenReplaces, "c:\\pipe.scprt"), -1);
    ASSERT_EQ(platform::ShownMessages().size(), 1u);
    EXPECT_NE(platform::ShownMessages()[0].find("Not a regular file"), std::string::npos);
}

TEST_F(DrawingFileTest, ExampleDrawingsOpen) {
    for (const char* name : {"fixture-part.scprt", "skin-panel/skin-panel.scprt"}) {
        const platform::Expected<Drawing> read =
            ReadDrawingFile(std::filesystem::path(TAVRO_SOURCE_DIR) / "examples" / name);
        EXPECT_TRUE(read) << name << ": " << read.Describe();
    }
}

}  // namespace
}  // namespace host::testing
