// The drawing walk, handles and the order of entities as the link library relies on them.
#include <set>

#include "HostFixture.h"

namespace host::testing {
namespace {

class DrawingTest : public HostFixture {
protected:
    std::uint32_t AddPoint(double x, int layer = 1) {
        return host_.ActiveDrawing().Add(PointGeometry{{x, 0, 0}}, 10, layer);
    }
    std::vector<double> WalkXs() {
        std::vector<double> xs;
        for (HostHandle h = api_.HostFirstEntity(api_.HostDrawing()); api_.HostEntityValid(h);
             h = api_.HostNextEntity(h)) {
            HostPointObject* p = api_.HostGetPoint(h);
            xs.push_back(p->x);
            api_.HostFree(p);
        }
        return xs;
    }
};

// Adding unchecked geometry or taking every view away would leave a drawing the file writer
// and the views cannot serve; the stop says what the caller missed.
TEST(DrawingDeathTest, BrokenCallsStopWithAHint) {
    EXPECT_DEATH(Drawing().Add(PointGeometry{{0, 0, 0}}, 300, 1), "check entities before adding");
    EXPECT_DEATH(Drawing().SetViews({}), "a drawing always has a view");
}

TEST_F(DrawingTest, EveryEntityHasItsOwnUpperWord) {
    for (int i = 0; i < 5; ++i) AddPoint(i);
    std::set<std::uint32_t> uppers;
    for (HostHandle h = api_.HostFirstEntity(api_.HostDrawing()); api_.HostEntityValid(h);
         h = api_.HostNextEntity(h))
        uppers.insert(h.high);
    EXPECT_EQ(uppers.size(), 5u);
}

TEST_F(DrawingTest, EmptyDrawingGivesAnInvalidFirstHandle) {
    const HostHandle first = api_.HostFirstEntity(api_.HostDrawing());
    EXPECT_EQ(api_.HostEntityValid(first), 0);
    EXPECT_EQ(api_.HostEntityKind(first), 0);
    EXPECT_EQ(api_.HostEntityValid(api_.HostNextEntity(first)), 0);
}

// Guards against a walk that stops, or skips an entity, when the current one is deleted.
TEST_F(DrawingTest, WalkGoesOnAfterTheCurrentEntityIsDeleted) {
    for (int i = 0; i < 4; ++i) AddPoint(i);
    std::vector<double> visited;
    for (HostHandle h = api_.HostFirstEntity(api_.HostDrawing()); api_.HostEntityValid(h);
         h = api_.HostNextEntity(h)) {
        HostPointObject* p = api_.HostGetPoint(h);
        visited.push_back(p->x);
        api_.HostFree(p);
        EXPECT_EQ(api_.HostDeleteEntity(h), 0);
    }
    EXPECT_EQ(visited, (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

// Guards against moving entities (delete, change, add) looping for ever or moving one twice:
// the re-added entity takes the deleted one's place.
TEST_F(DrawingTest, DeleteChangeAddDuringAWalkVisitsEachEntityOnce) {
    for (int i = 0; i < 3; ++i) AddPoint(i);
    int moves = 0;
    for (HostHandle h = api_.HostFirstEntity(api_.HostDrawing()); api_.HostEntityValid(h);
         h = api_.HostNextEntity(h)) {
        ASSERT_LT(++moves, 10) << "the walk does not end";
        HostPointObject* p = api_.HostGetPoint(h);
        api_.HostDeleteEntity(h);
        p->x += 100;
        EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing(), p), 0);
        api_.HostFree(p);
    }
    EXPECT_EQ(moves, 3);
    EXPECT_EQ(WalkXs(), (std::vector<double>{100, 101, 102}));
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(DrawingTest, ReAddedEntityGetsANewHandleAndTheOldOneStaysInvalid) {
    const std::uint32_t id = AddPoint(1);
    const HostHandle old{std::uint32_t(kDrawingNumber), id};
    HostPointObject* p = api_.HostGetPoint(old);
    api_.HostDeleteEntity(old);
    api_.HostAddPoint(api_.HostDrawing(), p);
    api_.HostFree(p);
    const HostHandle now = api_.HostFirstEntity(api_.HostDrawing());
    EXPECT_NE(now.high, old.high);
    EXPECT_EQ(api_.HostEntityValid(old), 0);
    EXPECT_EQ(api_.HostDeleteEntity(old), -1);
}

// Guards against a handle from before File New naming an entity of the new drawing.
TEST_F(DrawingTest, HandlesFromBeforeFileNewAreInvalid) {
    const std::uint32_t id = AddPoint(1);
    EXPECT_EQ(api_.HostFileNew(0, 0), 0);
    AddPoint(2);
    EXPECT_EQ(api_.HostEntityValid({std::uint32_t(kDrawingNumber), id}), 0);
    EXPECT_EQ(WalkXs(), (std::vector<double>{2}));
}

TEST_F(DrawingTest, AnObjectAddedTwiceAppendsTheSecondCopy) {
    AddPoint(1);
    AddPoint(2);
    const HostHandle first = api_.HostFirstEntity(api_.HostDrawing());
    HostPointObject* p = api_.HostGetPoint(first);
    api_.HostDeleteEntity(first);
    api_.HostAddPoint(api_.HostDrawing(), p);
    api_.HostAddPoint(api_.HostDrawing(), p);
    api_.HostFree(p);
    EXPECT_EQ(WalkXs(), (std::vector<double>{1, 2, 1}));
}

// Guards against the drawing's blocks of slots losing, mixing or moving entities where one block
// ends and the next begins: a thousand entities keep their handles, their order and their
// addresses, and entities re-added at the block boundaries keep their places.
TEST_F(DrawingTest, ThousandsOfEntitiesKeepHandlesOrderAndPlaces) {
    Drawing& drawing = host_.ActiveDrawing();
    const std::uint32_t firstId = AddPoint(0);
    const Entity* first = drawing.Find(firstId);
    std::vector<double> expected{0};
    for (int i = 1; i < 1000; ++i) {
        AddPoint(i);
        expected.push_back(i);
    }
    EXPECT_EQ(drawing.Find(firstId), first) << "an entity moved as the drawing grew";
    std::vector<HostHandle> handles;
    for (HostHandle h = api_.HostFirstEntity(api_.HostDrawing()); api_.HostEntityValid(h);
         h = api_.HostNextEntity(h))
        handles.push_back(h);
    ASSERT_EQ(handles.size(), 1000u);
    for (const int slot : {63, 64, 191, 192, 447, 448, 959, 960, 999}) {
        HostPointObject* p = api_.HostGetPoint(handles[slot]);
        ASSERT_NE(p, nullptr) << slot;
        EXPECT_EQ(p->x, slot);
        EXPECT_EQ(api_.HostDeleteEntity(handles[slot]), 0);
        p->x += 0.5;
        EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing(), p), 0);
        api_.HostFree(p);
        expected[slot] += 0.5;
    }
    EXPECT_EQ(WalkXs(), expected);
    EXPECT_EQ(drawing.EntityCount(), 1000u);
}

TEST_F(DrawingTest, AddingOnAnUnknownLayerCreatesItUnnamed) {
    AddPoint(0, 42);
    EXPECT_EQ(api_.HostLayerExists(42), 1);
    char name[60];
    EXPECT_NE(api_.HostLayerName(42, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
}

}  // namespace
}  // namespace host::testing
