// Post heights against surfaces whose answer is known in closed form: a horizontal plane, tilted
// planes, a cylinder and a sphere sampled as grids, all through the real stand-in host.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "HeightsFixture.h"

namespace {

using namespace heights_testing;

// Planes are represented exactly by their grids: only rounding separates the answers.
constexpr double kPlaneTolerance = 1e-9;

void ExpectNear(const HostVector3& actual, const HostVector3& expected, double tolerance,
                const char* what) {
    EXPECT_LE(Distance(actual, expected), tolerance)
        << what << ": (" << actual.x << ", " << actual.y << ", " << actual.z << ") instead of ("
        << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

// The circle drawn around the contact: centre, axis and radius, and every outline point on the
// radius in the plane normal to the axis.
void ExpectCircle(const host::ArcGeometry& arc, const HostVector3& centre, const HostVector3& axis,
                  double radius, double centreTolerance, double axisTolerance) {
    ExpectNear(arc.center, centre, centreTolerance, "circle centre");
    ExpectNear(arc.axis, axis, axisTolerance, "circle axis");
    EXPECT_DOUBLE_EQ(arc.radius, radius);
    EXPECT_DOUBLE_EQ(arc.sweep, 2 * kPi);
    for (const HostVector3& p : host::OutlinePoints(arc)) {
        const HostVector3 d{p.x - arc.center.x, p.y - arc.center.y, p.z - arc.center.z};
        EXPECT_NEAR(Distance(p, arc.center), radius, 1e-9);
        EXPECT_NEAR(d.x * arc.axis.x + d.y * arc.axis.y + d.z * arc.axis.z, 0.0, 1e-9);
    }
}

TEST_F(HeightsTest, HorizontalPlaneSetsThePostAtThePlanesHeight) {
    const double h = 50.0, length = 10.0;
    table_.EndDeflectorLength = length;
    AddHeightField(0, 100, 0, 100, 3, [&](double, double) { return h; });
    AddPost(30, 40, 0);
    AddPost(70, 60, 120);  // above the plane: the axis is a whole line
    Run();

    for (size_t i = 0; i < table_.PostCount(); ++i) {
        SCOPED_TRACE(i);
        const PostLocation& post = table_.PostAt(i);
        const double x = post.Post.point.x, y = post.Post.point.y;
        EXPECT_NEAR(post.Hit1.point.z, h + length, kPlaneTolerance);  // side 0 lies above
        EXPECT_NEAR(post.Hit2.point.z, h - length, kPlaneTolerance);
        ExpectNear(ToHost(post.Hit0.vect), {0, 0, -1}, kPlaneTolerance, "normal on side 1");
        ExpectNear(ToHost(post.Hit0.point), {x, y, h}, kPlaneTolerance, "post's top");
        EXPECT_NEAR(post.Height(), h, kPlaneTolerance);
    }
    const auto arcs = DrawnOf<host::ArcGeometry>();
    ASSERT_EQ(arcs.size(), 2u);
    ExpectCircle(arcs[0].first, {30, 40, h}, {0, 0, -1}, 25.0, kPlaneTolerance, kPlaneTolerance);
    // For an axis along z the view is orthonormal: the start direction is the view's own.
    ExpectNear(arcs[0].first.startDir, {0, 1, 0}, kPlaneTolerance, "start direction");
}

// Planes through (0, 0, 300) tilted by `tilt` degrees, falling towards `azimuth` degrees.
struct TiltedPlane {
    double tilt;
    double azimuth;
};

class TiltedPlaneTest : public HeightsTest, public ::testing::WithParamInterface<TiltedPlane> {};

// The lowest hit lies on the offset below, L / cos(tilt) under the surface; its foot on the
// holding surface is L along the surface normal from it; the post stands at the hit plus L, so
// its height is the surface's height under it plus L (1 - 1 / cos(tilt)).
TEST_P(TiltedPlaneTest, HeightFollowsTheOffsetAlongTheNormal) {
    const double tilt = GetParam().tilt * kPi / 180, azimuth = GetParam().azimuth * kPi / 180;
    const double length = 21.59, radius = 12.5;
    table_.EndDeflectorLength = length;
    table_.EndDeflectorRadius = radius;
    const HostVector3 normal{-std::sin(tilt) * std::cos(azimuth),
                             -std::sin(tilt) * std::sin(azimuth), std::cos(tilt)};
    const auto surfaceZ = [&](double x, double y) {
        return 300.0 - (normal.x * x + normal.y * y) / normal.z;
    };
    AddHeightField(-100, 100, -100, 100, 5, surfaceZ);
    const std::vector<HostVector3> locations{{0, 0, 0}, {40, -30, 0}, {-50, 20, 10}, {65, 65, 0}};
    for (const HostVector3& at : locations) AddPost(at.x, at.y, at.z);
    Run();

    const auto arcs = DrawnOf<host::ArcGeometry>();
    ASSERT_EQ(arcs.size(), locations.size());
    for (size_t i = 0; i < locations.size(); ++i) {
        SCOPED_TRACE(i);
        const HostVector3& at = locations[i];
        const double under = surfaceZ(at.x, at.y);
        const HostVector3 lowest{at.x, at.y, under - length / normal.z};
        const HostVector3 contact{lowest.x + length * normal.x, lowest.y + length * normal.y,
                                  lowest.z + length * normal.z};
        const PostLocation& post = table_.PostAt(i);
        EXPECT_NEAR(post.Hit1.point.z, under + length / normal.z, kPlaneTolerance);
        EXPECT_NEAR(post.Hit2.point.z, lowest.z, kPlaneTolerance);
        EXPECT_NEAR(post.Height(), under + length * (1 - 1 / std::cos(tilt)), kPlaneTolerance);
        ExpectNear(ToHost(post.Hit0.point), {at.x, at.y, lowest.z + length}, kPlaneTolerance,
                   "post's top");
        ExpectCircle(arcs[i].first, contact, {-normal.x, -normal.y, -normal.z}, radius,
                     kPlaneTolerance, kPlaneTolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, TiltedPlaneTest,
                         ::testing::Values(TiltedPlane{5, 0}, TiltedPlane{10, 0},
                                           TiltedPlane{30, 0}, TiltedPlane{45, 90},
                                           TiltedPlane{60, 30}, TiltedPlane{30, 200}),
                         // Readable names ("Tilt30Azimuth200") in place of the raw bytes.
                         [](const ::testing::TestParamInfo<TiltedPlane>& info) {
                             return "Tilt" + std::to_string(int(info.param.tilt)) + "Azimuth" +
                                    std::to_string(int(info.param.azimuth));
                         });

// Curved surfaces sampled every degree. Heights and hits: a grid deviates from the true surface
// by the chord sag R (1 - cos 0.5 deg), 0.004 at radius 100 and 0.008 at radius 200, twice that
// where a patch bends both ways (the sphere), divided by the surface's slope at the post (at most
// 1.25 here): 0.01 for the cylinder, 0.03 for the sphere. Contact: the foot of a point L inside a
// faceted surface lies on a facet, up to L sin(0.5 deg) sideways of the true surface's foot per
// curved direction: 1.25 L sin(0.5 deg) per curved direction plus the sag; the circle's axis
// (the direction from the contact) within 1.25 sin(0.5 deg) per curved direction.
struct CurvedTolerance {
    double height;
    double contact;
    double axis;
};

CurvedTolerance CurvedGridTolerance(double height, double length, int curvedDirections) {
    const double sideways = 1.25 * std::sin(0.5 * kPi / 180) * curvedDirections;
    return {height, sideways * length + height, sideways};
}

// A half cylinder of radius 100 about the line y = 0, z = 150, sampled from y = +100 over the top
// to y = -100; its side 0 faces the axis, so group 1 is the inner offset.
TEST_F(HeightsTest, CylinderSetsThePostAgainstTheInnerOffset) {
    const double radius = 100.0, axisZ = 150.0, length = 10.0;
    const CurvedTolerance tolerance = CurvedGridTolerance(0.01, length, 1);
    table_.EndDeflectorLength = length;
    AddSurface(181, 21, GridOf(181, 21, [&](int r, int c) {
                   const double angle = r * kPi / 180;
                   return HostVector3{-100.0 + 10.0 * c, radius * std::cos(angle),
                                      axisZ + radius * std::sin(angle)};
               }));
    const std::vector<HostVector3> locations{{0, 0, 0}, {33.3, 25, 0}, {-70, -40, 0}, {5, 55, 20}};
    for (const HostVector3& at : locations) AddPost(at.x, at.y, at.z);
    Run();

    const auto arcs = DrawnOf<host::ArcGeometry>();
    ASSERT_EQ(arcs.size(), locations.size());
    const auto topAt = [&](double r, double y) { return axisZ + std::sqrt(r * r - y * y); };
    for (size_t i = 0; i < locations.size(); ++i) {
        SCOPED_TRACE(i);
        const HostVector3& at = locations[i];
        const PostLocation& post = table_.PostAt(i);
        EXPECT_NEAR(post.Hit1.point.z, topAt(radius - length, at.y), tolerance.height);
        EXPECT_NEAR(post.Hit2.point.z, topAt(radius + length, at.y), tolerance.height);
        const double lowestZ = topAt(radius - length, at.y);
        EXPECT_NEAR(post.Height(), lowestZ + length, tolerance.height);
        const double scale = radius / (radius - length);
        const HostVector3 contact{at.x, scale * at.y, axisZ + scale * (lowestZ - axisZ)};
        const double toAxis = radius - length;
        ExpectCircle(arcs[i].first, contact, {0, -at.y / toAxis, -(lowestZ - axisZ) / toAxis},
                     table_.EndDeflectorRadius, tolerance.contact, tolerance.axis);
    }
}

// A dome: the upper half of a sphere of radius 200 around (0, 0, 100), latitude rows from the
// equator to the pole (a collapsed row), longitude columns closed at 360 degrees. Its side 0
// faces outwards, so group 2 is the inner offset.
TEST_F(HeightsTest, SphereSetsThePostAgainstTheInnerOffset) {
    const double radius = 200.0, centreZ = 100.0, length = 15.0;
    const CurvedTolerance tolerance = CurvedGridTolerance(0.03, length, 2);
    table_.EndDeflectorLength = length;
    AddSurface(91, 361, GridOf(91, 361, [&](int r, int c) {
                   const double latitude = r * kPi / 180, longitude = c * kPi / 180;
                   return HostVector3{radius * std::cos(latitude) * std::cos(longitude),
                                      radius * std::cos(latitude) * std::sin(longitude),
                                      centreZ + radius * std::sin(latitude)};
               }));
    const std::vector<HostVector3> locations{
        {0, 0, 0}, {50, 30, 0}, {-80, 60, 0}, {0, -110, 0}, {0.5, 0.25, 40}};
    for (const HostVector3& at : locations) AddPost(at.x, at.y, at.z);
    Run();

    const auto arcs = DrawnOf<host::ArcGeometry>();
    ASSERT_EQ(arcs.size(), locations.size());
    for (size_t i = 0; i < locations.size(); ++i) {
        SCOPED_TRACE(i);
        const HostVector3& at = locations[i];
        const double across = at.x * at.x + at.y * at.y;
        const auto topAt = [&](double r) { return centreZ + std::sqrt(r * r - across); };
        const PostLocation& post = table_.PostAt(i);
        EXPECT_NEAR(post.Hit1.point.z, topAt(radius + length), tolerance.height);
        EXPECT_NEAR(post.Hit2.point.z, topAt(radius - length), tolerance.height);
        const double lowestZ = topAt(radius - length);
        EXPECT_NEAR(post.Height(), lowestZ + length, tolerance.height);
        const double scale = radius / (radius - length);
        const HostVector3 contact{scale * at.x, scale * at.y,
                                  centreZ + scale * (lowestZ - centreZ)};
        const double inner = radius - length;
        ExpectCircle(arcs[i].first, contact,
                     {-at.x / inner, -at.y / inner, -(lowestZ - centreZ) / inner},
                     table_.EndDeflectorRadius, tolerance.contact, tolerance.axis);
    }
}

}  // namespace
