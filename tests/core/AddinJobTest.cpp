// Whole jobs through the host's command: the main dialog cancelled or confirmed, empty and
// missing tables, heights on a holding surface, the table top, the preview, a job that fails
// half-way, and the two file hooks.
#include <gtest/gtest.h>

#include <new>

#include "AddinJobFixture.h"
#include "RecordingHostApi.h"
#include "core/addin/AddinApp.h"
#include "dialogs/AddinModule.h"
#include "host/Drawing.h"
#include "platform/dialog/Module.h"

namespace {

using namespace addin_testing;

// A table of two posts under a plane at z 50 and one beside it, and a line the reader rejects.
constexpr const char* kTable =
    "EndDiameter 20.0\n"
    "EndLength 10.0\n"
    "POST 1 1 1  30 40 0  0 0 1\n"
    "POST 1 2 1  60 40 0  0 0 1\n"
    "POST 2 1 3  500 40 7  0 0 1\n";

class AddinJob : public AddinJobTest {
protected:
    // A horizontal plane at z 50 over [0, 100] x [0, 100], selected as the holding surface.
    void AddHoldingPlane() {
        std::vector<HostVector3> points;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) points.push_back({50.0 * c, 50.0 * r, 50.0});
        const std::uint32_t id = host_.ActiveDrawing().Add(
            host::SurfaceGeometry{3, 3, kHostSurfacePointGrid, 0, std::move(points)}, 5, 1);
        host_.ActiveDrawing().Find(id)->selected = true;
    }
};

struct NoConfirmation {
    const char* name;
    const char* script;
};

TEST_F(AddinJob, AMainDialogNotConfirmedReadsNothingWritesNothingAndStillShutsDown) {
    const std::vector<NoConfirmation> cases{
        {"Cancel", "press cancel\n"},
        {"system menu", "close\n"},
        {"script over", ""},
    };
    for (const NoConfirmation& c : cases) {
        WriteFile(kTablePath, "POST 1 1\n");  // read, it would give a message
        WriteFile(kProgramPath, "an earlier program");
        host::testing::RecordingHostApi recorder(HostTable());
        EXPECT_EQ(RunJob(c.script, recorder.api()), 1) << c.name;
        EXPECT_EQ(Messages(), Lines{}) << c.name;
        EXPECT_EQ(FileText(kProgramPath), "an earlier program") << c.name;
        EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u) << c.name;
        // Shutdown: colour and layer restored, the host window enabled and focused.
        EXPECT_EQ(recorder.CountOf("HostRestoreColor"), 1u) << c.name;
        EXPECT_TRUE(host_.WindowState().enabled) << c.name;
        EXPECT_TRUE(host_.WindowState().focused) << c.name;
    }
}

TEST_F(AddinJob, AnEmptyOrMissingTableRunsThroughToAProgramOfHeaderAndEnd) {
    for (const char* table :
         std::initializer_list<const char*>{"", "; only a comment\n", nullptr}) {
        std::filesystem::remove(platform::MapPath(kTablePath));
        if (table != nullptr) WriteFile(kTablePath, table);
        // The review has no section to offer.
        EXPECT_EQ(RunJob("press ok\n"
                         "expect-dialog \"Edit the calculated TAVRO heigh values.\"\n"
                         "select sections 0\n"),
                  1);
        EXPECT_TRUE(
            TranscriptHasInOrder({"end \"Edit the calculated TAVRO heigh values.\" Cancel"}));
        const Lines lines = Transcript();
        ASSERT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& line) {
                                    return line.starts_with("script-error \"line 3: ");
                                }),
                  1);
        const std::string wait = "\"Calculating TAVRO Heights - Please Wait\"";
        EXPECT_TRUE(TranscriptHasInOrder({"end " + std::string(kMainCaption) + " OK",
                                          "show " + wait, "progress " + wait + " progress 10",
                                          "progress " + wait + " progress 30",
                                          "progress " + wait + " progress 100", "destroy " + wait}))
            << (table ? table : "no file");
        EXPECT_EQ(FileText(kProgramPath), ProgramWith({}));
        EXPECT_EQ(Messages(), Lines{});
    }
}

TEST_F(AddinJob, HeightsOnTheSelectedHoldingSurfaceAreProgrammed) {
    WriteFile(kTablePath, kTable);
    AddHoldingPlane();
    EXPECT_EQ(RunJob("press ok\n"), 1);
    // Under the plane the deflector meets it at 50; beside it the post keeps its own z.
    EXPECT_EQ(FileText(kProgramPath),
              ProgramWith({"  MOVE S01R01C01 50.0000", "  MOVE S01R02C01 50.0000",
                           "  MOVE S02R01C03 7.0000"}));
    EXPECT_TRUE(host_.ActiveDrawing().HasLayer(252));
}

struct ReviewEnd {
    const char* script;  // how the review ends after a height was typed
    const char* firstMove;
};

TEST_F(AddinJob, ReviewEditsAreProgrammedAfterOkAndDiscardedAfterCancel) {
    const std::vector<ReviewEnd> cases{
        {"press ok\n", "  MOVE S01R01C01 12.5000"},
        {"press cancel\n", "  MOVE S01R01C01 50.0000"},
        {"escape\n", "  MOVE S01R01C01 50.0000"},
        {"", "  MOVE S01R01C01 50.0000"},
    };
    WriteFile(kTablePath, kTable);
    for (const ReviewEnd& c : cases) {
        host_.ActiveDrawing().ForEach([](host::Entity& e) { e.selected = e.layer == 1; });
        if (host_.ActiveDrawing().SelectedCount() == 0) AddHoldingPlane();
        EXPECT_EQ(RunJob("press ok\n"
                         "expect-dialog \"Edit the calculated TAVRO heigh values.\"\n"
                         "edit-cell heights 1 1 12.5\n" +
                         std::string(c.script)),
                  1);
        EXPECT_EQ(FileText(kProgramPath),
                  ProgramWith({c.firstMove, "  MOVE S01R02C01 50.0000", "  MOVE S02R01C03 7.0000"}))
            << c.script;
    }
}

// Post numbers mistyped by a few digits make huge maxima; the job still ends, and only the
// posts between 1 and the maxima that exist are programmed.
TEST_F(AddinJob, AJobOnAMistypedTableFinishes) {
    WriteFile(kTablePath,
              "POST 1 1000000 1  10 10 5  0 0 1\n"
              "POST 2000000000 1 1  20 10 6  0 0 1\n"
              "POST 1 1 2  30 10 7  0 0 1\n");
    EXPECT_EQ(RunJob("press ok\nexpect-dialog \"Edit the calculated TAVRO heigh values.\"\n"
                     "edit-cell heights 1 2 8\npress ok\n"),
              1);
    EXPECT_EQ(FileText(kProgramPath),
              ProgramWith({"  MOVE S01R01C02 8.0000", "  MOVE S01R1000000C01 5.0000",
                           "  MOVE S2000000000R01C01 6.0000"}));
}

TEST_F(AddinJob, TheProgramGoesWhereTheMainDialogSaysAndTheTableComesFromItsPath) {
    WriteFile("c:\\other.txt", kTable);
    EXPECT_EQ(RunJob("type fixture-file c:\\other.txt\n"
                     "type program-file c:\\job.txt\n"
                     "press ok\n"),
              1);
    // Without a holding surface every post keeps its own z; those at 0 are not programmed.
    EXPECT_EQ(FileText("c:\\job.txt"), ProgramWith({"  MOVE S02R01C03 7.0000"}));
    EXPECT_EQ(FileText(kProgramPath), std::nullopt);
}

TEST_F(AddinJob, DrawingTheTableTopTwiceDrawsEveryCircleTwice) {
    WriteFile(kTablePath, kTable);
    EXPECT_EQ(RunJob("press draw-table-top\npress draw-table-top\npress cancel\n"), 1);
    ASSERT_TRUE(host_.ActiveDrawing().HasLayer(251));
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(251).name, "Table Layout");
    std::vector<HostVector3> centres;
    host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
        const auto* arc = std::get_if<host::ArcGeometry>(&e.geometry);
        ASSERT_NE(arc, nullptr);
        EXPECT_EQ(e.layer, 251);
        EXPECT_EQ(e.color, 12);
        EXPECT_EQ(arc->radius, 10.0);
        EXPECT_NEAR(arc->sweep, 2 * 3.141592653589793, 1e-15);
        centres.push_back(arc->center);
    });
    const std::vector<HostVector3> posts{{30, 40, 0}, {60, 40, 0}, {500, 40, 7}};
    std::vector<HostVector3> twice = posts;
    twice.insert(twice.end(), posts.begin(), posts.end());
    EXPECT_EQ(centres, twice);
}

TEST_F(AddinJob, OnlyClosePreviewEndsThePreview) {
    EXPECT_EQ(RunJob("press preview\nescape\nexpect-dialog Preview\npress close-preview\n"
                     "expect-dialog \"TAVRO Programmer by Kestrane\"\npress cancel\n"),
              1);
    const std::string main = kMainCaption;
    EXPECT_TRUE(
        TranscriptHasInOrder({"hide " + main, "show \"Preview\"", "enable host",
                              "end \"Preview\" Cancel", "end \"Preview\" OK", "disable host",
                              "destroy \"Preview\"", "show " + main, "end " + main + " Cancel"}));
}

// A host that runs out of memory while projecting onto a surface.
int ProjectionOutOfMemory(const HostSurfaceObject*, const HostVector3*, const HostViewRecord*,
                          double, HostVector3*, HostUV*) {
    throw std::bad_alloc();
}

TEST_F(AddinJob, AFailureInsideTheComputationEndsTheCallWithOneMessage) {
    WriteFile(kTablePath, kTable);
    WriteFile(kProgramPath, "an earlier program");
    AddHoldingPlane();
    HostApi failing = HostTable();
    failing.HostProjectPointUV = &ProjectionOutOfMemory;
    EXPECT_EQ(RunJob("press ok\n", &failing), 1);
    EXPECT_EQ(Messages(), Lines{"message \"UNKNOWN ERROR: Shutting down.\""});
    EXPECT_EQ(FileText(kProgramPath), "an earlier program");
    // The host gets its window back and the job's surfaces are released (the leak check).
    EXPECT_TRUE(host_.WindowState().enabled);
    EXPECT_EQ(platform::CurrentModule(), nullptr);
}

TEST_F(AddinJob, TheFileHooksShowTheirMessageEveryTimeAndRestoreTheModule) {
    host::testing::PlaySessionScript("");
    platform::Module& before = platform::DefineModule("SomeHostModule");
    const platform::ModuleScope hostModule(before);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(FileOpenEntryPoint(), 1);
        EXPECT_EQ(FileSaveEntryPoint(), 1);
        EXPECT_EQ(platform::CurrentModule(), &before);
    }
    EXPECT_EQ(UserApp_nCallback(&HostTable()), 1);
    EXPECT_EQ(FileOpenEntryPoint(), 1);
    EXPECT_EQ(platform::CurrentModule(), &before);
    EXPECT_EQ(Messages(),
              (Lines{"message \"File Open API WORKS!\"", "message \"File Save API WORKS!\"",
                     "message \"File Open API WORKS!\"", "message \"File Save API WORKS!\"",
                     "message \"File Open API WORKS!\""}));
}

TEST(AddinAppTest, NamesTheCompanysRegistryKey) {
    EXPECT_EQ(core::addin::TheAddinApp().Name(), "Tavroset");
    EXPECT_EQ(core::addin::TheAddinApp().SettingsKey(),
              "Software\\Tarnwick Software LLC\\Kestrane\\Tavroset");
}

}  // namespace
