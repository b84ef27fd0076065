// Projection without a direction (the foot point): planes, cylinder, sphere, the border, and the
// tree against brute force.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "SampleSurfaces.h"
#include "host/geometry/Projection.h"

namespace host::geometry {
namespace {

TEST(NearestPointTest, TiltedPlaneFootIsTheOrthogonalProjection) {
    for (const double angle : {0.0, 10.0, 35.0, 60.0}) {
        const Surface plane = samples::TiltedPlane(angle, -4.0, 6);
        const double a = angle * std::numbers::pi / 180;
        const Vec3 normal{-std::sin(a), 0, std::cos(a)};
        for (const Vec3 p : {Vec3{1, 2, 10}, Vec3{-7, 0, -12}, Vec3{0, 0, -4}}) {
            const auto foot = NearestPoint(plane, p);
            ASSERT_TRUE(foot) << angle;
            const double height = Dot(p - Vec3{0, 0, -4}, normal);
            EXPECT_NEAR(Length(foot->point - (p - height * normal)), 0.0, kHostTolerance) << angle;
            EXPECT_NEAR(foot->distance, std::abs(height), kHostTolerance) << angle;
        }
    }
}

TEST(NearestPointTest, BeyondTheBorderTheFootLiesOnTheBorder) {
    const Surface plane = samples::TiltedPlane(0.0, 0.0);  // x and y from -50 to 50
    const struct {
        Vec3 from;
        Vec3 foot;
    } cases[] = {
        {{80, 0, 5}, {50, 0, 0}},
        {{-60, -70, -1}, {-50, -50, 0}},
        {{10, 51, 0}, {10, 50, 0}},
    };
    for (const auto& c : cases) {
        const auto foot = NearestPoint(plane, c.from);
        ASSERT_TRUE(foot);
        EXPECT_NEAR(Length(foot->point - c.foot), 0.0, 1e-9);
    }
}

TEST(NearestPointTest, CylinderAndSphereFeetLieOnTheRadius) {
    const double radius = 10.0;
    const Surface tube = samples::Cylinder(radius, 40.0, 721, 9);
    const Surface sphere = samples::Sphere({}, radius, 181, 361);
    const double tubeWithin = samples::Sag(radius, 720) + kHostTolerance;
    const double sphereWithin = 2.0 * samples::Sag(radius, 180) + kHostTolerance;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> angle(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> distance(1.0, 30.0);
    for (int i = 0; i < 100; ++i) {
        const double a = angle(random);
        const double r = distance(random);
        const auto onTube = NearestPoint(tube, {2.0, r * std::sin(a), r * std::cos(a)});
        ASSERT_TRUE(onTube);
        EXPECT_NEAR(std::hypot(onTube->point.y, onTube->point.z), radius, tubeWithin);
        EXPECT_NEAR(onTube->point.x, 2.0, 1e-6);
        EXPECT_NEAR(onTube->distance, std::abs(r - radius), tubeWithin);
        EXPECT_NEAR(onTube->v, a / (2 * std::numbers::pi), 1e-3);

        const Vec3 p = r * Vec3{std::cos(a) * 0.6, std::sin(a) * 0.6, 0.8};
        const auto onSphere = NearestPoint(sphere, p);
        ASSERT_TRUE(onSphere);
        // A facet leans up to one grid step (1 degree) off the true tangent plane, which moves
        // the foot sideways by up to the point's height times that angle.
        EXPECT_NEAR(Length(onSphere->point - (radius / r) * p), 0.0,
                    sphereWithin + std::abs(r - radius) * std::numbers::pi / 180);
        EXPECT_NEAR(onSphere->distance, std::abs(r - radius), sphereWithin);
    }
}

TEST(NearestPointTest, TreeAgreesWithBruteForce) {
    const Surface waves = samples::Sampled(41, 29, [](double u, double v) {
        return Vec3{60 * u, 50 * v + 4 * std::sin(5 * u), 5 * std::sin(10 * u) * std::sin(8 * v)};
    });
    std::mt19937 random(17);
    std::uniform_real_distribution<double> coordinate(-30, 90);
    for (int i = 0; i < 1000; ++i) {
        const Vec3 p{coordinate(random), coordinate(random), coordinate(random) / 4};
        const auto fast = NearestPoint(waves, p);
        const auto slow = NearestPointBruteForce(waves, p);
        ASSERT_TRUE(fast && slow);
        EXPECT_NEAR(fast->distance, slow->distance, 1e-9) << i;
    }
}

TEST(NearestPointTest, RefusesInputThatIsNotFinite) {
    const Surface plane = samples::TiltedPlane(0.0, 0.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(NearestPoint(plane, {nan, 0, 0}));
    EXPECT_FALSE(NearestPoint(plane, {0, 0, std::numeric_limits<double>::infinity()}));
    EXPECT_FALSE(NearestPoint(plane, {0, 0, 0}, -kHostTolerance));
    EXPECT_FALSE(NearestPoint(plane, {0, 2e15, 0}));
}

// Regression: for points near 1e28 the squared box distances overflowed single precision, the
// search examined no patch and an infinite distance came back as a foot point. Such points are
// refused now (above); points at the edge of the accepted range must still find their foot.
TEST(NearestPointTest, FarPointsStillFindTheirFoot) {
    const Surface plane = samples::TiltedPlane(0.0, 0.0);
    for (const Vec3 p : {Vec3{1e15, 0, 0}, Vec3{0, -1e15, 1e15}, Vec3{3e14, 3e14, -1e15}}) {
        const auto fast = NearestPoint(plane, p);
        const auto slow = NearestPointBruteForce(plane, p);
        ASSERT_TRUE(fast && slow);
        EXPECT_DOUBLE_EQ(fast->distance, slow->distance);
        EXPECT_TRUE(std::isfinite(fast->distance));
    }
}

}  // namespace
}  // namespace host::geometry
