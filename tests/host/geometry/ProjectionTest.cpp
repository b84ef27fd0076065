// Projection along a direction: closed-form planes, cylinder and sphere, misses, both directions,
// the tolerance at the border, refused input, and the tree against brute force.
#include "host/geometry/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "SampleSurfaces.h"

namespace host::geometry {
namespace {

constexpr double kPlaneTolerance = 1e-9;
const Vec3 kDown{0, 0, -1};

TEST(ProjectionTest, HorizontalPlaneFromAboveAndBelow) {
    const Surface plane = samples::TiltedPlane(0.0, 7.5);
    for (const double z : {100.0, 7.5, -3.0}) {
        for (const Vec3 direction : {kDown, Vec3{0, 0, 2}}) {
            const auto hit = ProjectAlong(plane, {10, -20, z}, direction);
            ASSERT_TRUE(hit) << z;
            EXPECT_NEAR(Length(hit->point - Vec3{10, -20, 7.5}), 0.0, kPlaneTolerance);
            // u along the columns (x from -50 to 50), v along the rows (y from -50 to 50).
            EXPECT_NEAR(hit->u, 0.6, kPlaneTolerance);
            EXPECT_NEAR(hit->v, 0.3, kPlaneTolerance);
            EXPECT_NEAR(std::abs(hit->distance), std::abs(z - 7.5), kPlaneTolerance);
        }
    }
}

TEST(ProjectionTest, TiltedPlanesGiveTheHeightUnderThePoint) {
    for (const double angle : {5.0, 15.0, 30.0, 45.0, 60.0, 75.0}) {
        const Surface plane = samples::TiltedPlane(angle, 2.0, 7);
        const double slope = std::tan(angle * std::numbers::pi / 180.0);
        for (const double x : {-9.0, 0.0, 3.3}) {
            const auto hit = ProjectAlong(plane, {x, 4, -500}, {0, 0, 1});
            ASSERT_TRUE(hit) << angle;
            EXPECT_NEAR(hit->point.z, 2.0 + slope * x, kPlaneTolerance) << angle;
            // Along the plane's normal the foot is the orthogonal projection instead.
            const Vec3 normal = Vec3{-std::sin(angle * std::numbers::pi / 180), 0,
                                     std::cos(angle * std::numbers::pi / 180)};
            const Vec3 p{x, 4, 30};
            const auto along = ProjectAlong(plane, p, normal);
            ASSERT_TRUE(along);
            const double height = Dot(p - Vec3{0, 0, 2}, normal);
            EXPECT_NEAR(Length(along->point - (p - height * normal)), 0.0, 1e-9) << angle;
            EXPECT_NEAR(along->distance, -height, 1e-9) << angle;
        }
    }
}

TEST(ProjectionTest, NearerOfTwoWallsOfACylinderWins) {
    const double radius = 10.0;
    const int around = 721;  // 720 segments
    const Surface tube = samples::Cylinder(radius, 40.0, around, 5);
    const double within = samples::Sag(radius, around - 1) + 1e-9;
    const struct {
        double z;
        double expectZ;
    } cases[] = {{9.0, radius},   {-9.0, -radius}, {0.5, radius},
                 {-0.5, -radius}, {50.0, radius},  {-50.0, -radius}};
    for (const auto& c : cases) {
        for (const Vec3 direction : {kDown, Vec3{0, 0, 1}}) {
            const auto hit = ProjectAlong(tube, {3.0, 0.0, c.z}, direction);
            ASSERT_TRUE(hit) << c.z;
            EXPECT_NEAR(hit->point.z, c.expectZ, within) << c.z;
            EXPECT_NEAR(hit->point.x, 3.0, 1e-9);
        }
    }
    // Off to the side of the tube and past its ends the line misses.
    EXPECT_FALSE(ProjectAlong(tube, {3.0, 10.5, 0.0}, kDown));
    EXPECT_FALSE(ProjectAlong(tube, {25.0, 0.0, 0.0}, kDown));
}

TEST(ProjectionTest, RaysThroughASphereCentreMeetItAtTheRadius) {
    const Vec3 centre{5, -2, 1};
    const double radius = 20.0;
    const int rows = 181;     // 1 degree of latitude
    const int columns = 361;  // 1 degree of longitude
    const Surface sphere = samples::Sphere(centre, radius, rows, columns);
    // Within the sag of the coarser direction and of the patch's diagonal.
    const double within = 2.0 * samples::Sag(radius, 180);
    std::mt19937 random(5);
    std::normal_distribution<double> gaussian;
    for (int i = 0; i < 200; ++i) {
        const Vec3 d = Vec3{gaussian(random), gaussian(random), gaussian(random)};
        const Vec3 unit = (1.0 / Length(d)) * d;
        const Vec3 from = centre + 35.0 * unit;
        const auto hit = ProjectAlong(sphere, from, -1.0 * unit);
        ASSERT_TRUE(hit) << i;
        EXPECT_NEAR(Length(hit->point - centre), radius, within) << i;
        EXPECT_NEAR(hit->distance, 35.0 - radius, within) << i;
    }
    // Straight down onto the north pole, where a whole row of points is one point.
    const auto pole = ProjectAlong(sphere, centre + Vec3{0, 0, 50}, kDown);
    ASSERT_TRUE(pole);
    EXPECT_NEAR(pole->point.z, centre.z + radius, 1e-9);
    EXPECT_NEAR(pole->v, 1.0, 1e-9);
}

TEST(ProjectionTest, TheToleranceDecidesAtTheBorder) {
    const Surface plane = samples::TiltedPlane(0.0, 1.0);  // x and y from -50 to 50
    const struct {
        double x;
        double tolerance;
        bool hit;
    } cases[] = {
        {50.0, 0.0, true},
        {50.00005, kHostTolerance, true},
        {50.00005, 0.0, false},
        {50.0002, kHostTolerance, false},
        {-50.00009, kHostTolerance, true},
    };
    for (const auto& c : cases) {
        const auto hit = ProjectAlong(plane, {c.x, 0, 5}, kDown, c.tolerance);
        EXPECT_EQ(hit.has_value(), c.hit) << c.x << " " << c.tolerance;
        if (hit) {
            EXPECT_NEAR(std::abs(hit->point.x), 50.0, 1e-12);  // clamped onto the border
        }
    }
}

TEST(ProjectionTest, RefusesInputWithoutAnAnswer) {
    const Surface plane = samples::TiltedPlane(0.0, 1.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 5}, {0, 0, 0}));
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 5}, {0, nan, -1}));
    EXPECT_FALSE(ProjectAlong(plane, {nan, 0, 5}, kDown));
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, inf}, kDown));
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 5}, kDown, -1.0));
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 5}, kDown, nan));
    // Parallel to the plane, above it and inside it.
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 5}, {1, 0, 0}));
    EXPECT_FALSE(ProjectAlong(plane, {0, 0, 1}, {1, 1, 0}));
}

TEST(ProjectionTest, FarAwayPointsAndTinyDirectionsStillHit) {
    const Surface plane = samples::TiltedPlane(20.0, 3.0);
    // Regression guard: single-precision boxes must not lose a hit from a distant point.
    const auto far = ProjectAlong(plane, {1.25, 2.5, 1e9}, {0, 0, -1e-12});
    ASSERT_TRUE(far);
    EXPECT_NEAR(far->point.z, 3.0 + 1.25 * std::tan(20.0 * std::numbers::pi / 180), 1e-6);
}

// A wavy surface with several folds, so that lines often cross it more than once.
Surface Waves(int rows, int columns) {
    return samples::Sampled(rows, columns, [](double u, double v) {
        return Vec3{100 * u + 3 * std::sin(9 * v), 80 * v, 6 * std::sin(12 * u) * std::cos(7 * v)};
    });
}

TEST(ProjectionTest, TreeAgreesWithBruteForceOnRandomLines) {
    const Surface waves = Waves(37, 53);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(-20, 120);
    std::uniform_real_distribution<double> unit(-1, 1);
    int hits = 0;
    for (int i = 0; i < 3000; ++i) {
        const Vec3 point{coordinate(random), coordinate(random), unit(random) * 15};
        const Vec3 direction{unit(random), unit(random), unit(random)};
        const auto fast = ProjectAlong(waves, point, direction);
        const auto slow = ProjectAlongBruteForce(waves, point, direction);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << i;
        if (fast) {
            ++hits;
            EXPECT_NEAR(fast->distance, slow->distance, 1e-9) << i;
            EXPECT_NEAR(Length(fast->point - slow->point), 0.0, 1e-6) << i;
        }
    }
    EXPECT_GT(hits, 500);
}

// Quantisation and pruning errors grow with the number of levels; a deeper tree must still give
// the brute-force answers.
TEST(ProjectionTest, DeepTreeAgreesWithBruteForce) {
    const Surface waves = Waves(257, 190);
    std::mt19937 random(23);
    std::uniform_real_distribution<double> coordinate(0, 100);
    std::uniform_real_distribution<double> unit(-0.3, 0.3);
    for (int i = 0; i < 150; ++i) {
        const Vec3 point{coordinate(random), coordinate(random) * 0.8, 30};
        const Vec3 direction{unit(random), unit(random), -1};
        const auto fast = ProjectAlong(waves, point, direction);
        const auto slow = ProjectAlongBruteForce(waves, point, direction);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << i;
        if (fast) {
            EXPECT_NEAR(fast->distance, slow->distance, 1e-9) << i;
        }
    }
}

// Lines through grid points and along patch edges lie exactly on the border of several boxes;
// rounding in the single-precision tree must not lose them.
TEST(ProjectionTest, LinesThroughGridPointsAndEdgesHit) {
    const int n = 64;
    const Surface waves = Waves(n, n);
    for (int row = 0; row < n; row += 3) {
        for (int column = 0; column < n; column += 3) {
            const Vec3 p = waves.Grid().At(row, column);
            const auto hit = ProjectAlong(waves, p + Vec3{0, 0, 50}, {0, 0, -1}, 0.0);
            ASSERT_TRUE(hit) << row << " " << column;
            EXPECT_NEAR(hit->point.z, p.z, 1e-9);
            if (column + 1 < n) {
                const Vec3 mid = 0.5 * (p + waves.Grid().At(row, column + 1));
                ASSERT_TRUE(ProjectAlong(waves, mid + Vec3{0, 0, -50}, {0, 0, 1}, 0.0));
            }
        }
    }
}

TEST(ProjectionTest, OnePatchAndThinGridsWork) {
    const struct {
        int rows, columns;
    } sizes[] = {{2, 2}, {2, 9}, {9, 2}, {3, 1000}, {1000, 3}, {65, 64}};
    for (const auto& size : sizes) {
        const Surface s = samples::Sampled(size.rows, size.columns, [](double u, double v) {
            return Vec3{u, v, u * v};
        });
        for (const double x : {0.0, 0.37, 1.0}) {
            const auto hit = ProjectAlong(s, {x, 0.61, 4}, kDown);
            ASSERT_TRUE(hit) << size.rows << "x" << size.columns;
            EXPECT_NEAR(hit->u, x, 1e-9);
            EXPECT_NEAR(hit->v, 0.61, 1e-9);
        }
    }
}

TEST(ProjectionTest, ViewDepthAxisIsTheThirdColumn) {
    const double matrix[16] = {0, -1, 0.25, 0, 1, 0, 0.5, 0, 0, 0, 0.75, 0, 0, 0, 0, 1};
    EXPECT_EQ(ViewDepthAxis(matrix), (Vec3{0.25, 0.5, 0.75}));
}

}  // namespace
}  // namespace host::geometry
