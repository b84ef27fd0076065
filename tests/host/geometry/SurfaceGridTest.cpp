// Surface grids: which grids are refused, with which reason, and which degenerate ones are kept.
#include "host/geometry/SurfaceGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SampleSurfaces.h"

namespace host::geometry {
namespace {

std::vector<Vec3> Flat(int rows, int columns) {
    std::vector<Vec3> points;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            points.push_back({double(c), double(r), 0.0});
        }
    }
    return points;
}

struct RefusedCase {
    const char* name;
    int rows;
    int columns;
    std::vector<Vec3> points;
    const char* reasonPart;
};

TEST(SurfaceGridTest, RefusesDegenerateGridsWithAReason) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<Vec3> withNan = Flat(3, 3);
    withNan[4].y = nan;
    std::vector<Vec3> withInf = Flat(3, 3);
    withInf[8].z = -inf;
    std::vector<Vec3> withHuge = Flat(3, 3);
    withHuge[3].x = 2e15;
    const RefusedCase cases[] = {
        {"one row", 1, 5, Flat(1, 5), "fewer than 2 x 2"},
        {"one column", 5, 1, Flat(5, 1), "fewer than 2 x 2"},
        {"negative rows", -2, 2, {}, "fewer than 2 x 2"},
        {"too few points", 3, 3, Flat(3, 2), "was given 6 points"},
        {"too many points", 2, 2, Flat(3, 3), "was given 9 points"},
        // Regression: a NaN coordinate made every box test fail silently instead of refusing.
        {"NaN coordinate", 3, 3, withNan, "row 1, column 1 is not a finite"},
        {"infinite coordinate", 3, 3, withInf, "row 2, column 2 is not a finite"},
        // Regression guard: squared distances to such points overflow the tree's boxes.
        {"huge coordinate", 3, 3, withHuge, "row 1, column 0 lies beyond 1e15"},
        {"all points repeated", 2, 2, std::vector<Vec3>(4, Vec3{1, 2, 3}), "no area"},
        {"points on one line",
         2,
         3,
         {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}},
         "no area"},
        {"huge dimensions", 1 << 16, 1 << 16, {}, "too many points"},
    };
    for (const RefusedCase& c : cases) {
        const platform::Expected<SurfaceGrid> grid = SurfaceGrid::Make(c.rows, c.columns, c.points);
        EXPECT_FALSE(grid) << c.name;
        EXPECT_NE(grid.Describe().find(c.reasonPart), std::string::npos)
            << c.name << ": " << grid.Describe();
    }
}

TEST(SurfaceGridTest, KeepsGridsWithSomeRepeatedPoints) {
    // A sphere's poles are rows of one repeated point; a seam repeats a column.
    EXPECT_TRUE(SurfaceGrid::Make(2, 2, {{0, 0, 0}, {0, 0, 0}, {0, 1, 0}, {1, 1, 0}}));
    const Surface sphere = samples::Sphere({}, 1.0, 9, 17);
    EXPECT_EQ(sphere.Grid().PatchCount(), 8u * 16u);
}

TEST(SurfaceGridTest, PatchesFollowTheRowMajorLayout) {
    const platform::Expected<SurfaceGrid> grid = SurfaceGrid::Make(3, 4, Flat(3, 4));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->PatchRows(), 2);
    EXPECT_EQ(grid->PatchColumns(), 3);
    const BilinearPatch patch = grid->Patch(1, 2);
    EXPECT_EQ(patch.p00, (Vec3{2, 1, 0}));
    EXPECT_EQ(patch.p10, (Vec3{3, 1, 0}));
    EXPECT_EQ(patch.p01, (Vec3{2, 2, 0}));
    EXPECT_EQ(patch.p11, (Vec3{3, 2, 0}));
}

// The box is taken in the same pass as the checks: every corner from a different point, all of
// them negative, and points both sides of the origin.
TEST(SurfaceGridTest, BoxHoldsEveryPointAndTouchesEachFace) {
    const struct {
        const char* name;
        std::vector<Vec3> points;
        Vec3 lowest, highest;
    } cases[] = {
        {"corners apart", {{1, 5, -2}, {4, 0, 3}, {-1, 2, 0}, {2, 7, 1}}, {-1, 0, -2}, {4, 7, 3}},
        {"all negative",
         {{-9, -8, -7}, {-1, -8, -7}, {-9, -2, -7}, {-1, -2, -3}},
         {-9, -8, -7},
         {-1, -2, -3}},
        {"far away",
         {{1e14, -1e14, 5},
          {1e14 + 1e5, -1e14, 5},
          {1e14, -1e14 + 1e5, 6},
          {1e14 + 1e5, -1e14 + 1e5, 5}},
         {1e14, -1e14, 5},
         {1e14 + 1e5, -1e14 + 1e5, 6}},
    };
    for (const auto& c : cases) {
        const platform::Expected<SurfaceGrid> grid = SurfaceGrid::Make(2, 2, c.points);
        ASSERT_TRUE(grid) << c.name;
        EXPECT_EQ(grid->Lowest(), c.lowest) << c.name;
        EXPECT_EQ(grid->Highest(), c.highest) << c.name;
    }
}

}  // namespace
}  // namespace host::geometry
