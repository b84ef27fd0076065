// Surface normals on both sides and offsets: planes exactly, cylinder and sphere within stated
// bounds, degenerate places, refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "SampleSurfaces.h"
#include "host/geometry/Projection.h"
#include "host/geometry/SurfaceNormal.h"
#include "host/geometry/SurfaceOffset.h"

namespace host::geometry {
namespace {

void ExpectNear(Vec3 a, Vec3 b, double within) { EXPECT_NEAR(Length(a - b), 0.0, within); }

TEST(SurfaceNormalTest, SidesZeroAndOneAreOpposite) {
    for (const double angle : {0.0, 25.0, 50.0}) {
        const Surface plane = samples::TiltedPlane(angle, 1.0, 5);
        const double a = angle * std::numbers::pi / 180;
        const Vec3 up{-std::sin(a), 0, std::cos(a)};
        for (const double u : {0.0, 0.3, 0.5, 1.0}) {
            ExpectNear(*SurfaceNormal(plane, u, 0.7, Side::Zero), up, 1e-12);
            ExpectNear(*SurfaceNormal(plane, u, 0.7, Side::One), -1.0 * up, 1e-12);
        }
    }
}

TEST(SurfaceNormalTest, CylinderNormalIsRadialAtGridLines) {
    const Surface tube = samples::Cylinder(5.0, 10.0, 37, 3);  // 10 degrees per row
    for (int row = 0; row < 37; ++row) {
        const double v = row / 36.0;
        const double a = 2 * std::numbers::pi * v;
        // Mid-patch along v the bilinear normal is exactly radial at the patch's mid-angle.
        const double mid = (row + 0.5) / 36.0;
        const double am = 2 * std::numbers::pi * mid;
        if (row < 36) {
            ExpectNear(*SurfaceNormal(tube, 0.5, mid, Side::Zero), {0, std::sin(am), std::cos(am)},
                       1e-12);
        }
        ExpectNear(*SurfaceNormal(tube, 0.5, v, Side::Zero), {0, std::sin(a), std::cos(a)},
                   2 * std::sin(std::numbers::pi / 72) + 1e-12);
    }
}

TEST(SurfaceNormalTest, CollapsedPoleStillHasANormal) {
    const Surface sphere = samples::Sphere({}, 3.0, 19, 37);
    for (const double u : {0.0, 0.4, 1.0}) {
        const auto north = SurfaceNormal(sphere, u, 1.0, Side::Zero);
        ASSERT_TRUE(north);
        EXPECT_GT(north->z, 0.99);
        const auto south = SurfaceNormal(sphere, u, 0.0, Side::One);
        ASSERT_TRUE(south);
        EXPECT_GT(south->z, 0.99);
    }
}

TEST(SurfaceNormalTest, ParametersOutsideTheSurfaceAreRefused) {
    const Surface plane = samples::TiltedPlane(0.0, 0.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double u, v;
    } cases[] = {{-0.01, 0.5}, {0.5, 1.01}, {nan, 0.5}, {0.5, nan}, {2.0, 2.0}};
    for (const auto& c : cases) {
        EXPECT_FALSE(SurfaceNormal(plane, c.u, c.v, Side::Zero)) << c.u << " " << c.v;
    }
    // A hair outside from rounding is the border.
    EXPECT_TRUE(SurfaceNormal(plane, 1.0 + 1e-12, -1e-12, Side::Zero));
}

TEST(SurfaceNormalTest, SideNumbers) {
    EXPECT_EQ(SideFromNumber(0), Side::Zero);
    EXPECT_EQ(SideFromNumber(1), Side::One);
    EXPECT_FALSE(SideFromNumber(2));
    EXPECT_FALSE(SideFromNumber(-1));
}

TEST(SurfaceOffsetTest, TiltedPlanesOffsetExactlyToBothSides) {
    const double length = 21.59;
    for (const double angle : {0.0, 15.0, 30.0, 45.0, 70.0}) {
        const Surface plane = samples::TiltedPlane(angle, 100.0, 9);
        const double a = angle * std::numbers::pi / 180;
        for (const auto& [side, sign] : {std::pair{Side::Zero, 1.0}, std::pair{Side::One, -1.0}}) {
            const platform::Expected<SurfaceGrid> offset =
                OffsetSurface(plane.Grid(), length, side);
            ASSERT_TRUE(offset) << offset.Describe();
            const Surface moved(*offset);
            // Straight up through the offset plane: the height rises by L / cos(angle).
            const auto hit = ProjectAlong(moved, {2.0, 1.0, -1000}, {0, 0, 1});
            ASSERT_TRUE(hit) << angle;
            EXPECT_NEAR(hit->point.z, 100.0 + 2.0 * std::tan(a) + sign * length / std::cos(a), 1e-9)
                << angle;
            const auto foot = NearestPoint(plane, hit->point);
            EXPECT_NEAR(foot->distance, length, 1e-9) << angle;
        }
    }
}

TEST(SurfaceOffsetTest, CylinderAndSphereOffsetsKeepTheirShape) {
    const double radius = 10.0;
    const double d = 2.5;
    const Surface tube = samples::Cylinder(radius, 20.0, 73, 4);
    const platform::Expected<SurfaceGrid> fatter = OffsetSurface(tube.Grid(), d, Side::Zero);
    const platform::Expected<SurfaceGrid> thinner = OffsetSurface(tube.Grid(), d, Side::One);
    ASSERT_TRUE(fatter && thinner);
    // Central differences of a uniformly sampled circle are exact, across the seam too.
    for (int row = 0; row < 73; ++row) {
        for (int column = 0; column < 4; ++column) {
            const double within = 1e-9;
            const Vec3 out = fatter->At(row, column);
            const Vec3 in = thinner->At(row, column);
            EXPECT_NEAR(std::hypot(out.y, out.z), radius + d, within) << row;
            EXPECT_NEAR(std::hypot(in.y, in.z), radius - d, within) << row;
        }
    }
    const Surface sphere = samples::Sphere({1, 2, 3}, radius, 37, 73);
    const platform::Expected<SurfaceGrid> shell = OffsetSurface(sphere.Grid(), d, Side::Zero);
    ASSERT_TRUE(shell);
    for (int row = 0; row < 37; ++row) {
        for (int column = 0; column < 73; ++column) {
            EXPECT_NEAR(Length(shell->At(row, column) - Vec3{1, 2, 3}), radius + d, 1e-9);
        }
    }
}

TEST(SurfaceOffsetTest, RefusesWhatCannotBeOffset) {
    const Surface sphere = samples::Sphere({}, 2.0, 9, 17);
    // Regression guard: offsetting inwards by the radius collapses the grid to one point.
    const platform::Expected<SurfaceGrid> collapsed = OffsetSurface(sphere.Grid(), 2.0, Side::One);
    EXPECT_FALSE(collapsed);
    EXPECT_NE(collapsed.Describe().find("no area"), std::string::npos) << collapsed.Describe();
    const platform::Expected<SurfaceGrid> nan =
        OffsetSurface(sphere.Grid(), std::numeric_limits<double>::quiet_NaN(), Side::Zero);
    EXPECT_FALSE(nan);
    EXPECT_NE(nan.Describe().find("not a finite"), std::string::npos);
}

// Every offset point moves along the grid normal GridPointNormal gives, to the last bit: inside,
// on open borders, across seams, at poles and at a pinched point whose neighbours coincide
// (where the central differences have no normal and the patches around decide).
TEST(SurfaceOffsetTest, OffsetPointsMoveAlongTheGridNormals) {
    const struct {
        const char* name;
        Surface surface;
    } shapes[] = {
        {"wave", samples::Sampled(9, 12,
                                  [](double u, double v) {
                                      return Vec3{30 * u, 20 * v, 3 * std::sin(7 * u + 4 * v)};
                                  })},
        {"tube", samples::Cylinder(4.0, 10.0, 13, 6)},
        {"sphere", samples::Sphere({1, 2, 3}, 5.0, 11, 15)},
        {"pinched", samples::Sampled(7, 7,
                                     [](double u, double v) {
                                         const double r = std::hypot(u - 0.5, v - 0.5);
                                         return r < 0.2 ? Vec3{0.5, 0.5, 1.0} : Vec3{u, v, u * v};
                                     })},
    };
    for (const auto& shape : shapes) {
        const SurfaceGrid& grid = shape.surface.Grid();
        const platform::Expected<SurfaceGrid> offset = OffsetSurface(grid, 0.75, Side::One);
        ASSERT_TRUE(offset) << shape.name;
        for (int row = 0; row < grid.Rows(); ++row) {
            for (int column = 0; column < grid.Columns(); ++column) {
                const std::optional<Vec3> n = GridPointNormal(grid, row, column);
                ASSERT_TRUE(n) << shape.name << " " << row << " " << column;
                EXPECT_EQ(offset->At(row, column), grid.At(row, column) + -0.75 * *n)
                    << shape.name << " " << row << " " << column;
            }
        }
    }
}

// Guards against the offset's own checks of the points it writes drifting from the grid's: an
// offset grid has the box, seams and refusals of a grid made from the same points, also for a
// box reached only by a border point or a point left over at the end of a row, and for a
// distance that carries points beyond 1e15.
TEST(SurfaceOffsetTest, OffsetGridsAreCheckedAsGridsMadeFromTheirPoints) {
    const struct {
        const char* name;
        Surface surface;
        double distance;
    } cases[] = {
        {"wave, even columns",
         samples::Sampled(9, 12,
                          [](double u, double v) {
                              return Vec3{30 * u, 20 * v, 3 * std::sin(7 * u + 4 * v)};
                          }),
         0.5},
        {"bowl, odd columns, highest at the last point",
         samples::Sampled(6, 7,
                          [](double u, double v) {
                              return Vec3{u, v, u * u + v * v};
                          }),
         -0.25},
        {"tube", samples::Cylinder(4.0, 10.0, 13, 6), 1.5},
        {"sphere", samples::Sphere({1, 2, 3}, 5.0, 11, 15), 2.0},
        {"beyond 1e15", samples::TiltedPlane(30, 0), 3e15},
    };
    for (const auto& c : cases) {
        for (const Side side : {Side::Zero, Side::One}) {
            const platform::Expected<SurfaceGrid> offset =
                OffsetSurface(c.surface.Grid(), c.distance, side);
            ASSERT_TRUE(offset || std::string(c.name) == "beyond 1e15") << c.name;
            if (!offset) {
                EXPECT_NE(offset.Describe().find("lies beyond 1e15"), std::string::npos)
                    << offset.Describe();
                continue;
            }
            const platform::Expected<SurfaceGrid> made =
                SurfaceGrid::Make(offset->Rows(), offset->Columns(), offset->Points());
            ASSERT_TRUE(made) << c.name;
            EXPECT_EQ(offset->Lowest(), made->Lowest()) << c.name;
            EXPECT_EQ(offset->Highest(), made->Highest()) << c.name;
            EXPECT_EQ(offset->ClosedAlongU(), made->ClosedAlongU()) << c.name;
            EXPECT_EQ(offset->ClosedAlongV(), made->ClosedAlongV()) << c.name;
        }
    }
}

}  // namespace
}  // namespace host::geometry
