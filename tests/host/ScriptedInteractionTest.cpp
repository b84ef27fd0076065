// The host's requests of the user answered by the session script of the headless backend.
#include "HostFixture.h"
#include "host/ScriptedInteraction.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

namespace host::testing {
namespace {

class ScriptedInteractionTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
        host_.SetInteraction(std::make_unique<ScriptedInteraction>());
    }
    void TearDown() override {
        platform::ResetDialogSystem();
        HostFixture::TearDown();
    }
    platform::HeadlessBackend& Play(std::string_view script) { return PlaySessionScript(script); }
};

TEST_F(ScriptedInteractionTest, ScriptSelectsEntitiesAndPicksALocation) {
    const auto arc =
        host_.ActiveDrawing().Add(ArcGeometry{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.3, 2}, 1, 1);
    Play("select-entities 2 0 0\npick-location 1.5 -2 3\npick-location cancel\n");
    EXPECT_EQ(api_.HostSelect(kHostSelectByPicking, kHostSelectArcs, 0, 0), 0);
    EXPECT_TRUE(host_.ActiveDrawing().Find(arc)->selected);
    HostVector3 picked;
    EXPECT_EQ(api_.HostPickLocation(0, &picked), 0);
    EXPECT_EQ(picked, (HostVector3{1.5, -2, 3}));
    EXPECT_EQ(api_.HostPickLocation(0, &picked), -1);
}

// Guards against a malformed or out-of-order script line being taken as an answer.
TEST_F(ScriptedInteractionTest, MalformedOrMissingActionCancelsAndStopsTheScript) {
    struct Case {
        const char* script;
        bool pick;
    };
    for (const Case& c : {Case{"pick-location 1 2\n", true}, Case{"pick-location a b c\n", true},
                          Case{"select-entities 1 2 3 4\n", false},
                          Case{"select-entities 1 2 3\n", true}, Case{"", false}}) {
        platform::HeadlessBackend& backend = Play(c.script);
        HostVector3 picked{9, 9, 9};
        const int result = c.pick ? api_.HostPickLocation(0, &picked) : api_.HostSelect(3, 0, 0, 0);
        EXPECT_EQ(result, -1) << c.script;
        EXPECT_EQ(picked, (HostVector3{9, 9, 9}));
        EXPECT_TRUE(backend.ScriptFailed()) << c.script;
    }
}

}  // namespace
}  // namespace host::testing
