// The computation's steps: choice of the lowest hit, the three outcomes, what is drawn where,
// the order of the host calls, the surface groups and the cursor rule, against the real host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "HeightsFixture.h"

namespace {

using namespace heights_testing;
using core::ChooseLowestHit;
using core::GroupHits;
using core::HeightOutcome;
using core::kApproachColor;
using core::kDeflectorAxisColor;
using core::kDeflectorCircleColor;
using core::kHeightGroups;
using core::kHeightsLayer;
using core::kHoldingSurfaces;
using core::kPostTopColor;
using host::testing::RecordingHostApi;

CApiPoint At(double x, double y, double z) {
    CApiPoint p;
    p.x = x;
    p.y = y;
    p.z = z;
    return p;
}

struct ChoiceCase {
    const char* name;
    GroupHits hits;
    double expectedX;  // each hit has its own x; the location has x = -1
};

TEST(ChooseLowestHitTest, SmallestZWinsAndTheLowerGroupOnATie) {
    const CApiPoint location = At(-1, 0, 5);
    const std::vector<ChoiceCase> cases{
        {"no hit: the location", {}, -1},
        {"one hit, even above", {std::nullopt, At(1, 0, 9), std::nullopt}, 1},
        {"lowest of three", {At(0, 0, 3), At(1, 0, 4), At(2, 0, 2)}, 2},
        {"tie of 0 and 2", {At(0, 0, 2), At(1, 0, 4), At(2, 0, 2)}, 0},
        {"tie of 1 and 2", {std::nullopt, At(1, 0, 2), At(2, 0, 2)}, 1},
        {"all equal", {At(0, 0, 2), At(1, 0, 2), At(2, 0, 2)}, 0},
        {"group 0 lowest", {At(0, 0, -7), At(1, 0, 4), At(2, 0, 2)}, 0},
        {"same z as the location", {std::nullopt, std::nullopt, At(2, 0, 5)}, 2},
    };
    for (const ChoiceCase& c : cases) {
        EXPECT_EQ(ChooseLowestHit(location, c.hits).x, c.expectedX) << c.name;
    }
}

class HeightsRunTest : public HeightsTest {
protected:
    // A horizontal plane at height z over [0, x1] x [0, 100].
    std::uint32_t AddFlatPlane(double z = 50.0, double x1 = 100.0) {
        return AddHeightField(0, x1, 0, 100, 3, [z](double, double) { return z; });
    }
};

TEST_F(HeightsRunTest, DrawsTheConstructionOnItsOwnLayerInItsColours) {
    table_.EndDeflectorLength = 10;
    const std::uint32_t plane = AddFlatPlane();
    AddPost(30, 40, 0);
    Run();

    const std::vector<host::Entity> drawn = Drawn();
    ASSERT_EQ(drawn.size(), 4u);
    std::vector<std::pair<HostKind, int>> kinds;
    for (const host::Entity& e : drawn) kinds.emplace_back(host::KindOf(e.geometry), e.color);
    EXPECT_EQ(kinds, (std::vector<std::pair<HostKind, int>>{{HostKind::Line, kApproachColor},
                                                            {HostKind::Line, kDeflectorAxisColor},
                                                            {HostKind::Arc, kDeflectorCircleColor},
                                                            {HostKind::Point, kPostTopColor}}));
    const auto& approach = std::get<host::LineGeometry>(drawn[0].geometry);
    EXPECT_EQ(approach, (host::LineGeometry{{30, 40, 0}, {30, 40, 40}}));
    const auto& deflector = std::get<host::LineGeometry>(drawn[1].geometry);
    EXPECT_EQ(deflector, (host::LineGeometry{{30, 40, 40}, {30, 40, 50}}));
    EXPECT_EQ(std::get<host::PointGeometry>(drawn[3].geometry).at, (HostVector3{30, 40, 50}));

    ASSERT_TRUE(host_.ActiveDrawing().HasLayer(kHeightsLayer));
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(kHeightsLayer).name, "End Deflector Heights");
    // The selection is used up; the offsets stay inside the controller.
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 0u);
    EXPECT_FALSE(host_.ActiveDrawing().Find(plane)->selected);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 1u + drawn.size());
    for (int group = 0; group < kHeightGroups; ++group)
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 1) << group;
}

TEST_F(HeightsRunTest, PreparationCallsTheHostInItsOrder) {
    AddFlatPlane();
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    recorder.ClearCalls();
    PrepareHeightComputation(ctrl_, table_);
    EXPECT_EQ(recorder.CallsOf({"HostGetCView", "HostUnselectAll", "HostNewSurface",
                                "HostOffsetSurface", "HostLayerExists", "HostAddLayer"}),
              (std::vector<std::string>{"HostGetCView", "HostUnselectAll", "HostNewSurface",
                                        "HostOffsetSurface", "HostNewSurface", "HostOffsetSurface",
                                        "HostLayerExists", "HostAddLayer"}));
    EXPECT_EQ(ctrl_.GetSurfaceGroupId(), kHoldingSurfaces);
}

// Guards against a preparation that keeps group 0 loaded from an earlier job (stale surfaces,
// offsets appended twice).
TEST_F(HeightsRunTest, EveryPreparationStartsFromTheSelectionAfresh) {
    const std::uint32_t plane = AddFlatPlane();
    Bind();
    PrepareHeightComputation(ctrl_, table_);
    host_.ActiveDrawing().Find(plane)->selected = true;
    PrepareHeightComputation(ctrl_, table_);
    for (int group = 0; group < kHeightGroups; ++group)
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 1) << group;
}

TEST_F(HeightsRunTest, APostCallsTheHostInTheOrderOfItsSteps) {
    table_.EndDeflectorLength = 10;
    AddFlatPlane();
    AddPost(30, 40, 0);
    PostLocation& second = AddPost(60, 40, 0);
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    PrepareHeightComputation(ctrl_, table_);
    ComputePostHeight(ctrl_, table_, table_.PostAt(0));  // loads groups 1 and 2 on first use
    recorder.ClearCalls();
    EXPECT_EQ(ComputePostHeight(ctrl_, table_, second), HeightOutcome::Raised);
    EXPECT_EQ(recorder.CallsOf({"HostCrossProduct", "HostProjectPointUV", "HostSurfaceNormal",
                                "HostAddLine", "HostTransform", "HostInvertMatrix", "HostAddArc",
                                "HostAddPoint"}),
              (std::vector<std::string>{
                  "HostCrossProduct",   "HostCrossProduct",                        // view of A
                  "HostProjectPointUV", "HostSurfaceNormal",                       // group 0
                  "HostProjectPointUV", "HostSurfaceNormal",                       // group 1
                  "HostProjectPointUV", "HostSurfaceNormal",                       // group 2
                  "HostAddLine",                                                   // P to Q
                  "HostTransform",      "HostProjectPointUV", "HostTransform",     // foot point
                  "HostSurfaceNormal",  "HostAddLine",                             // Q to F
                  "HostCrossProduct",   "HostCrossProduct",   "HostInvertMatrix",  // view of D
                  "HostTransform",      "HostAddArc",         "HostAddPoint"}));
}

TEST_F(HeightsRunTest, WithoutASelectedSurfaceEveryPostKeepsItsOwnZ) {
    AddFlatPlane();
    host_.ActiveDrawing().UnselectAll();
    AddPost(30, 40, 0);  // z 0: height 0, not programmed
    AddPost(60, 40, 7.5);
    Run();

    EXPECT_EQ(table_.PostAt(0).Height(), 0.0);
    EXPECT_EQ(table_.PostAt(1).Height(), 7.5);
    const auto points = DrawnOf<host::PointGeometry>();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].first.at, (HostVector3{30, 40, 0}));
    EXPECT_EQ(points[1].first.at, (HostVector3{60, 40, 7.5}));
    EXPECT_EQ(points[1].second, kPostTopColor);
    EXPECT_EQ(Drawn().size(), 2u);  // no lines, no circles
    for (int group = 0; group < kHeightGroups; ++group)
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 0) << group;
}

TEST_F(HeightsRunTest, PostsBesideTheSurfaceKeepTheirOwnZ) {
    table_.EndDeflectorLength = 10;
    AddFlatPlane();
    AddPost(150, 50, 7);
    AddPost(50, 50, 0);
    AddPost(-20, -20, 3);
    Run();

    EXPECT_EQ(table_.PostAt(0).Height(), 7.0);
    EXPECT_NEAR(table_.PostAt(1).Height(), 50.0, 1e-9);
    EXPECT_EQ(table_.PostAt(2).Height(), 3.0);
    EXPECT_EQ(DrawnOf<host::PointGeometry>().size(), 3u);
    EXPECT_EQ(DrawnOf<host::ArcGeometry>().size(), 1u);
    EXPECT_EQ(DrawnOf<host::LineGeometry>().size(), 2u);
}

// Near the rim of a dome the inner offset is missed and the holding surface gives the lowest
// hit: the contact is the chosen point itself, so no height is found.
TEST_F(HeightsRunTest, AChosenPointOnTheHoldingSurfaceGivesNoHeight) {
    const double radius = 200.0, length = 10.0;
    table_.EndDeflectorLength = length;
    AddSurface(91, 361, GridOf(91, 361, [&](int r, int c) {
                   const double latitude = r * kPi / 180, longitude = c * kPi / 180;
                   return HostVector3{radius * std::cos(latitude) * std::cos(longitude),
                                      radius * std::cos(latitude) * std::sin(longitude),
                                      radius * std::sin(latitude)};
               }));
    PostLocation& post = AddPost(137.9, 139.7, -30);  // 196.3 from the axis
    Run();

    EXPECT_EQ(post.Height(), 0.0);
    EXPECT_NEAR(post.Hit0.point.x, 137.9, 1e-9);
    const auto lines = DrawnOf<host::LineGeometry>();
    ASSERT_EQ(lines.size(), 1u);  // only the approach marks the post
    EXPECT_EQ(lines[0].second, kApproachColor);
    EXPECT_NEAR(lines[0].first.end.z, std::sqrt(radius * radius - 137.9 * 137.9 - 139.7 * 139.7),
                0.1);
    EXPECT_EQ(Drawn().size(), 1u);
}

// A post along x meets a wall and its two offsets at the post's own z: the tie goes to
// group 0, and since the chosen point keeps the post's z the post keeps its own height.
TEST_F(HeightsRunTest, EqualZAcrossGroupsGoesToTheLowerGroup) {
    table_.EndDeflectorLength = 10;
    // Columns along +y, rows along +z: side 0 faces +x.
    AddSurface(2, 2, {{100, 0, 0}, {100, 100, 0}, {100, 0, 64}, {100, 100, 64}});
    PostLocation& post = AddPost(0, 50, 32, CApiVect{1, 0, 0});
    Run();

    ASSERT_EQ(post.Hit1.point.z, 32.0);
    ASSERT_EQ(post.Hit2.point.z, 32.0);
    EXPECT_NEAR(post.Hit1.point.x, 110.0, 1e-9);
    EXPECT_NEAR(post.Hit2.point.x, 90.0, 1e-9);
    EXPECT_NEAR(post.Hit0.point.x, 100.0, 1e-9);  // group 0's hit, not group 2's nearer one
    EXPECT_EQ(post.Height(), 32.0);
    const auto points = DrawnOf<host::PointGeometry>();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].first.at, (HostVector3{0, 50, 32}));
    EXPECT_EQ(Drawn().size(), 1u);
}

// Two holding surfaces on the axis of the post at (50, 50): planes at z = 50 over
// [0, 100] x [0, 100] and at z = 80 over [0, 200] x [0, 100]. Each group's search starts at
// the surface of its last success, so a post beside the first plane sets later posts against
// the second.
struct CursorCase {
    std::vector<double> postXs;  // in table order
    std::vector<double> heights;
};

class CursorRuleTest : public HeightsRunTest, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CursorRuleTest, TheOrderOfThePostsDecidesTheSurface) {
    table_.EndDeflectorLength = 10;
    AddFlatPlane(50.0, 100.0);
    AddFlatPlane(80.0, 200.0);
    for (double x : GetParam().postXs) AddPost(x, 50, 0);
    Run();
    for (size_t i = 0; i < table_.PostCount(); ++i)
        EXPECT_NEAR(table_.PostAt(i).Height(), GetParam().heights[i], 1e-9) << i;
}

INSTANTIATE_TEST_SUITE_P(Orders, CursorRuleTest,
                         ::testing::Values(CursorCase{{50}, {50}}, CursorCase{{150, 50}, {80, 80}},
                                           CursorCase{{50, 150, 50}, {50, 80, 80}}),
                         // Readable names ("PostsAt50x150x50") in place of heap addresses.
                         [](const ::testing::TestParamInfo<CursorCase>& info) {
                             std::string name = "PostsAt";
                             for (const double x : info.param.postXs)
                                 name += (name.size() > 7 ? "x" : "") + std::to_string(int(x));
                             return name;
                         });

// Guards against an infinite height: the table reader accepts INF and NAN, and a post that
// hits nothing would otherwise keep its infinite z and be programmed.
TEST_F(HeightsRunTest, APostWithNumbersThatAreNotFiniteGetsNoHeight) {
    AddFlatPlane();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AddPost(30, 40, inf);
    AddPost(nan, 40, 10);
    PostLocation& badAxis = AddPost(30, 40, 10);
    badAxis.Post.vect = CApiVect{nan, 0, 1};
    Run();

    for (size_t i = 0; i < table_.PostCount(); ++i) EXPECT_EQ(table_.PostAt(i).Height(), 0.0) << i;
    EXPECT_TRUE(Drawn().empty());
}

// A direction too short to normalise is kept by the table reader: its view has no depth axis,
// so nothing is hit and the post keeps its own z rather than failing the run.
TEST_F(HeightsRunTest, APostWithoutAnAxisHitsNothing) {
    AddFlatPlane();
    PostLocation& post = AddPost(30, 40, 10);
    post.Post.vect = CApiVect{0, 0, 0};
    Run();

    EXPECT_EQ(post.Height(), 10.0);
    EXPECT_EQ(DrawnOf<host::PointGeometry>().size(), 1u);
    EXPECT_EQ(Drawn().size(), 1u);
}

}  // namespace
