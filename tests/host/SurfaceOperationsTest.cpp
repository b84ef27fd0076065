// Projection, normals and offsets through the operations table, on the real host and geometry:
// results, refusals, the geometry built once per surface object, nothing leaked.
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "HostFixture.h"

namespace host::testing {
namespace {

constexpr double kTolerance = 0.0001;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A view whose depth axis is (0, 0.6, 0.8): x stays the world's x.
constexpr std::array<double, 16> kTiltedView = {1, 0,    0,   0, 0, 0.8, 0.6, 0,
                                                0, -0.6, 0.8, 0, 0, 0,   0,   1};

class SurfaceOperationsTest : public HostFixture {
protected:
    void TearDown() override {
        EXPECT_EQ(Outstanding(), 0u) << "a test left surface objects unfreed";
        HostFixture::TearDown();
    }

    // A new surface object of rows x columns points from f(u, v), u along the columns.
    HostSurfaceObject* Sampled(int rows, int columns,
                               const std::function<HostVector3(double, double)>& f) {
        HostSurfaceObject* s = api_.HostNewSurface(kHostSurfacePointGrid, 0, rows, columns);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                s->points[r * columns + c] = f(c / (columns - 1.0), r / (rows - 1.0));
        return s;
    }
    // The plane z = h + x tan(degrees) over [-50, 50] x [-50, 50]; side 0 faces up.
    HostSurfaceObject* Plane(double h, double degrees = 0) {
        const double slope = std::tan(degrees * std::numbers::pi / 180);
        return Sampled(11, 11, [=](double u, double v) {
            const double x = -50 + 100 * u;
            return HostVector3{x, -50 + 100 * v, h + slope * x};
        });
    }
    // A sphere of radius 10 about (1, 2, 3): longitude along u, latitude along v from the south
    // pole; side 0 faces outwards.
    HostSurfaceObject* Sphere() {
        return Sampled(49, 97, [](double u, double v) {
            const double lon = 2 * std::numbers::pi * u;
            const double lat = std::numbers::pi * (v - 0.5);
            return HostVector3{1 + 10 * std::cos(lat) * std::cos(lon),
                               2 + 10 * std::cos(lat) * std::sin(lon), 3 + 10 * std::sin(lat)};
        });
    }
    HostViewRecord View(int number) {
        HostViewRecord record{};
        EXPECT_EQ(api_.HostGetView(&record, number), 0);
        return record;
    }
    static HostViewRecord ViewOf(const std::array<double, 16>& matrix) {
        HostViewRecord record{};
        std::memcpy(record.matrix, matrix.data(), sizeof record.matrix);
        return record;
    }
    // The projected point, or none after checking that a miss says status 1.
    std::optional<HostVector3> Project(const HostSurfaceObject* s, HostVector3 p,
                                       const HostViewRecord* view, double tolerance = kTolerance) {
        HostVector3 out{-1, -1, -1};
        int status = 7;
        const int result = api_.HostProjectPoint(s, &p, view, tolerance, &out, &status);
        if (result == 0 && status == 0) return out;
        EXPECT_EQ(result, -1);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(out, (HostVector3{-1, -1, -1})) << "a miss must leave the result alone";
        return std::nullopt;
    }
};

void ExpectNear(HostVector3 a, HostVector3 b, double within) {
    EXPECT_NEAR(a.x, b.x, within);
    EXPECT_NEAR(a.y, b.y, within);
    EXPECT_NEAR(a.z, b.z, within);
}

TEST_F(SurfaceOperationsTest, ProjectsOntoAPlaneAlongViewsAndToTheNearestPoint) {
    HostSurfaceObject* plane = Plane(5);
    const HostViewRecord top = View(1);
    const HostViewRecord front = View(2);  // depth axis along the plane
    const HostViewRecord tilted = ViewOf(kTiltedView);
    const HostViewRecord singular = ViewOf({});  // no depth axis at all
    struct Case {
        const char* name;
        const HostViewRecord* view;
        HostVector3 from;
        std::optional<HostVector3> expected;  // none: a miss
    };
    for (const Case& c : {
             Case{"top view from above", &top, {3, 4, 20}, HostVector3{3, 4, 5}},
             Case{"top view from below: the line runs both ways",
                  &top,
                  {3, 4, -7},
                  HostVector3{3, 4, 5}},
             Case{"depth axis of a tilted view", &tilted, {0, 0, 13}, HostVector3{0, -6, 5}},
             Case{"no view: the nearest point", nullptr, {3, 4, 20}, HostVector3{3, 4, 5}},
             Case{"no view, beside the plane: its border",
                  nullptr,
                  {60, 0, 5},
                  HostVector3{50, 0, 5}},
             Case{"top view beside the plane", &top, {60, 0, 20}, std::nullopt},
             Case{"depth axis along the plane", &front, {0, 0, 20}, std::nullopt},
             Case{"a view without depth axis", &singular, {0, 0, 20}, std::nullopt},
         }) {
        const std::optional<HostVector3> hit = Project(plane, c.from, c.view);
        ASSERT_EQ(hit.has_value(), c.expected.has_value()) << c.name;
        if (hit) ExpectNear(*hit, *c.expected, 1e-9);
    }
    HostVector3 p{3, 4, 20};
    HostVector3 out;
    HostUV uv;
    ASSERT_EQ(api_.HostProjectPointUV(plane, &p, &top, kTolerance, &out, &uv), 0);
    EXPECT_NEAR(uv.u, 0.53, 1e-12);
    EXPECT_NEAR(uv.v, 0.54, 1e-12);
    api_.HostFree(plane);
}

TEST_F(SurfaceOperationsTest, ProjectsOntoASphereAlongAViewAndWithout) {
    HostSurfaceObject* sphere = Sphere();
    const HostViewRecord top = View(1);
    // Chords of 3.75 degrees on radius 10 lie within 0.006 of the sphere.
    ExpectNear(*Project(sphere, {1, 2, 50}, &top), {1, 2, 13}, 0.01);
    ExpectNear(*Project(sphere, {1, 2, -50}, &top), {1, 2, -7}, 0.01);
    // Steep there: the height errs by the chords' sag over the normal's z.
    ExpectNear(*Project(sphere, {3, 5, 3.5}, &top), {3, 5, 3 + std::sqrt(100 - 4 - 9.0)}, 0.02);
    ExpectNear(*Project(sphere, {31, 2, 3}, nullptr), {11, 2, 3}, 0.01);
    ExpectNear(*Project(sphere, {1, -28, 3}, nullptr), {1, -8, 3}, 0.01);
    EXPECT_FALSE(Project(sphere, {12, 2, 50}, &top));
    api_.HostFree(sphere);
}

// Guards against the tolerance being replaced by a fixed one inside the host.
TEST_F(SurfaceOperationsTest, ToleranceDecidesAtTheBorderAndIsChecked) {
    HostSurfaceObject* plane = Plane(5);
    const HostViewRecord top = View(1);
    const HostVector3 justOutside{50.00005, 0, 20};
    ExpectNear(*Project(plane, justOutside, &top, 0.0001), {50, 0, 5}, 1e-9);
    EXPECT_FALSE(Project(plane, justOutside, &top, 0.00001));
    for (double refused : {-0.0001, kNaN, std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(Project(plane, {0, 0, 20}, &top, refused)) << refused;
    api_.HostFree(plane);
}

TEST_F(SurfaceOperationsTest, RefusesWhatIsNotAHandedOutSurfaceOrHasNowhereToAnswer) {
    HostSurfaceObject* plane = Plane(5);
    HostPointObject* point = api_.HostNewPoint();
    HostSurfaceObject foreign = *plane;
    const HostViewRecord top = View(1);
    HostVector3 p{0, 0, 20};
    HostVector3 out;
    HostUV uv;
    int status = 0;
    struct Case {
        const char* name;
        const HostSurfaceObject* surface;
        HostVector3* point;
        HostVector3* out;
        int* status;
        HostUV* uv;
    };
    for (const Case& c : {
             Case{"null surface", nullptr, &p, &out, &status, &uv},
             Case{"a copy the host never handed out", &foreign, &p, &out, &status, &uv},
             Case{"a point object", reinterpret_cast<HostSurfaceObject*>(point), &p, &out, &status,
                  &uv},
             Case{"no point", plane, nullptr, &out, &status, &uv},
             Case{"no result", plane, &p, nullptr, &status, &uv},
             Case{"no status or (u, v)", plane, &p, &out, nullptr, nullptr},
         }) {
        status = 0;
        EXPECT_EQ(api_.HostProjectPoint(c.surface, c.point, &top, kTolerance, c.out, c.status), -1)
            << c.name;
        if (c.status) {
            EXPECT_EQ(status, 1) << c.name;
        }
        EXPECT_EQ(api_.HostProjectPointUV(c.surface, c.point, &top, kTolerance, c.out, c.uv), -1)
            << c.name;
    }
    HostVector3 notANumber{kNaN, 0, 0};
    EXPECT_EQ(api_.HostProjectPointUV(plane, &notANumber, nullptr, kTolerance, &out, &uv), -1);
    api_.HostFree(point);
    api_.HostFree(plane);
}

TEST_F(SurfaceOperationsTest, NormalSidesAreOpposite) {
    HostSurfaceObject* plane = Plane(5);
    HostSurfaceObject* sphere = Sphere();
    struct Case {
        HostSurfaceObject* surface;
        HostVector3 from;
        HostVector3 outwards;
    };
    const double half = std::sqrt(0.5);
    for (const Case& c : {Case{plane, {3, 4, 20}, {0, 0, 1}}, Case{sphere, {31, 2, 3}, {1, 0, 0}},
                          Case{sphere, {1, 22, 23}, {0, half, half}},
                          Case{sphere, {1, 2, 30}, {0, 0, 1}} /* the pole */}) {
        HostVector3 foot;
        HostUV uv;
        ASSERT_EQ(api_.HostProjectPointUV(c.surface, &c.from, nullptr, kTolerance, &foot, &uv), 0);
        HostVector3 side0;
        HostVector3 side1;
        ASSERT_EQ(api_.HostSurfaceNormal(c.surface, 0, &uv, &side0), 0);
        ASSERT_EQ(api_.HostSurfaceNormal(c.surface, 1, &uv, &side1), 0);
        // A patch's normal leans from the radius by up to half a grid step (1.9 degrees) along
        // each of the two directions.
        EXPECT_GT(side0.x * c.outwards.x + side0.y * c.outwards.y + side0.z * c.outwards.z,
                  std::cos(3 * std::numbers::pi / 180));
        ExpectNear(side1, {-side0.x, -side0.y, -side0.z}, 0);
    }
    HostVector3 n{7, 7, 7};
    const HostUV outside{1.5, 0};
    const HostUV middle{0.5, 0.5};
    EXPECT_EQ(api_.HostSurfaceNormal(plane, 0, &outside, &n), -1);
    EXPECT_EQ(api_.HostSurfaceNormal(plane, 2, &middle, &n), -1);
    EXPECT_EQ(api_.HostSurfaceNormal(plane, 0, nullptr, &n), -1);
    EXPECT_EQ(api_.HostSurfaceNormal(plane, 0, &middle, nullptr), -1);
    EXPECT_EQ(n, (HostVector3{7, 7, 7}));
    api_.HostFree(sphere);
    api_.HostFree(plane);
}

TEST_F(SurfaceOperationsTest, OffsetOfAPlaneIsExactOnEitherSide) {
    HostSurfaceObject* plane = Plane(5, 30);
    const double angle = std::numbers::pi / 6;
    const HostVector3 up{-std::sin(angle), 0, std::cos(angle)};
    for (int side : {0, 1}) {
        const double along = side == 0 ? 2.5 : -2.5;
        // Made as the link library makes it: from the source's words, third and fourth first.
        HostSurfaceObject* offset =
            api_.HostNewSurface(plane->form, plane->options, plane->rows, plane->columns);
        ASSERT_EQ(api_.HostOffsetSurface(plane, 2.5, side, 1, &offset), 0);
        for (std::uint32_t i = 0; i < plane->rows * plane->columns; ++i) {
            const HostVector3 p = plane->points[i];
            ExpectNear(offset->points[i], {p.x + along * up.x, p.y, p.z + along * up.z}, 1e-12);
        }
        // The offset is a surface like any other: projection sees the moved plane.
        const HostViewRecord top = View(1);
        ExpectNear(*Project(offset, {0, 0, 100}, &top), {0, 0, 5 + along / std::cos(angle)}, 1e-9);
        api_.HostFree(offset);
    }
    api_.HostFree(plane);
}

TEST_F(SurfaceOperationsTest, OffsetRefusesAndLeavesTheTargetAlone) {
    HostSurfaceObject* plane = Plane(5);
    HostSurfaceObject* target = api_.HostNewSurface(kHostSurfacePointGrid, 0, 11, 11);
    HostSurfaceObject* smaller = api_.HostNewSurface(kHostSurfacePointGrid, 0, 3, 3);
    HostSurfaceObject foreign = *target;
    HostSurfaceObject* foreignPointer = &foreign;
    HostSurfaceObject* none = nullptr;
    struct Case {
        const char* name;
        double distance;
        int side;
        int mode;
        HostSurfaceObject** out;
    };
    for (const Case& c : {
             Case{"mode other than 1", 1, 0, 2, &target},
             Case{"side other than 0 and 1", 1, 2, 1, &target},
             Case{"distance not a number", kNaN, 0, 1, &target},
             Case{"no place for the result", 1, 0, 1, nullptr},
             Case{"no surface to fill", 1, 0, 1, &none},
             Case{"a surface of another shape", 1, 0, 1, &smaller},
             Case{"a surface the host never handed out", 1, 0, 1, &foreignPointer},
         }) {
        EXPECT_NE(api_.HostOffsetSurface(plane, c.distance, c.side, c.mode, c.out), 0) << c.name;
    }
    for (std::uint32_t i = 0; i < 121; ++i) ASSERT_EQ(target->points[i], HostVector3{}) << i;
    EXPECT_EQ(none, nullptr);
    api_.HostFree(smaller);
    api_.HostFree(target);
    api_.HostFree(plane);
}

// The offset's grid is built once, by the offset: its first query does not build it again, and an
// edit in place afterwards is still seen.
TEST_F(SurfaceOperationsTest, OffsetKeepsTheGeometryItBuilt) {
    HostSurfaceObject* plane = Plane(5);
    HostSurfaceObject* offset = api_.HostNewSurface(kHostSurfacePointGrid, 0, 11, 11);
    const HostViewRecord top = View(1);
    ExpectNear(*Project(plane, {1, 1, 0}, &top), {1, 1, 5}, 1e-9);
    const std::size_t builds = host_.SurfaceBuilds();
    ASSERT_EQ(api_.HostOffsetSurface(plane, 2, 0, 1, &offset), 0);
    ExpectNear(*Project(offset, {1, 1, 0}, &top), {1, 1, 7}, 1e-9);
    EXPECT_EQ(host_.SurfaceBuilds(), builds + 1);
    for (std::uint32_t i = 0; i < 121; ++i) offset->points[i].z += 1;
    ExpectNear(*Project(offset, {1, 1, 0}, &top), {1, 1, 8}, 1e-9);
    api_.HostFree(offset);
    api_.HostFree(plane);
}

// Guards against a surface offset into itself reading points it has already moved, and against
// the projection then answering from the geometry built before the move.
TEST_F(SurfaceOperationsTest, OffsetIntoTheSourceItselfMovesIt) {
    HostSurfaceObject* plane = Plane(5);
    const HostViewRecord top = View(1);
    ExpectNear(*Project(plane, {1, 1, 0}, &top), {1, 1, 5}, 1e-9);
    ASSERT_EQ(api_.HostOffsetSurface(plane, 3, 0, 1, &plane), 0);
    for (std::uint32_t i = 0; i < 121; ++i) EXPECT_EQ(plane->points[i].z, 8) << i;
    ExpectNear(*Project(plane, {1, 1, 0}, &top), {1, 1, 8}, 1e-9);
    api_.HostFree(plane);
}

// Guards against a degenerate surface crashing the geometry or being reported as a hit.
TEST_F(SurfaceOperationsTest, DegenerateSurfacesFailEveryOperation) {
    const HostViewRecord top = View(1);
    struct Case {
        const char* name;
        std::function<HostVector3(double, double)> f;
    };
    for (const Case& c : {
             Case{"left at the origin", [](double, double) { return HostVector3{}; }},
             Case{"all on one line",
                  [](double u, double v) {
                      return HostVector3{u + v, 0, 0};
                  }},
             Case{"a point not a number",
                  [](double u, double v) {
                      return HostVector3{u, v, u == 1 ? kNaN : 0};
                  }},
         }) {
        HostSurfaceObject* s = Sampled(3, 3, c.f);
        HostSurfaceObject* target = api_.HostNewSurface(kHostSurfacePointGrid, 0, 3, 3);
        const std::size_t builds = host_.SurfaceBuilds();
        HostVector3 p{0.5, 0.5, 1};
        HostVector3 out;
        HostUV uv{0.5, 0.5};
        int status = 0;
        EXPECT_EQ(api_.HostProjectPoint(s, &p, &top, kTolerance, &out, &status), -1) << c.name;
        EXPECT_EQ(status, 1) << c.name;
        EXPECT_EQ(api_.HostProjectPointUV(s, &p, nullptr, kTolerance, &out, &uv), -1) << c.name;
        EXPECT_EQ(api_.HostSurfaceNormal(s, 0, &uv, &out), -1) << c.name;
        EXPECT_NE(api_.HostOffsetSurface(s, 1, 0, 1, &target), 0) << c.name;
        EXPECT_EQ(host_.SurfaceBuilds(), builds + 1) << c.name << ": a refusal is kept as well";
        api_.HostFree(target);
        api_.HostFree(s);
    }
}

// Guards against building the acceleration structure on every call: the add-in projects
// thousands of points onto the same surface object.
TEST_F(SurfaceOperationsTest, GeometryIsBuiltOncePerSurfaceObject) {
    HostSurfaceObject* plane = Plane(5);
    const HostViewRecord top = View(1);
    const std::size_t builds = host_.SurfaceBuilds();
    for (int i = 0; i < 1000; ++i) {
        HostVector3 p{-40 + 0.08 * i, 3, 9};
        HostVector3 out;
        HostUV uv;
        int status = 1;
        ASSERT_EQ(api_.HostProjectPoint(plane, &p, &top, kTolerance, &out, &status), 0);
        ASSERT_EQ(api_.HostProjectPointUV(plane, &p, nullptr, kTolerance, &out, &uv), 0);
        ASSERT_EQ(api_.HostSurfaceNormal(plane, 0, &uv, &out), 0);
    }
    EXPECT_EQ(host_.SurfaceBuilds(), builds + 1);

    // Two copies of one drawing surface are two objects, each built on its own first query.
    const auto id = host_.ActiveDrawing().Add(
        SurfaceGeometry{
            2, 2, kHostSurfacePointGrid, 0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
        1, 1);
    HostSurfaceObject* first = api_.HostGetSurface({std::uint32_t(kDrawingNumber), id});
    HostSurfaceObject* second = api_.HostGetSurface({std::uint32_t(kDrawingNumber), id});
    for (HostSurfaceObject* copy : {first, second, first, second})
        ExpectNear(*Project(copy, {0.5, 0.5, 1}, &top), {0.5, 0.5, 0}, 1e-12);
    EXPECT_EQ(host_.SurfaceBuilds(), builds + 3);
    api_.HostFree(first);
    api_.HostFree(second);
    api_.HostFree(plane);
}

// Guards against the storage of a freed surface carrying its points, or its geometry, into the
// object that gets it next: a new surface starts at the origin, a copy holds its entity's points,
// and each is projected onto as it is then filled.
TEST_F(SurfaceOperationsTest, StorageOfFreedSurfacesIsUsedAgainWithoutItsPoints) {
    constexpr int kSide = 300;  // points enough for the host to keep the storage when freed
    ASSERT_GE(std::size_t(kSide) * kSide, ObjectLedger::kLargeObjectPoints);
    const HostViewRecord top = View(1);
    std::vector<HostVector3> drawn;
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) drawn.push_back({double(c), double(r), 0.01 * c});
    const auto id = host_.ActiveDrawing().Add(
        SurfaceGeometry{kSide, kSide, kHostSurfacePointGrid, 0, drawn}, 1, 1);
    const struct {
        const char* name;
        int side;
        bool copy;
    } cases[] = {
        {"a new surface of the same shape", kSide, false},
        {"a new surface of fewer points", kSide - 4, false},
        {"a copy of a drawing surface", kSide, true},
    };
    for (const auto& c : cases) {
        HostSurfaceObject* freed = Sampled(kSide, kSide, [](double u, double v) {
            return HostVector3{300 * u, 300 * v, 7};
        });
        ExpectNear(*Project(freed, {10, 10, 0}, &top), {10, 10, 7}, 1e-9);
        const HostVector3* storage = freed->points;
        api_.HostFree(freed);
        HostSurfaceObject* s = c.copy
                                   ? api_.HostGetSurface({std::uint32_t(kDrawingNumber), id})
                                   : api_.HostNewSurface(kHostSurfacePointGrid, 0, c.side, c.side);
        ASSERT_NE(s, nullptr) << c.name;
        EXPECT_EQ(s->points, storage) << c.name << ": the freed storage is used again";
        const std::size_t count = std::size_t(c.side) * c.side;
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(s->points[i], c.copy ? drawn[i] : HostVector3{}) << c.name << " " << i;
        for (std::size_t i = 0; i < count; ++i)
            s->points[i] = {double(i % c.side), double(i / c.side), 4};
        ExpectNear(*Project(s, {10, 10, 0}, &top), {10, 10, 4}, 1e-9);
        api_.HostFree(s);
    }
}

// Guards against a host holding on to the storage of every surface ever freed.
TEST_F(SurfaceOperationsTest, AFewFreedStoragesAreKept) {
    const int side = 300;
    std::vector<HostSurfaceObject*> surfaces;
    for (std::size_t i = 0; i < ObjectLedger::kKeptStorages + 2; ++i)
        surfaces.push_back(api_.HostNewSurface(kHostSurfacePointGrid, 0, side + int(i), side));
    for (HostSurfaceObject* s : surfaces) api_.HostFree(s);
    EXPECT_EQ(host_.Objects().KeptStorage(), ObjectLedger::kKeptStorages);
    // The largest are kept: a new surface of the largest shape gets its storage.
    HostSurfaceObject* largest = api_.HostNewSurface(
        kHostSurfacePointGrid, 0, side + int(ObjectLedger::kKeptStorages) + 1, side);
    EXPECT_EQ(host_.Objects().KeptStorage(), ObjectLedger::kKeptStorages - 1);
    api_.HostFree(largest);
}

// Guards against answering from a stale geometry after the caller edited the points in place.
TEST_F(SurfaceOperationsTest, EditsInPlaceAreSeenAndChangedStorageIsRefused) {
    HostSurfaceObject* plane = Plane(5);
    const HostViewRecord top = View(1);
    ExpectNear(*Project(plane, {1, 1, 0}, &top), {1, 1, 5}, 1e-9);
    for (std::uint32_t i = 0; i < 121; ++i) plane->points[i].z += 10;
    ExpectNear(*Project(plane, {1, 1, 0}, &top), {1, 1, 15}, 1e-9);
    const std::size_t builds = host_.SurfaceBuilds();
    plane->points[0].z = 20;  // a corner alone
    EXPECT_TRUE(Project(plane, {1, 1, 0}, &top));
    EXPECT_EQ(host_.SurfaceBuilds(), builds + 1);

    HostVector3* points = plane->points;
    plane->points = nullptr;
    EXPECT_FALSE(Project(plane, {1, 1, 0}, &top));
    plane->points = points;
    plane->rows = 12;  // claims more points than it has
    EXPECT_FALSE(Project(plane, {1, 1, 0}, &top));
    plane->rows = 11;
    EXPECT_TRUE(Project(plane, {1, 1, 0}, &top));
    api_.HostFree(plane);
}

}  // namespace
}  // namespace host::testing
