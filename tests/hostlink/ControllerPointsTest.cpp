// The controller's point loaders: point lists and cloud grids filled from the drawing.
#include <tuple>
#include <vector>

#include "ControllerFixture.h"
#include "hostlink/CloudGrid.h"
#include "hostlink/PointList.h"

namespace {

using host::testing::RecordingHostApi;

// (flag, x, y, z) of every point, in order.
using PointRow = std::tuple<int, double, double, double>;
std::vector<PointRow> RowsOf(CApiPointLst& list) {
    std::vector<PointRow> rows;
    for (CApiPoint* p = list.GetFirst(); p != nullptr; p = list.GetNext())
        rows.emplace_back(p->flag, p->x, p->y, p->z);
    return rows;
}

// A point, a polyline, a selected point on another layer and a line, in that order.
void DrawMixedEntities(host::Drawing& drawing) {
    drawing.Add(host::PointGeometry{{1, 2, 3}}, 5, 2);
    drawing.Add(host::PolylineGeometry{{{10, 0, 0}, {11, 1, 0}, {12, 0, 1}}}, 5, 2);
    const std::uint32_t selected = drawing.Add(host::PointGeometry{{-4, 5.5, -6}}, 7, 300);
    drawing.Find(selected)->selected = true;
    drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 1, 1}}, 5, 2);
}

TEST_F(ControllerTest, LoadPointListTakesEveryPointEntityAndNothingElse) {
    DrawMixedEntities(host_.ActiveDrawing());
    Bind();
    CApiPointLst list;
    CApiPoint earlier{9, 100, 100, 100};
    list.Add(&earlier);
    EXPECT_TRUE(ctrl_.LoadPointList(&list));
    // Appended after what the list held, flag 0, in the host's order, selected or not.
    EXPECT_EQ(RowsOf(list),
              (std::vector<PointRow>{{9, 100, 100, 100}, {0, 1, 2, 3}, {0, -4, 5.5, -6}}));
    CApiPoint low, high;
    list.Get_MinMaxPoints(&low, &high);
    EXPECT_EQ(low.x, -4);
    EXPECT_EQ(high.z, 100);
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 1u);  // loading leaves the selection alone
}

TEST_F(ControllerTest, LoadCloudGridTakesPointsAndPolylineVerticesWithTheirFlags) {
    DrawMixedEntities(host_.ActiveDrawing());
    Bind();
    CApiCloudGrid grid;
    CApiPoint low{0, 0, 0, 0}, high{0, 10, 10, 0};
    ASSERT_TRUE(grid.SetupGrid(2, 2, &low, &high));
    EXPECT_TRUE(ctrl_.LoadCloudGrid(&grid));
    EXPECT_EQ(RowsOf(grid.points),
              (std::vector<PointRow>{
                  {0, 1, 2, 3}, {2, 10, 0, 0}, {3, 11, 1, 0}, {3, 12, 0, 1}, {0, -4, 5.5, -6}}));
    // The new points make the grid stale: it has to be set up again.
    EXPECT_EQ(grid.columns, -1);
    EXPECT_EQ(grid.rows, -1);
}

TEST_F(ControllerTest, LoadersRefreshTheCViewAndReleaseEveryCopy) {
    host_.ActiveDrawing().Add(host::PointGeometry{{1, 2, 3}}, 5, 2);
    host_.ActiveDrawing().Add(host::PolylineGeometry{{{0, 0, 0}, {1, 0, 0}}}, 5, 2);
    host_.ActiveDrawing().SetConstructionView(2);
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    recorder.ClearCalls();
    CApiPointLst list;
    ctrl_.LoadPointList(&list);
    EXPECT_EQ(
        recorder.CallsOf(
            {"HostDrawing", "HostGetCView", "HostGetPoint", "HostGetPolyline", "HostFree"}),
        (std::vector<std::string>{"HostDrawing", "HostGetCView", "HostGetPoint", "HostFree"}));
    EXPECT_EQ(ravelink::State().cview.number, 2);
    CApiCloudGrid grid;
    recorder.ClearCalls();
    ctrl_.LoadCloudGrid(&grid);
    EXPECT_EQ(recorder.CountOf("HostGetPolyline"), 1u);
    EXPECT_EQ(recorder.CountOf("HostFree"), 2u);
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ControllerTest, LoadersOverAnEmptyDrawingOrWithoutATargetAddNothing) {
    RecordingHostApi& recorder = Recorder();
    Bind(recorder.api());
    CApiPointLst list;
    CApiCloudGrid grid;
    EXPECT_TRUE(ctrl_.LoadPointList(&list));
    EXPECT_TRUE(ctrl_.LoadCloudGrid(&grid));
    EXPECT_EQ(list.Get_Count(), 0);
    EXPECT_EQ(grid.points.Get_Count(), 0);
    // Regression: a null list or grid was written through.
    host_.ActiveDrawing().Add(host::PointGeometry{{1, 2, 3}}, 5, 2);
    recorder.ClearCalls();
    EXPECT_TRUE(ctrl_.LoadPointList(nullptr));
    EXPECT_TRUE(ctrl_.LoadCloudGrid(nullptr));
    EXPECT_TRUE(recorder.Calls().empty());
}

}  // namespace
