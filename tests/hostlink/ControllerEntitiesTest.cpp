// Entities, layers, listing, reading back, selection and moving the drawing.
#include <cstring>

#include "ControllerFixture.h"
#include "RecordingHostApi.h"

namespace {

using host::testing::RecordingHostApi;

std::vector<std::string> Texts(CLinkList& list) {
    std::vector<std::string> texts;
    for (void* block = list.GoFirst(); block != nullptr; block = list.GoNext())
        texts.emplace_back(static_cast<const char*>(block));
    return texts;
}

const host::Entity* Only(host::Drawing& drawing) {
    EXPECT_EQ(drawing.EntityCount(), 1u);
    return drawing.Find(drawing.First());
}

TEST_F(ControllerTest, CreatedEntitiesCarryTheirGeometryColourAndLayer) {
    Bind();
    CApiArc arc;
    arc.center.x = 1;
    arc.normal = CApiVect{0, 0, 5};  // normalised on the way
    arc.startDir = CApiVect{2, 0, 0};
    arc.sweep = 6.283185307179586;
    arc.radius = 25;
    ctrl_.CreateArc(arc, 252, 10);
    const host::Entity* entity = Only(host_.ActiveDrawing());
    EXPECT_EQ(entity->layer, 252);
    EXPECT_EQ(entity->color, 10);
    const auto& geometry = std::get<host::ArcGeometry>(entity->geometry);
    EXPECT_EQ(geometry.axis, (HostVector3{0, 0, 1}));
    EXPECT_EQ(geometry.startDir, (HostVector3{1, 0, 0}));
    EXPECT_EQ(geometry.radius, 25);
    EXPECT_EQ(arc.normal.z, 5);  // the caller's arc is not changed

    host_.ActiveDrawing().Clear();
    CApiPoint a, b;
    b.x = 3;
    b.z = 4;
    ctrl_.CreateLine(a, b, -1, 11);
    const auto& line = std::get<host::LineGeometry>(Only(host_.ActiveDrawing())->geometry);
    EXPECT_EQ(line.end, (HostVector3{3, 0, 4}));
}

TEST_F(ControllerTest, TextGetsTheFontOnlyWhenOneIsSet) {
    Bind();
    CApiPoint at;
    at.x = 10;
    char text[] = "S01";
    ctrl_.CreateText(text, &at, 1, 3);
    auto* geometry = &std::get<host::TextGeometry>(Only(host_.ActiveDrawing())->geometry);
    EXPECT_EQ(geometry->text, "S01");
    EXPECT_EQ(geometry->height, 0.13);
    EXPECT_FALSE(geometry->font.has_value());

    LOGFONTA font{};
    font.weight = 700;
    ctrl_.SetupFont(&font);
    host_.ActiveDrawing().Clear();
    ctrl_.CreateText(text, &at, 2.5, 1, 3);
    geometry = &std::get<host::TextGeometry>(Only(host_.ActiveDrawing())->geometry);
    ASSERT_TRUE(geometry->font.has_value());
    EXPECT_EQ(geometry->font->weight, 700);
    EXPECT_EQ(geometry->height, 2.5);
}

TEST_F(ControllerTest, CreateLayerKeepsAnExistingLayerAndCutsLongNames) {
    Bind();
    ctrl_.CreateLayer(251, "Table Layout");
    ctrl_.CreateLayer(251, "Another Name");
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(251).name, "Table Layout");
    ctrl_.CreateLayer(260, "0123456789012345678901234567890123456789");
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(260).name, "01234567890123456789012345678");
}

TEST_F(ControllerTest, LayerListFormatsAndShowLayerReachesEveryListedLayer) {
    host_.ActiveDrawing().SetLayer(0, {"", true});
    host_.ActiveDrawing().SetLayer(1, {"Part", true});
    host_.ActiveDrawing().SetLayer(252, {"End Deflector Heights", true});
    Bind();
    CLinkList list;
    ctrl_.GetLayerList(&list);
    std::vector<std::string> texts = Texts(list);
    // Layer 0 has no name, so the list starts with the first other layer; every entry after
    // the first one a layer 0 with a name would give ends with a blank.
    EXPECT_EQ(texts, (std::vector<std::string>{"001 Part ", "252 End Deflector Heights "}));
    host_.ActiveDrawing().SetLayer(0, {"Base", true});
    CLinkList named;
    ctrl_.GetLayerList(&named);
    EXPECT_EQ(Texts(named).front(), "000 Base");

    ctrl_.ShowLayer(0, -1);
    for (const auto& [number, layer] : host_.ActiveDrawing().Layers())
        EXPECT_FALSE(layer.visible) << number;
    ctrl_.ShowLayer(1, 252);
    EXPECT_TRUE(host_.ActiveDrawing().Layers().at(252).visible);
    EXPECT_FALSE(host_.ActiveDrawing().Layers().at(1).visible);
}

TEST_F(ControllerTest, DeleteElementsOnLayerRemovesPointsAndArcsOnly) {
    host::Drawing& drawing = host_.ActiveDrawing();
    drawing.Add(host::PointGeometry{{1, 1, 1}}, 1, 250);
    drawing.Add(host::ArcGeometry{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 1.0, 2.0}, 1, 250);
    drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 0, 0}}, 1, 250);
    drawing.Add(host::PointGeometry{{1, 1, 1}}, 1, 249);
    Bind();
    EXPECT_EQ(ctrl_.DeleteElementsOnLayer(250), 0);
    std::vector<std::pair<HostKind, int>> left;
    drawing.ForEach(
        [&](const host::Entity& e) { left.emplace_back(host::KindOf(e.geometry), e.layer); });
    EXPECT_EQ(left, (std::vector<std::pair<HostKind, int>>{{HostKind::Line, 250},
                                                           {HostKind::Point, 249}}));
}

TEST_F(ControllerTest, LayerLinesAndTheFirstArcAreReadBack) {
    host::Drawing& drawing = host_.ActiveDrawing();
    drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 2, 3}}, 1, 251);
    drawing.Add(host::LineGeometry{{5, 5, 5}, {6, 6, 6}}, 1, 7);
    Bind();
    CApiLine line;
    line.start.flag = 9;
    CLinkList list;
    EXPECT_FALSE(ctrl_.GetLayerLines(&line, &list, 300));
    EXPECT_TRUE(ctrl_.GetLayerLines(&line, &list, 251));
    ASSERT_EQ(list.BlockCount(), 1);
    const auto* stored = static_cast<const CApiLine*>(list.GoFirst());
    EXPECT_EQ(stored->end.z, 3);
    EXPECT_EQ(stored->start.flag, 9);  // flags are left as they were

    CApiArc arc;
    EXPECT_EQ(ctrl_.GetArc(&arc), 0);
    drawing.Add(host::ArcGeometry{{7, 8, 9}, {0, 0, 1}, {0, 1, 0}, 3.0, 12.5}, 1, 1);
    EXPECT_EQ(ctrl_.GetArc(&arc), 1);
    EXPECT_EQ(arc.center.y, 8);
    EXPECT_EQ(arc.radius, 12.5);
    EXPECT_EQ(arc.startDir.y, 1);
}

TEST_F(ControllerTest, SelectionAndPickedLocationsComeFromTheUser) {
    auto& answers = host_.SetInteraction(std::make_unique<host::QueuedInteraction>());
    host_.ActiveDrawing().Add(host::ArcGeometry{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.28, 5}, 1, 1);
    Bind();
    answers.QueueCancel();
    EXPECT_FALSE(ctrl_.Select(128));
    EXPECT_LT(ctrl_.selectResult, 0);
    answers.QueueSelection({{5, 0, 0}});
    EXPECT_TRUE(ctrl_.Select(128));  // mode 128 admits arcs
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 1u);
    ctrl_.UnSelect();
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 0u);

    answers.QueueLocation({1.5, 2.5, 3.5});
    CApiPoint picked;
    char prompt[] = "Pick a location";
    EXPECT_EQ(ctrl_.GetLocation(prompt, &picked), 0);
    EXPECT_EQ(picked.y, 2.5);
}

// Guards against reading the drawing's first arc after the user selected another one: a pick
// of the second of two circles would silently give the first.
TEST_F(ControllerTest, TheSelectedArcIsReadBeforeTheFirstOne) {
    auto& answers = host_.SetInteraction(std::make_unique<host::QueuedInteraction>());
    for (const double x : {0.0, 100.0, 200.0})
        host_.ActiveDrawing().Add(host::ArcGeometry{{x, 0, 0}, {0, 0, 1}, {1, 0, 0}, 6.28, 5}, 1,
                                  1);
    Bind();
    CApiArc arc;
    answers.QueueSelection({{205, 0, 0}});
    ASSERT_TRUE(ctrl_.Select(128));
    EXPECT_EQ(ctrl_.GetArc(&arc), 1);
    EXPECT_EQ(arc.center.x, 200);
    ctrl_.UnSelect();
    EXPECT_EQ(ctrl_.GetArc(&arc), 1);
    EXPECT_EQ(arc.center.x, 0);
}

TEST_F(ControllerTest, TranslateMovesEverythingBelowLayer250Once) {
    host::Drawing& drawing = host_.ActiveDrawing();
    drawing.Add(host::PointGeometry{{1, 1, 1}}, 1, 249);
    drawing.Add(host::PointGeometry{{1, 1, 1}}, 1, 250);
    drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 0, 0}}, 1, 3);
    drawing.Add(
        host::SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
        1, 3);
    Bind();
    CApiPoint from, to;
    to.x = 10;
    to.z = -1;
    EXPECT_EQ(ctrl_.Translate2Pnts(from, to, false), 0);
    std::vector<HostVector3> firstPoints;
    drawing.ForEach([&](const host::Entity& e) {
        std::visit(
            [&](const auto& g) {
                using G = std::decay_t<decltype(g)>;
                if constexpr (std::is_same_v<G, host::PointGeometry>) firstPoints.push_back(g.at);
                if constexpr (std::is_same_v<G, host::LineGeometry>) firstPoints.push_back(g.start);
                if constexpr (std::is_same_v<G, host::SurfaceGeometry>)
                    firstPoints.push_back(g.points[3]);
            },
            e.geometry);
        (void)e;
    });
    EXPECT_EQ(firstPoints,
              (std::vector<HostVector3>{{11, 1, 0}, {1, 1, 1}, {10, 0, -1}, {11, 1, -1}}));
}

}  // namespace
