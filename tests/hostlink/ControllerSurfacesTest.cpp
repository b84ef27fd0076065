// Surface groups, the circular search, views and matrices.
#include <cmath>

#include "ControllerFixture.h"

namespace {

using host::testing::RecordingHostApi;

// A flat 2 x 2 surface at height z over [x0, x0 + 10] x [0, 10].
host::SurfaceGeometry FlatSquare(double x0, double z) {
    return host::SurfaceGeometry{2,
                                 2,
                                 kHostSurfacePointGrid,
                                 0,
                                 {{x0, 0, z}, {x0 + 10, 0, z}, {x0, 10, z}, {x0 + 10, 10, z}}};
}

// Adds a surface entity, selected or not.
void AddSurface(host::Drawing& drawing, host::SurfaceGeometry surface, bool selected) {
    const std::uint32_t id = drawing.Add(std::move(surface), 5, 2);
    drawing.Find(id)->selected = selected;
}

TEST_F(ControllerTest, LoadingTakesTheSelectedSurfacesAndClearsTheSelection) {
    AddSurface(host_.ActiveDrawing(), FlatSquare(0, 1), true);
    AddSurface(host_.ActiveDrawing(), FlatSquare(20, 1), false);
    AddSurface(host_.ActiveDrawing(), FlatSquare(40, 1), true);
    Bind();
    ctrl_.LoadAllSelectedSurfaces(4);
    EXPECT_EQ(ctrl_.GetSurfaceGroupId(), 4);
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(4), 2);
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 0u);
    EXPECT_EQ(Outstanding(), 2u);      // the group's surfaces belong to the store
    ctrl_.LoadAllSelectedSurfaces(4);  // loaded already: nothing is added
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(4), 2);
    EXPECT_TRUE(ctrl_.ResetSurfaceList());
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ControllerTest, AResetGroupStaysEmptyUntilTheWholeListIsReset) {
    AddSurface(host_.ActiveDrawing(), FlatSquare(0, 1), true);
    Bind();
    ctrl_.LoadAllSelectedSurfaces(1);
    EXPECT_TRUE(ctrl_.ResetSurfaces(1));
    host_.ActiveDrawing().Find(host_.ActiveDrawing().First())->selected = true;
    ctrl_.LoadAllSelectedSurfaces(1);
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(1), 0);  // still marked loaded
    ctrl_.ResetSurfaceList();
    ctrl_.LoadAllSelectedSurfaces(1);
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(1), 1);
}

TEST_F(ControllerTest, AnEmptyGroupFailsWithoutAskingTheHostToProject) {
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    CApiPoint in, out;
    CApiVect normal;
    CApiView view;
    ctrl_.SetSurfaceGroupId(2);
    EXPECT_FALSE(ctrl_.ProjectPointOntoSelectionView(&in, &out, false, &normal, 1, false, &view));
    EXPECT_FALSE(ctrl_.ProjectPointOntoSelectionNormal(&in, &out, false, &normal, 0, false, 0));
    EXPECT_FALSE(ctrl_.ProjectPointOntoSelection(&in, &out, false));
    EXPECT_EQ(recorder.CountOf("HostProjectPointUV") + recorder.CountOf("HostProjectPoint"), 0u);
    // The Normal form always works on group 0 and leaves the current group there.
    EXPECT_EQ(ctrl_.GetSurfaceGroupId(), 0);
    EXPECT_FALSE(
        ctrl_.ProjectPointOntoSelectionView(nullptr, &out, false, &normal, 1, false, &view));
}

TEST_F(ControllerTest, GroupsOutsideTheStoreAreNeverTouched) {
    // Regression: group numbers were not checked, so 20 or -1 reached outside the 20 groups.
    AddSurface(host_.ActiveDrawing(), FlatSquare(0, 1), true);
    Bind();
    for (int group : {-1, 20, 1000}) {
        ctrl_.LoadAllSelectedSurfaces(group);
        EXPECT_EQ(ctrl_.GetSurfaceGroupId(), group);
        EXPECT_EQ(ctrl_.GetSurfaceGroupCount(group), 0);
        EXPECT_EQ(ctrl_.OffsetSurfaceGroup(group, 1, 5.0, 0, false), 0);
        EXPECT_EQ(ctrl_.OffsetSurfaceGroup(0, group, 5.0, 0, false), 0);
        EXPECT_TRUE(ctrl_.ResetSurfaces(group));
        CApiPoint in, out;
        CApiVect normal;
        CApiView view;
        EXPECT_FALSE(
            ctrl_.ProjectPointOntoSelectionView(&in, &out, false, &normal, 1, false, &view));
    }
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 1u);  // nothing was loaded
}

TEST_F(ControllerTest, ViewsFromVectorsAreNumberedFrom22) {
    Bind();
    CApiView view;
    EXPECT_FALSE(ctrl_.ViewFromVector(CApiVect{0, 0, 1}, &view));
    EXPECT_EQ(view.number, 22);
    EXPECT_STREQ(view.name, "View From Normal");
    const double expected[16] = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(view.matrix[i], expected[i], 1e-12) << i;
    EXPECT_FALSE(ctrl_.ViewFromVector(CApiVect{1, 1, 0}, &view));  // a tie of x and y: z branch
    EXPECT_EQ(view.number, 23);
    // Whatever the branch, the third column is the direction and the axes are orthogonal.
    for (CApiVect n : {CApiVect{1, 0, 0}, CApiVect{0, -1, 0}, CApiVect{0.3, -0.2, -0.9}}) {
        ctrl_.ViewFromVector(n, &view);
        EXPECT_NEAR(view.matrix[2], n.x, 1e-12);
        EXPECT_NEAR(view.matrix[6], n.y, 1e-12);
        EXPECT_NEAR(view.matrix[10], n.z, 1e-12);
        const double dot = view.matrix[0] * view.matrix[2] + view.matrix[4] * view.matrix[6] +
                           view.matrix[8] * view.matrix[10];
        EXPECT_NEAR(dot, 0.0, 1e-12);
    }
}

TEST_F(ControllerTest, MatricesInvertInPlaceAndTransformVectors) {
    Bind();
    CApiView view;
    ctrl_.ViewFromVector(CApiVect{0, 0, 1}, &view);
    auto* m = reinterpret_cast<double(*)[4]>(view.matrix);
    EXPECT_EQ(ctrl_.CreateInverseMatrix(m, m), 0);
    CApiVect x{1, 0, 0}, r;
    EXPECT_TRUE(ctrl_.WorldToView(&x, &r, m, 0));
    EXPECT_NEAR(r.x, 0, 1e-12);
    EXPECT_NEAR(std::fabs(r.y), 1, 1e-12);
    CApiPoint p, q;
    p.x = 2;
    q.flag = 7;
    EXPECT_TRUE(ctrl_.WorldToView(&p, &q, m, 1));
    EXPECT_EQ(q.flag, 7);
    EXPECT_NEAR(std::fabs(q.y), 2, 1e-12);
    CApiLine a, b;
    EXPECT_EQ(ctrl_.Calc_Angle(&a, &b), 0.0);
}

TEST_F(ControllerTest, TheCViewIsCapturedWhenAGroupIsLoaded) {
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    recorder.ClearCalls();
    double m[4][4];
    ctrl_.GetCviewMatrix(m);
    EXPECT_EQ(recorder.CountOf("HostGetCView"), 1u);
    EXPECT_EQ(recorder.CountOf("HostInvertMatrix"), 0u);
    ctrl_.LoadAllSelectedSurfaces(0);
    EXPECT_EQ(
        recorder.CallsOf({"HostGetCView", "HostInvertMatrix", "HostDrawing", "HostUnselectAll"}),
        (std::vector<std::string>{"HostGetCView", "HostGetCView", "HostInvertMatrix", "HostDrawing",
                                  "HostUnselectAll"}));
    ctrl_.LoadAllSelectedSurfaces(0);  // loaded: no refresh
    EXPECT_EQ(recorder.CountOf("HostGetCView"), 2u);
}

}  // namespace

namespace {

// Flat squares over [0, 10] x [0, 10] (or beside it), each at its own height.
class ProjectionSearchTest : public ControllerTest {
protected:
    void AddSquares(const std::vector<std::pair<double, double>>& x0AndZ) {
        for (const auto& [x0, z] : x0AndZ)
            AddSurface(host_.ActiveDrawing(), FlatSquare(x0, z), true);
    }
    // Projects (x, 5, 100) straight down onto the current group; the hit's z or NaN.
    double ProjectDown(double x) {
        CApiPoint in, out;
        in.x = x;
        in.y = 5;
        in.z = 100;
        CApiVect normal;
        CApiView view;
        ctrl_.ViewFromVector(CApiVect{0, 0, 1}, &view);
        if (!ctrl_.ProjectPointOntoSelectionView(&in, &out, false, &normal, 0, false, &view))
            return std::nan("");
        return out.z;
    }
};

TEST_F(ProjectionSearchTest, TheSearchStartsWhereTheLastSuccessWasAndWraps) {
    // Four surfaces: the first two cover x 0..10, the third x 20..30, the fourth x 0..30.
    AddSquares({{0, 1}, {0, 2}, {20, 3}});
    host_.ActiveDrawing().Add(
        host::SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 4}, {30, 0, 4}, {0, 10, 4}, {30, 10, 4}}},
        5, 2);
    host_.ActiveDrawing().Find(host_.ActiveDrawing().First() + 3)->selected = true;
    Bind();
    ctrl_.SetSurfaceGroupId(0);
    EXPECT_EQ(ProjectDown(5), 1.0);   // from the first surface
    EXPECT_EQ(ProjectDown(25), 3.0);  // first, second miss; the third serves
    EXPECT_EQ(ProjectDown(5), 4.0);   // the third misses, the fourth serves before the first
    EXPECT_EQ(ProjectDown(5), 4.0);   // and stays the start
    EXPECT_TRUE(std::isnan(ProjectDown(50)));  // nothing under it
    EXPECT_EQ(ravelink::State().groups.cursors[0], 3);
}

TEST_F(ProjectionSearchTest, TheNormalFormOrientsTheHostsNormalAsAsked) {
    AddSquares({{0, 1}});
    Bind();
    ctrl_.SetSurfaceGroupId(2);
    CApiPoint in, out;
    in.x = 4;
    in.y = 5;
    in.z = 7;
    struct Case {
        int orient;
        double z;
    } cases[] = {{1, 1.0}, {-1, -1.0}, {0, -1.0}};
    for (const Case& c : cases) {
        CApiVect normal;
        // Side 1 of this grid faces down: the host's normal is (0, 0, -1).
        ASSERT_TRUE(
            ctrl_.ProjectPointOntoSelectionNormal(&in, &out, false, &normal, 1, false, c.orient));
        EXPECT_EQ(normal.z, c.z) << c.orient;
        EXPECT_EQ(out.z, 1.0);  // the foot point
        EXPECT_EQ(ctrl_.GetSurfaceGroupId(), 0);
    }
}

TEST_F(ProjectionSearchTest, OffsetsAppendToTheTargetGroupAndStayOutOfTheDrawing) {
    AddSquares({{0, 10}});
    Bind();
    EXPECT_EQ(ctrl_.OffsetSurfaceGroup(0, 1, 2.5, 0, false), 0);
    EXPECT_EQ(ctrl_.OffsetSurfaceGroup(0, 1, 2.5, 1, false), 0);
    EXPECT_EQ(ctrl_.GetSurfaceGroupCount(1), 2);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 1u);
    ctrl_.SetSurfaceGroupId(1);
    EXPECT_EQ(ProjectDown(5), 12.5);  // side 0 of this grid faces up
    EXPECT_EQ(ctrl_.OffsetSurfaceGroup(0, 2, 1.0, 0, true), 0);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);  // added to the drawing when asked
}

}  // namespace
