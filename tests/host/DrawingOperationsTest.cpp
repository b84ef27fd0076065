// Operations on the drawing's settings: colour and layer, layer names and order, views, display.
#include <cstring>

#include "HostFixture.h"

namespace host::testing {
namespace {

class DrawingOperationsTest : public HostFixture {};

TEST_F(DrawingOperationsTest, CurrentColourAndLayerRefuseNumbersOutOfRange) {
    api_.HostSetColor(14);
    api_.HostSetLayer(252);
    api_.HostSetColor(-1);
    api_.HostSetColor(256);
    api_.HostSetLayer(1000);
    EXPECT_EQ(api_.HostCurrentColor(), 14);
    EXPECT_EQ(api_.HostCurrentLayer(), 252);
    api_.HostRestoreColor(10);
    EXPECT_EQ(api_.HostCurrentColor(), 10);
}

TEST_F(DrawingOperationsTest, LayersAreListedInNumberOrderWithTheirNames) {
    host_.ActiveDrawing().SetLayer(7, {"Seven", true});
    host_.ActiveDrawing().SetLayer(0, {"", true});
    host_.ActiveDrawing().SetLayer(251, {"Table Layout", true});
    std::vector<int> order;
    for (int n = api_.HostNextLayer(0); n >= 0; n = api_.HostNextLayer(n)) order.push_back(n);
    EXPECT_EQ(order, (std::vector<int>{7, 251}));
    char name[60];
    EXPECT_NE(api_.HostLayerName(0, name, sizeof name), 0);  // layer 0 has no name
    EXPECT_EQ(api_.HostLayerName(251, name, sizeof name), 0);
    EXPECT_STREQ(name, "Table Layout");
    EXPECT_EQ(api_.HostLayerExists(8), 0);
}

// Guards against writing past a short buffer.
TEST_F(DrawingOperationsTest, LayerNameIsCutToTheBuffer) {
    host_.ActiveDrawing().SetLayer(5, {"Fifteen letters", true});
    char name[6] = "xxxxx";
    EXPECT_EQ(api_.HostLayerName(5, name, 4), 0);
    EXPECT_STREQ(name, "Fif");
    EXPECT_EQ(api_.HostLayerName(5, name, 0), -1);
    EXPECT_EQ(api_.HostLayerName(5, nullptr, 10), -1);
}

TEST_F(DrawingOperationsTest, ShowLayerChangesOnlyAnExistingLayer) {
    host_.ActiveDrawing().SetLayer(7, {"Seven", true});
    EXPECT_EQ(api_.HostShowLayer(7, 0), 0);
    EXPECT_FALSE(host_.ActiveDrawing().Layers().at(7).visible);
    EXPECT_EQ(api_.HostShowLayer(8, 1), -1);
    EXPECT_FALSE(host_.ActiveDrawing().HasLayer(8));
}

TEST_F(DrawingOperationsTest, SetEntityLayerMovesTheEntity) {
    host_.ActiveDrawing().Add(PointGeometry{}, 1, 1);
    const HostHandle h = api_.HostFirstEntity(api_.HostDrawing());
    EXPECT_EQ(api_.HostSetEntityLayer(h, 300), 0);
    EXPECT_EQ(host_.ActiveDrawing().Find(h.high)->layer, 300);
    EXPECT_EQ(api_.HostSetEntityLayer(h, -1), -1);
    EXPECT_EQ(api_.HostSetEntityLayer(HostHandle{}, 3), -1);
}

TEST_F(DrawingOperationsTest, ViewListHoldsCountNumbersAndATerminator) {
    std::uint16_t buffer[16];
    std::memset(buffer, 0xff, sizeof buffer);
    EXPECT_EQ(api_.HostListViews(buffer, 16), 7);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(buffer[7], 7);
    EXPECT_EQ(buffer[8], 0);
}

// Guards against the view list overrunning a buffer smaller than the list.
TEST_F(DrawingOperationsTest, ViewListStopsAtTheBufferSize) {
    std::uint16_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(api_.HostListViews(buffer, 4), 2);
    EXPECT_EQ(buffer[3], 0);
    EXPECT_EQ(api_.HostListViews(buffer, 1), -1);
}

TEST_F(DrawingOperationsTest, ViewRecordCarriesNameNumberAndMatrix) {
    HostViewRecord record;
    std::memset(&record, 0x55, sizeof record);
    ASSERT_EQ(api_.HostGetView(&record, 2), 0);
    EXPECT_STREQ(record.name, "Front");
    EXPECT_EQ(record.number, 2);
    const double depthY = record.matrix[6];  // row 1, column 2: the depth axis's y
    EXPECT_EQ(depthY, -1.0);
    EXPECT_EQ(record.reserved[7], 0);
    EXPECT_EQ(api_.HostGetView(&record, 99), -1);
}

TEST_F(DrawingOperationsTest, ConstructionViewFollowsSetCView) {
    EXPECT_EQ(api_.HostSetCView(3), 0);
    EXPECT_EQ(api_.HostSetCView(99), -1);
    HostViewRecord record;
    ASSERT_EQ(api_.HostGetCView(&record), 0);
    EXPECT_EQ(record.number, 3);
    EXPECT_EQ(api_.HostSetView(7), 0);
    EXPECT_EQ(host_.ActiveDrawing().CurrentView(), 7);
}

TEST_F(DrawingOperationsTest, ZoomFitTakesTheShownLayersAndOnlyAZeroedRequest) {
    host_.ActiveDrawing().Add(LineGeometry{{-1, 0, 0}, {2, 3, 0}}, 1, 1);
    host_.ActiveDrawing().Add(PointGeometry{{50, 50, 50}}, 1, 2);
    host_.ActiveDrawing().ShowLayer(2, false);
    unsigned char block[kHostZoomBlockSize] = {};
    EXPECT_EQ(api_.HostZoomFit(block), 0);
    ASSERT_TRUE(host_.Zoom().has_value());
    EXPECT_EQ(host_.Zoom()->low, (HostVector3{-1, 0, 0}));
    EXPECT_EQ(host_.Zoom()->high, (HostVector3{2, 3, 0}));
    block[63] = 1;
    EXPECT_EQ(api_.HostZoomFit(block), -1);
}

TEST_F(DrawingOperationsTest, FileTypeKnowsOnlyDrawingFiles) {
    for (const char* extension : {"scprt", ".scprt", "SCPRT"})
        EXPECT_EQ(api_.HostFileType(extension), kHostDrawingFileType) << extension;
    for (const char* extension : {"", "dxf", "scprtx"})
        EXPECT_LT(api_.HostFileType(extension), 0) << extension;
    EXPECT_LT(api_.HostFileType(nullptr), 0);
}

}  // namespace
}  // namespace host::testing
