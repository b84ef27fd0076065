// Objects handed out by Get and New: copies owned by the caller, counted until freed, added back
// only when they are intact.
#include <cstring>

#include "HostFixture.h"

namespace host::testing {
namespace {

class ObjectOperationsTest : public HostFixture {
protected:
    HostHandle First() { return api_.HostFirstEntity(api_.HostDrawing()); }
    const Entity& OnlyEntity() {
        EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 1u);
        return *host_.ActiveDrawing().Find(host_.ActiveDrawing().First());
    }
};

TEST_F(ObjectOperationsTest, TableHasEveryOperation) {
    const auto* slots = reinterpret_cast<void* const*>(&api_);
    for (std::size_t i = 0; i < sizeof(HostApi) / sizeof(void*); ++i)
        EXPECT_NE(slots[i], nullptr) << "operation " << i << " is missing";
}

TEST_F(ObjectOperationsTest, GetHandsOutACopyCountedUntilFreed) {
    host_.ActiveDrawing().Add(LineGeometry{{1, 2, 3}, {4, 5, 6}}, 7, 9);
    HostLineObject* line = api_.HostGetLine(First());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Outstanding(), 1u);
    EXPECT_EQ(line->end, (HostVector3{4, 5, 6}));
    EXPECT_EQ(api_.HostObjectLayer(line), 9);
    line->start.x = 99;
    EXPECT_EQ(std::get<LineGeometry>(OnlyEntity().geometry).start.x, 1);
    api_.HostFree(line);
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ObjectOperationsTest, GetOfAnotherKindGivesNullAndHandsOutNothing) {
    host_.ActiveDrawing().Add(PointGeometry{{1, 2, 3}}, 7, 9);
    EXPECT_EQ(api_.HostGetLine(First()), nullptr);
    EXPECT_EQ(api_.HostGetSurface(First()), nullptr);
    EXPECT_EQ(api_.HostGetArc(HostHandle{}), nullptr);
    EXPECT_EQ(Outstanding(), 0u);
}

// Guards against a double free or a foreign pointer corrupting the host's memory.
TEST_F(ObjectOperationsTest, RepeatedAndForeignFreesAreRefusedAndCounted) {
    HostPointObject* point = api_.HostNewPoint();
    api_.HostFree(point);
    api_.HostFree(point);
    int local = 0;
    api_.HostFree(&local);
    api_.HostFree(nullptr);
    EXPECT_EQ(host_.Objects().RejectedFrees(), 2u);
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ObjectOperationsTest, NewObjectTakesTheCurrentColourAndLayerUntilSet) {
    api_.HostSetColor(14);
    api_.HostSetLayer(250);
    HostArcObject* arc = api_.HostNewArc();
    *arc = {{1, 1, 0}, {0, 0, 1}, {1, 0, 0}, 3.0, 2.0};
    EXPECT_EQ(api_.HostObjectLayer(arc), 250);
    api_.HostSetObjectLayer(arc, 251);
    api_.HostSetObjectColor(arc, 3);
    api_.HostSetObjectColor(arc, 300);  // out of range: ignored
    EXPECT_EQ(api_.HostAddArc(api_.HostDrawing(), arc), 0);
    api_.HostFree(arc);
    const Entity& e = OnlyEntity();
    EXPECT_EQ(e.color, 3);
    EXPECT_EQ(e.layer, 251);
    EXPECT_EQ(std::get<ArcGeometry>(e.geometry).radius, 2.0);
}

TEST_F(ObjectOperationsTest, AddOfAWrongDrawingOrForeignObjectIsRefused) {
    HostPointObject local;
    EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing(), &local), -1);
    HostPointObject* point = api_.HostNewPoint();
    EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing() + 1, point), -1);
    // A line object handed in as a point is refused, not misread.
    HostLineObject* line = api_.HostNewLine();
    EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing(), reinterpret_cast<HostPointObject*>(line)), -1);
    api_.HostFree(point);
    api_.HostFree(line);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

// Guards against the host reading past the points it gave out when a caller changes counts.
TEST_F(ObjectOperationsTest, SurfaceWithChangedCountsIsRefused) {
    host_.ActiveDrawing().Add(
        SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
        5, 1);
    HostSurfaceObject* surface = api_.HostGetSurface(First());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->rows, 2u);
    EXPECT_EQ(surface->form, kHostSurfacePointGrid);
    surface->rows = 1000;
    EXPECT_EQ(api_.HostAddSurface(api_.HostDrawing(), surface), -1);
    surface->rows = 2;
    surface->points[3].z = 7;
    EXPECT_EQ(api_.HostAddSurface(api_.HostDrawing(), surface), 0);
    api_.HostFree(surface);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
}

TEST_F(ObjectOperationsTest, NewSurfaceTakesFormOptionsRowsColumns) {
    HostSurfaceObject* surface = api_.HostNewSurface(kHostSurfacePointGrid, 0, 3, 4);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->rows, 3u);
    EXPECT_EQ(surface->columns, 4u);
    EXPECT_EQ(surface->points[11], (HostVector3{}));
    api_.HostSetSurfaceColor(surface, 12);
    EXPECT_EQ(host_.Objects().Find(surface)->color, 12);
    api_.HostFree(surface);
}

TEST_F(ObjectOperationsTest, NewSurfaceRefusesImpossibleShapes) {
    for (auto [rows, columns] : {std::pair{1u, 5u}, {5u, 0u}, {0x10000u, 0x10000u}})
        EXPECT_EQ(api_.HostNewSurface(kHostSurfacePointGrid, 0, rows, columns), nullptr);
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ObjectOperationsTest, NonFiniteGeometryIsRefused) {
    HostPointObject* point = api_.HostNewPoint();
    point->y = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(api_.HostAddPoint(api_.HostDrawing(), point), -1);
    api_.HostFree(point);
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 0u);
}

// Guards against a leaked text block: the text object owns the HostAlloc block it points to.
TEST_F(ObjectOperationsTest, TextIsCopiedWithItsFontAndItsBlockFreedWithIt) {
    HostTextObject* text = api_.HostNewText();
    text->length = 5;
    text->height = 0.13;
    text->matrix[0] = text->matrix[5] = text->matrix[10] = text->matrix[15] = 1.0;
    text->position = {1, 2, 3};
    text->text = static_cast<char*>(api_.HostAlloc(6));
    std::strcpy(text->text, "Hello");
    HostFontRecord font;
    std::strcpy(font.font.faceName, "Arial");
    font.font.height = -12;
    text->font = &font;
    EXPECT_EQ(Outstanding(), 2u);
    EXPECT_EQ(api_.HostAddText(api_.HostDrawing(), text), 0);
    std::strcpy(font.font.faceName, "Changed");  // the host must not keep the pointer
    text->font = nullptr;
    api_.HostFree(text);
    EXPECT_EQ(Outstanding(), 0u);
    const auto& g = std::get<TextGeometry>(OnlyEntity().geometry);
    EXPECT_EQ(g.text, "Hello");
    EXPECT_EQ(g.position, (HostVector3{1, 2, 3}));
    ASSERT_TRUE(g.font.has_value());
    EXPECT_STREQ(g.font->faceName, "Arial");
    EXPECT_EQ(g.font->height, -12);
}

TEST_F(ObjectOperationsTest, TextWithoutFontUsesTheDefaultAndATextOutsideABlockIsRefused) {
    HostTextObject* text = api_.HostNewText();
    char outside[] = "x";
    text->text = outside;
    text->length = 1;
    EXPECT_EQ(api_.HostAddText(api_.HostDrawing(), text), -1);
    text->text = nullptr;
    text->length = 0;
    EXPECT_EQ(api_.HostAddText(api_.HostDrawing(), text), 0);
    api_.HostFree(text);
    EXPECT_FALSE(std::get<TextGeometry>(OnlyEntity().geometry).font.has_value());
    EXPECT_EQ(Outstanding(), 0u);
}

TEST_F(ObjectOperationsTest, LayerRecordAddsANamedLayerAndKeepsAnExistingOne) {
    HostLayerObject* layer = api_.HostNewLayer();
    std::strcpy(layer->name, "Table Layout");
    api_.HostSetObjectLayer(layer, 251);
    EXPECT_EQ(api_.HostAddLayer(api_.HostDrawing(), layer), 0);
    std::strcpy(layer->name, "Other");
    EXPECT_EQ(api_.HostAddLayer(api_.HostDrawing(), layer), 0);
    api_.HostFree(layer);
    char name[60];
    EXPECT_EQ(api_.HostLayerName(251, name, sizeof name), 0);
    EXPECT_STREQ(name, "Table Layout");
}

// Guards against reading past a layer name that fills its buffer without a terminator.
TEST_F(ObjectOperationsTest, UnterminatedLayerNameIsCutAtItsBuffer) {
    HostLayerObject* layer = api_.HostNewLayer();
    std::memset(layer->name, 'a', sizeof layer->name);
    api_.HostSetObjectLayer(layer, 3);
    api_.HostAddLayer(api_.HostDrawing(), layer);
    api_.HostFree(layer);
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(3).name,
              std::string(kHostLayerObjectNameSize, 'a'));
}

TEST_F(ObjectOperationsTest, AllocGivesZeroedDistinctBlocks) {
    auto* a = static_cast<unsigned char*>(api_.HostAlloc(0));
    auto* b = static_cast<unsigned char*>(api_.HostAlloc(16));
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(b[15], 0);
    EXPECT_EQ(api_.HostAlloc(std::size_t(1) << 40), nullptr);
    api_.HostFree(a);
    api_.HostFree(b);
    EXPECT_EQ(Outstanding(), 0u);
}

// Guards against calls through a table whose host is gone touching freed memory.
TEST(UnboundTable, OperationsFailOnceTheHostIsGone) {
    HostApi api;
    {
        Host host;
        api = HostApiFor(host);
    }
    EXPECT_EQ(BoundHost(), nullptr);
    EXPECT_EQ(api.HostNewPoint(), nullptr);
    EXPECT_EQ(api.HostEntityValid(api.HostFirstEntity(1)), 0);
    EXPECT_EQ(api.HostFileNew(0, 0), -1);
}

}  // namespace
}  // namespace host::testing
