// The patch tree: its levels, and boxes that still contain their patches after quantisation.
#include "host/geometry/PatchTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "SampleSurfaces.h"

namespace host::geometry {
namespace {

TEST(PatchTreeTest, LevelsHalveTheGridUntilOneNodeRemains) {
    const struct {
        int rows, columns, levels;
    } cases[] = {{2, 2, 1},     {3, 3, 1},        {4, 4, 2},    {2, 1000, 10},
                 {1000, 3, 10}, {1000, 1000, 10}, {1026, 5, 11}};
    for (const auto& c : cases) {
        const Surface s = samples::Sampled(c.rows, c.columns, [](double u, double v) {
            return Vec3{u, v, u * v};
        });
        EXPECT_EQ(s.Tree().Levels(), c.levels) << c.rows << "x" << c.columns;
    }
}

// Examines every patch whose box contains the query point, and nothing farther.
struct Collector {
    std::set<std::pair<int, int>> seen;
    float Visit(int row, int column) {
        seen.insert({row, column});
        return 0.0f;
    }
    void Prefetch(int, int) const {}
};

// Regression: while nothing was found the bound was infinite, and boxes the query missed
// (infinitely far) still passed "distance <= bound", so a line missing the surface examined every
// patch.
TEST(PatchTreeTest, MissedBoxesAreNeverExamined) {
    const Surface s = samples::TiltedPlane(10.0, 0.0, 40);
    Collector collector;
    s.Tree().Search([](const QuadBoxes&, std::array<float, 4>& out) { out.fill(INFINITY); },
                    collector);
    EXPECT_TRUE(collector.seen.empty());
}

// Regression: children were quantised against their parent's exact box while a search decodes
// them against the parent's decoded box, so decoded boxes no longer held their patches.
TEST(PatchTreeTest, DecodedBoxesHoldEveryPatchAroundEachPoint) {
    std::mt19937 random(9);
    std::uniform_real_distribution<double> bump(-1, 1);
    // Far from the origin, bumpy, and wider than tall, so that rounding and quantisation bite.
    const Surface s = samples::Sampled(61, 45, [&](double u, double v) {
        return Vec3{1e6 + 300 * u, -2e5 + 250 * v, 4e3 + bump(random) * 0.01};
    });
    const Vec3 centre = s.Tree().Centre();
    for (int row = 0; row < s.Grid().Rows(); ++row) {
        for (int column = 0; column < s.Grid().Columns(); ++column) {
            const Vec3 p = s.Grid().At(row, column) - centre;
            const float x[3] = {float(p.x), float(p.y), float(p.z)};
            Collector collector;
            s.Tree().Search(
                [&](const QuadBoxes& boxes, std::array<float, 4>& out) {
                    for (int c = 0; c < 4; ++c) {
                        bool inside = true;
                        for (int axis = 0; axis < 3; ++axis) {
                            // One unit in the last place of the coordinates for the float rounding.
                            const float ulp = std::abs(x[axis]) * 1.2e-7f;
                            inside = inside && boxes.lo[axis][c] <= x[axis] + ulp &&
                                     x[axis] - ulp <= boxes.hi[axis][c];
                        }
                        out[c] = inside ? 0.0f : INFINITY;
                    }
                },
                collector);
            for (int r = std::max(row - 1, 0); r <= std::min(row, s.Grid().PatchRows() - 1); ++r) {
                for (int c = std::max(column - 1, 0);
                     c <= std::min(column, s.Grid().PatchColumns() - 1); ++c) {
                    EXPECT_TRUE(collector.seen.count({r, c})) << row << " " << column;
                }
            }
        }
    }
}

// The frame nodes' boxes, along their own axes, must hold every patch, as the boxes along the
// coordinate axes do, and the blocks' corners must be their patches': searched with "inside the
// box or not" and "one of the corners or not" from each grid point, every patch around the
// point must be reached. Shapes where the axes turn from node to node (a wavy sheet far
// from the origin), where nodes have no normal (a sphere's poles, a closed seam), and a fold.
TEST(PatchTreeTest, FrameBoxesHoldEveryPatchAroundEachPoint) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> bump(-1, 1);
    const struct {
        const char* name;
        Surface surface;
    } shapes[] = {
        {"wavy, far away", samples::Sampled(70, 53,
                                            [&](double u, double v) {
                                                return Vec3{-3e5 + 400 * u, 7e5 + 300 * v,
                                                            60 * std::sin(9 * u) * std::cos(7 * v) +
                                                                0.01 * bump(random)};
                                            })},
        {"sphere", samples::Sphere({1, 2, 3}, 20, 37, 41)},
        {"tube", samples::Cylinder(5, 30, 40, 33)},
        {"fold", samples::Sampled(29, 35,
                                  [](double u, double v) {
                                      return Vec3{100 * u - 40 * std::sin(6.283 * u), 50 * v,
                                                  12 * std::sin(6.283 * u) + 3 * v};
                                  })},
    };
    for (const auto& shape : shapes) {
        const Surface& s = shape.surface;
        const Vec3 centre = s.Tree().Centre();
        for (int row = 0; row < s.Grid().Rows(); ++row) {
            for (int column = 0; column < s.Grid().Columns(); ++column) {
                const Vec3 p = s.Grid().At(row, column) - centre;
                // A relative 1e-6 of the coordinates for the rounding of single precision.
                const double slack = 1e-6 * (Length(p) + s.Tree().Size());
                const auto inside = [&](double at, float lo, float hi) {
                    return lo <= at + slack && at - slack <= hi;
                };
                struct Within {
                    const Vec3& p;
                    const decltype(inside)& in;
                    void operator()(const FrameNode& node, std::array<float, 4>& out) const {
                        const auto axes = node.Axes();
                        for (int c = 0; c < 4; ++c) {
                            bool all = true;
                            for (int i = 0; i < 3; ++i) {
                                const auto& a = axes[i];
                                all = all && in(a[0] * p.x + a[1] * p.y + a[2] * p.z, node.lo[i][c],
                                                node.hi[i][c]);
                            }
                            out[c] = all ? 0.0f : INFINITY;
                        }
                    }
                    // A patch is "near" when the point is one of its corners.
                    void operator()(const PatchCorners& patches, std::array<float, 4>& out) const {
                        const double x[3] = {p.x, p.y, p.z};
                        for (int c = 0; c < 4; ++c) {
                            bool corner = false;
                            for (int k = 0; k < 4; ++k) {
                                bool all = true;
                                for (int axis = 0; axis < 3; ++axis) {
                                    const float at = patches.corner[k][axis][c];
                                    all = all && in(x[axis], at, at);
                                }
                                corner = corner || all;
                            }
                            out[c] = corner && patches.missing[c] == 0.0f ? 0.0f : INFINITY;
                        }
                    }
                };
                Collector collector;
                s.Tree().SearchNearest(Within{p, inside}, collector);
                for (int r = std::max(row - 1, 0); r <= std::min(row, s.Grid().PatchRows() - 1);
                     ++r) {
                    for (int c = std::max(column - 1, 0);
                         c <= std::min(column, s.Grid().PatchColumns() - 1); ++c) {
                        EXPECT_TRUE(collector.seen.count({r, c}))
                            << shape.name << " " << row << " " << column;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace host::geometry
