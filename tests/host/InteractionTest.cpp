// Selecting entities and picking locations through the user's (queued) answers, and surfaces
// built from delivered points.
#include "HostFixture.h"

namespace host::testing {
namespace {

class InteractionTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        user_ = &host_.SetInteraction(std::make_unique<QueuedInteraction>());
    }
    bool Selected(std::uint32_t id) { return host_.ActiveDrawing().Find(id)->selected; }
    QueuedInteraction* user_ = nullptr;
};

TEST_F(InteractionTest, Mode128SelectsTheNearestArcOnly) {
    const auto point = host_.ActiveDrawing().Add(PointGeometry{{10, 0, 0}}, 1, 1);
    const auto arc =
        host_.ActiveDrawing().Add(ArcGeometry{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.3, 1}, 1, 1);
    const auto far =
        host_.ActiveDrawing().Add(ArcGeometry{{50, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.3, 1}, 1, 1);
    user_->QueueSelection({{10, 0, 0}});
    EXPECT_EQ(api_.HostSelect(kHostSelectByPicking, kHostSelectArcs, 0, 0), 0);
    EXPECT_TRUE(Selected(arc));
    EXPECT_FALSE(Selected(point));
    EXPECT_FALSE(Selected(far));
    api_.HostUnselectAll();
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 0u);
}

TEST_F(InteractionTest, SelectedStateTravelsWithTheCopy) {
    host_.ActiveDrawing().Add(
        SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
        1, 1);
    user_->QueueSelection({{0.5, 0.5, 0}});
    ASSERT_EQ(api_.HostSelect(3, kHostSelectSurfaces, 0, 0), 0);
    HostSurfaceObject* s = api_.HostGetSurface(api_.HostFirstEntity(api_.HostDrawing()));
    EXPECT_NE(api_.HostIsSelected(s), 0);
    api_.HostFree(s);
}

TEST_F(InteractionTest, HiddenLayersAndCancelledOrUnansweredSelectionsSelectNothing) {
    host_.ActiveDrawing().Add(PointGeometry{}, 1, 4);
    host_.ActiveDrawing().ShowLayer(4, false);
    user_->QueueSelection({{0, 0, 0}});
    EXPECT_EQ(api_.HostSelect(3, 0, 0, 0), -1);
    user_->QueueCancel();
    EXPECT_EQ(api_.HostSelect(3, 0, 0, 0), -1);
    EXPECT_EQ(api_.HostSelect(3, 0, 0, 0), -1);  // nothing queued
    EXPECT_EQ(user_->Notes().size(), 1u);
    EXPECT_EQ(api_.HostSelect(1, 0, 0, 0), -1);  // no such selection method
}

TEST_F(InteractionTest, PickLocationReturnsThePickedPointOrFailsUntouched) {
    user_->QueueLocation({1.5, -2, 3});
    HostVector3 picked;
    EXPECT_EQ(api_.HostPickLocation(0, &picked), 0);
    EXPECT_EQ(picked, (HostVector3{1.5, -2, 3}));
    user_->QueueSelection({});  // an answer of the other kind
    EXPECT_EQ(api_.HostPickLocation(0, &picked), -1);
    EXPECT_EQ(picked, (HostVector3{1.5, -2, 3}));
    EXPECT_EQ(api_.HostPickLocation(0, nullptr), -1);
}

// Points delivered by an adapter, scripted as a list of codes; a point's x is its position.
struct Delivery {
    std::vector<int> codes;
    std::size_t next = 0;
};
Delivery* delivery = nullptr;
int Adapter(std::FILE*, double* xyz) {
    if (delivery->next >= delivery->codes.size()) return kHostPointError;
    xyz[0] = double(delivery->next);
    return delivery->codes[delivery->next++];
}
int Endless(std::FILE*, double* xyz) {
    xyz[0] = xyz[1] = xyz[2] = 0;
    return kHostPointDelivered;
}

TEST_F(InteractionTest, SurfaceFromRowsOfPoints) {
    Delivery d{{3, 3, 3, 2, 3, 3, 3, 1}};
    delivery = &d;
    api_.HostSetLayer(12);
    EXPECT_EQ(api_.HostSurfaceFromCallbackGrid(nullptr, 0, Adapter, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(host_.ActiveDrawing().EntityCount(), 1u);
    const Entity& e = *host_.ActiveDrawing().Find(host_.ActiveDrawing().First());
    const auto& s = std::get<SurfaceGeometry>(e.geometry);
    EXPECT_EQ(s.rows, 2);
    EXPECT_EQ(s.columns, 3);
    EXPECT_EQ(s.points[3].x, 4.0);
    EXPECT_EQ(e.layer, 12);
}

TEST_F(InteractionTest, SurfaceFromPointsRefusesRaggedRowsErrorsAndEndlessAdapters) {
    const std::vector<std::vector<int>> refused = {
        {3, 3, 2, 3, 1},  // rows of different lengths
        {3, 3, 3, 4},     // the adapter reports an error
        {3, 3, 3, 1},     // a single row
    };
    for (const auto& codes : refused) {
        Delivery d{codes};
        delivery = &d;
        EXPECT_EQ(api_.HostSurfaceFromCallback(nullptr, 0, Adapter), -1);
    }
    // Guards against an adapter that never ends keeping the host for ever.
    EXPECT_EQ(api_.HostSurfaceFromCallback(nullptr, 0, Endless), -1);
    EXPECT_EQ(api_.HostSurfaceFromCallback(nullptr, 0, nullptr), -1);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

}  // namespace
}  // namespace host::testing
