// Bilinear patches: line intersections with both roots, slack at the border, nearest points.
#include "host/geometry/BilinearPatch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace host::geometry {
namespace {

// The saddle z = x y over the unit square, with s = x and t = y.
const BilinearPatch kSaddle{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}};
const BilinearPatch kSquare{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};

TEST(BilinearPatchTest, VerticalLinesMeetTheSaddleAtItsHeight) {
    const struct {
        double x, y;
    } cases[] = {{0.5, 0.5}, {0.1, 0.9}, {0.0, 0.0}, {1.0, 1.0}, {0.999, 0.25}};
    for (const auto& c : cases) {
        for (const double dz : {1.0, -1.0}) {
            const auto hit = IntersectLine(kSaddle, {c.x, c.y, 5.0}, {0, 0, dz}, 0.0);
            ASSERT_TRUE(hit) << c.x << " " << c.y;
            EXPECT_NEAR(hit->s, c.x, 1e-12);
            EXPECT_NEAR(hit->t, c.y, 1e-12);
            EXPECT_NEAR(hit->along * dz, c.x * c.y - 5.0, 1e-12);
        }
    }
}

TEST(BilinearPatchTest, OfTwoCrossingsTheNearerToTheOriginWins) {
    // In the plane x = y the saddle is z = a^2 and the line z = a - 0.16 crosses it at a = 0.2
    // and a = 0.8; the line's direction is (1, 1, 1) / sqrt(3).
    const Vec3 direction = (1.0 / std::sqrt(3.0)) * Vec3{1, 1, 1};
    const struct {
        double a;         // origin at (a, a, a - 0.16)
        double expectAt;  // crossing expected
    } cases[] = {{0.7, 0.8}, {0.4, 0.2}, {1.5, 0.8}, {-3.0, 0.2}};
    for (const auto& c : cases) {
        const auto hit = IntersectLine(kSaddle, {c.a, c.a, c.a - 0.16}, direction, 0.0);
        ASSERT_TRUE(hit) << c.a;
        EXPECT_NEAR(hit->s, c.expectAt, 1e-12) << c.a;
        EXPECT_NEAR(hit->along, (c.expectAt - c.a) * std::sqrt(3.0), 1e-12) << c.a;
    }
}

TEST(BilinearPatchTest, LinesParallelToOrInsideAFlatPatchMiss) {
    EXPECT_FALSE(IntersectLine(kSquare, {0.5, 0.5, 1.0}, {1, 0, 0}, 0.0));
    EXPECT_FALSE(IntersectLine(kSquare, {0.5, 0.5, 0.0}, {1, 0, 0}, 0.0));
    EXPECT_FALSE(IntersectLine(kSquare, {1.5, 0.5, 1.0}, {0, 0, -1}, 0.0));
}

TEST(BilinearPatchTest, ToleranceAcceptsLinesJustOutsideAndClampsThem) {
    const Vec3 outside{1.00005, 0.5, 1.0};
    EXPECT_FALSE(IntersectLine(kSquare, outside, {0, 0, -1}, 0.0));
    const auto hit = IntersectLine(kSquare, outside, {0, 0, -1}, 1e-4);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->s, 1.0);
    EXPECT_NEAR(hit->t, 0.5, 1e-12);
    EXPECT_NEAR(hit->along, 1.0, 1e-12);
    EXPECT_FALSE(IntersectLine(kSquare, {1.0002, 0.5, 1.0}, {0, 0, -1}, 1e-4));
}

// Regression: a patch collapsed along s has a huge parameter slack, and a line far off its
// border was clamped onto it and reported as a hit.
TEST(BilinearPatchTest, CollapsedPatchDoesNotCatchFarLines) {
    const BilinearPatch sliver{{0, 0, 0}, {0, 1e-200, 0}, {0, 0, 1}, {0, 1e-200, 1}};
    EXPECT_FALSE(IntersectLine(sliver, {5, 3, 0.5}, {-1, 0.3, 0}, 1e-4));
    EXPECT_FALSE(IntersectLine(sliver, {5, 3, 0.5}, {-1, -1, -1}, 1e-4));
    // Regression: three corners on one segment make every u a root; u = 0 was taken as a hit.
    const BilinearPatch segment{{-16, 6, -16}, {-16, -16, -16}, {-16, -16, -16}, {-16, -16, -16}};
    EXPECT_FALSE(IntersectLine(segment, {-16, -16, 13}, {1, 3, 0}, 1e-4));
}

TEST(BilinearPatchTest, DegeneratePatchesGiveNoNaN) {
    // Two corners collapsed into one: a triangle; all four: a point.
    const BilinearPatch triangle{{0, 0, 0}, {0, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    const auto hit = IntersectLine(triangle, {0.5, 0.9, 1.0}, {0, 0, -1}, 0.0);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->along, 1.0, 1e-12);
    const BilinearPatch point{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    EXPECT_FALSE(IntersectLine(point, {1, 1, 3}, {0, 0, -1}, 0.0));
    const PatchFoot foot = NearestOnPatch(point, {1, 1, 3}, 1e-4);
    EXPECT_EQ(foot.point, (Vec3{1, 1, 1}));
    EXPECT_DOUBLE_EQ(foot.distanceSq, 4.0);
}

TEST(BilinearPatchTest, BeyondEachEdgeTheFootLiesOnThatEdge) {
    // Two units beyond each edge of the saddle, square to it: the foot is that edge's point.
    const struct {
        Vec3 query;
        double s;
        double t;
    } cases[] = {{{0.3, -2, 0}, 0.3, 0.0},
                 {{0.4, 3, 0.4}, 0.4, 1.0},
                 {{-2, 0.7, 0}, 0.0, 0.7},
                 {{3, 0.6, 0.6}, 1.0, 0.6}};
    for (const auto& c : cases) {
        const PatchFoot foot = NearestOnPatch(kSaddle, c.query, 1e-9);
        EXPECT_DOUBLE_EQ(foot.s, c.s);
        EXPECT_DOUBLE_EQ(foot.t, c.t);
        EXPECT_DOUBLE_EQ(foot.distanceSq, 4.0);
        EXPECT_NEAR(Length(kSaddle.At(c.s, c.t) - foot.point), 0.0, 1e-15);
    }
}

TEST(BilinearPatchTest, NearestPointMatchesDenseSampling) {
    const Vec3 queries[] = {{0.3, 0.6, 0.8}, {0.9, 0.9, -0.4}, {2.0, 2.0, 2.0},
                            {-1, 0.5, 0.2},  {0.5, 0.5, 0.25}, {0.2, 0.7, -3.0}};
    for (const Vec3& q : queries) {
        double bestSq = INFINITY;
        for (int i = 0; i <= 400; ++i) {
            for (int j = 0; j <= 400; ++j) {
                const Vec3 d = kSaddle.At(i / 400.0, j / 400.0) - q;
                bestSq = std::min(bestSq, Dot(d, d));
            }
        }
        const PatchFoot foot = NearestOnPatch(kSaddle, q, 1e-9);
        // The sampling is only as fine as its spacing; the exact answer is never farther.
        EXPECT_LE(std::sqrt(foot.distanceSq), std::sqrt(bestSq) + 1e-12);
        EXPECT_NEAR(std::sqrt(foot.distanceSq), std::sqrt(bestSq), 2e-3);
        EXPECT_NEAR(Length(kSaddle.At(foot.s, foot.t) - foot.point), 0.0, 1e-12);
    }
}

}  // namespace
}  // namespace host::geometry
