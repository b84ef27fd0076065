// The host's own actions in the session script: selecting by kind and layer on shown layers,
// clearing the selection, and where a host-run hands over to the next command.
#include "HostFixture.h"
#include "host/HostActions.h"
#include "platform/dialog/DialogSystem.h"

namespace host::testing {
namespace {

class HostActionsTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
        Drawing& drawing = host_.ActiveDrawing();
        drawing.SetLayer(9, {"hidden", false});
        const SurfaceGeometry patch{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}}};
        surfaceOn2_ = drawing.Add(patch, 5, 2);
        surfaceOn3_ = drawing.Add(patch, 5, 3);
        hiddenSurface_ = drawing.Add(patch, 5, 9);
        lineOn2_ = drawing.Add(LineGeometry{{0, 0, 0}, {1, 0, 0}}, 12, 2);
        arcOn3_ = drawing.Add(ArcGeometry{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.28, 1}, 10, 3);
    }
    void TearDown() override {
        platform::ResetDialogSystem();
        HostFixture::TearDown();
    }
    std::vector<std::uint32_t> Selected() {
        std::vector<std::uint32_t> ids;
        host_.ActiveDrawing().ForEach([&](const Entity& e) {
            if (e.selected) ids.push_back(e.id);
        });
        return ids;
    }

    std::uint32_t surfaceOn2_ = 0, surfaceOn3_ = 0, hiddenSurface_ = 0, lineOn2_ = 0, arcOn3_ = 0;
};

TEST_F(HostActionsTest, SelectsByKindAndLayerOnShownLayersOnly) {
    struct Case {
        const char* script;
        std::vector<std::uint32_t> selected;
    };
    const Case cases[] = {
        {"host-select surface\n", {surfaceOn2_, surfaceOn3_}},
        {"host-select surface 3\n", {surfaceOn3_}},
        {"host-select all 2\n", {surfaceOn2_, lineOn2_}},
        {"host-select arc\nhost-select line\n", {lineOn2_, arcOn3_}},
        {"host-select surface 9\n", {}},
        {"host-select text\n", {}},
        {"host-select all\nhost-unselect\n", {}},
    };
    for (const Case& c : cases) {
        host_.ActiveDrawing().UnselectAll();
        platform::HeadlessBackend& backend = PlaySessionScript(c.script);
        EXPECT_TRUE(PlayHostActions(host_.ActiveDrawing(), backend)) << c.script;
        EXPECT_EQ(Selected(), c.selected) << c.script;
        EXPECT_EQ(backend.PeekAction(), nullptr) << c.script;
    }
}

TEST_F(HostActionsTest, StopsAfterAHostRunAndBeforeADialogsAction) {
    platform::HeadlessBackend& backend =
        PlaySessionScript("host-select line\nhost-run\nhost-select arc\npress ok\n");
    EXPECT_TRUE(PlayHostActions(host_.ActiveDrawing(), backend));
    EXPECT_EQ(Selected(), std::vector<std::uint32_t>{lineOn2_});
    EXPECT_TRUE(PlayHostActions(host_.ActiveDrawing(), backend));
    EXPECT_EQ(Selected(), (std::vector<std::uint32_t>{lineOn2_, arcOn3_}));
    ASSERT_NE(backend.PeekAction(), nullptr);
    EXPECT_EQ(backend.PeekAction()->verb, "press");
    EXPECT_EQ(backend.TranscriptLines(),
              (std::vector<std::string>{"host-select line 1", "host-run", "host-select arc 1"}));
}

TEST_F(HostActionsTest, RefusesWhatTheHostCannotDo) {
    for (const char* script :
         {"host-select\n", "host-select circle\n", "host-select surface 1000\n",
          "host-select surface two\n", "host-select all 2 3\n", "host-unselect now\n",
          "host-run 1\n", "host-zoom\n"}) {
        const platform::Expected<std::vector<platform::ScriptAction>> read =
            platform::ReadSessionScript(script);
        ASSERT_TRUE(read) << script;
        EXPECT_FALSE(CheckHostAction(read->front())) << script;
        platform::HeadlessBackend& backend = PlaySessionScript(script);
        EXPECT_FALSE(PlayHostActions(host_.ActiveDrawing(), backend)) << script;
        EXPECT_TRUE(backend.ScriptFailed()) << script;
        EXPECT_EQ(Selected(), std::vector<std::uint32_t>{}) << script;
    }
}

}  // namespace
}  // namespace host::testing
