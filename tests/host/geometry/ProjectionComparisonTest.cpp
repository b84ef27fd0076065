// The tree's answers against brute force on awkward surfaces (folds, seams, collapsed poles,
// pinched points, flat sheets) for random lines and points, and for lines grazing the patches'
// edges and corners, where boxes touch and rounding decides.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "SampleSurfaces.h"
#include "host/geometry/Projection.h"

namespace host::geometry {
namespace {

constexpr double kPi = std::numbers::pi;

struct Shape {
    std::string name;
    Surface surface;
};

std::vector<Shape> Shapes() {
    std::vector<Shape> shapes;
    // x runs back on itself twice, so lines cross the sheet up to three times.
    shapes.push_back({"fold", samples::Sampled(23, 31, [](double u, double v) {
                          return Vec3{100 * u - 40 * std::sin(2 * kPi * u), 50 * v,
                                      12 * std::sin(2 * kPi * u) + 3 * v};
                      })});
    shapes.push_back({"seam", samples::Cylinder(10, 40, 25, 19)});
    shapes.push_back({"poles", samples::Sphere({3, -2, 1}, 15, 17, 24)});
    // A cone whose apex row is one point, its side bumpy.
    shapes.push_back({"pinch", samples::Sampled(14, 21, [](double u, double v) {
                          const double a = 2 * kPi * u;
                          const double r = 20 * v * (1 + 0.1 * std::sin(5 * a));
                          return Vec3{r * std::cos(a), r * std::sin(a), 30 * (1 - v)};
                      })});
    // Coplanar points: lines in the plane, lines through edges shared by two patches.
    shapes.push_back({"flat", samples::TiltedPlane(0.0, 2.0, 17)});
    // A long strip: the upper levels' nodes have children beyond the grid on one side.
    shapes.push_back({"strip", samples::Sampled(5, 70, [](double u, double v) {
                          return Vec3{200 * v, 8 * u, 6 * std::sin(9 * v) * (u - 0.5)};
                      })});
    return shapes;
}

// A point on the border of a patch: a corner, or a point along one of its edges.
Vec3 OnPatchBorder(const Surface& s, std::mt19937& random) {
    std::uniform_int_distribution<int> row(0, s.Grid().PatchRows() - 1);
    std::uniform_int_distribution<int> column(0, s.Grid().PatchColumns() - 1);
    std::uniform_real_distribution<double> along(0, 1);
    const BilinearPatch patch = s.Grid().Patch(row(random), column(random));
    switch (random() % 3) {
        case 0:
            return patch.At(double(random() % 2), double(random() % 2));
        case 1:
            return patch.At(along(random), double(random() % 2));
        default:
            return patch.At(double(random() % 2), along(random));
    }
}

void ExpectSameLineAnswer(const Surface& s, Vec3 point, Vec3 direction, const std::string& what) {
    const auto fast = ProjectAlong(s, point, direction);
    const auto slow = ProjectAlongBruteForce(s, point, direction);
    ASSERT_EQ(fast.has_value(), slow.has_value()) << what;
    if (fast) {
        EXPECT_NEAR(fast->distance, slow->distance, 1e-9 * (1 + std::abs(slow->distance))) << what;
    }
}

void ExpectSameFoot(const Surface& s, Vec3 point, const std::string& what) {
    const auto fast = NearestPoint(s, point);
    const auto slow = NearestPointBruteForce(s, point);
    ASSERT_TRUE(fast && slow) << what;
    EXPECT_NEAR(fast->distance, slow->distance, 1e-9 * (1 + slow->distance)) << what;
}

TEST(ProjectionComparisonTest, RandomLinesAndPointsAgreeWithBruteForce) {
    std::mt19937 random(31);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (const Shape& shape : Shapes()) {
        const Vec3 centre = shape.surface.Tree().Centre();
        const double reach = shape.surface.Tree().Size();
        for (int i = 0; i < 400; ++i) {
            const Vec3 point = centre + reach * Vec3{unit(random), unit(random), unit(random)};
            const Vec3 direction{unit(random), unit(random), unit(random)};
            const std::string what = shape.name + " #" + std::to_string(i);
            ExpectSameLineAnswer(shape.surface, point, direction, what);
            ExpectSameFoot(shape.surface, point, what);
        }
    }
}

// Lines aimed at corners and edges, exactly or off by about the tolerance, from near and far,
// some almost in the surface (grazing it).
TEST(ProjectionComparisonTest, LinesGrazingEdgesAndCornersAgreeWithBruteForce) {
    std::mt19937 random(37);
    std::uniform_real_distribution<double> unit(-1, 1);
    const double offsets[] = {0.0, 0.5 * kHostTolerance, 1.5 * kHostTolerance, 1e-12};
    const double distances[] = {0.0, 1e-3, 5.0, 1e4};
    for (const Shape& shape : Shapes()) {
        for (int i = 0; i < 400; ++i) {
            const Vec3 target = OnPatchBorder(shape.surface, random);
            Vec3 direction{unit(random), unit(random), unit(random)};
            if (i % 4 == 0) {
                // Nearly along the surface: from the target towards a neighbouring border point.
                direction = OnPatchBorder(shape.surface, random) - target +
                            1e-6 * Vec3{unit(random), unit(random), unit(random)};
            }
            const Vec3 aside = offsets[i % 4] * Vec3{unit(random), unit(random), unit(random)};
            const Vec3 point = target + aside - distances[(i / 4) % 4] * direction;
            const std::string what = shape.name + " #" + std::to_string(i);
            ExpectSameLineAnswer(shape.surface, point, direction, what);
            ExpectSameFoot(shape.surface, target + aside, what);
        }
    }
}

// Runs of lines along one direction, long enough that the surface then answers them from its
// grid along that direction (over folds, the seam seen end on, the poles, the apex): before the
// grid and after it, aimed at borders or off them by about the tolerance, or anywhere at all,
// the answers are brute force's. The flat sheet seen edge on gets no grid and keeps its tree.
TEST(ProjectionComparisonTest, RunsAlongOneDirectionAgreeWithBruteForce) {
    std::mt19937 random(43);
    std::uniform_real_distribution<double> unit(-1, 1);
    const double offsets[] = {0.0, 0.5 * kHostTolerance, 1.5 * kHostTolerance, 1e-12};
    for (const Shape& shape : Shapes()) {
        const Surface& s = shape.surface;
        const Vec3 directions[] = {{0, 0, -1}, {1, 0, 0}, {unit(random), unit(random), 1}};
        for (const Vec3 direction : directions) {
            const std::size_t run = DirectionGrids::RunToBuild(s.Grid().PatchCount()) + 200;
            for (std::size_t i = 0; i < run; ++i) {
                const Vec3 target =
                    i % 5 == 0
                        ? s.Tree().Centre() +
                              s.Tree().Size() * Vec3{unit(random), unit(random), unit(random)}
                        : OnPatchBorder(s, random);
                const Vec3 aside = offsets[i % 4] * Vec3{unit(random), unit(random), unit(random)};
                const std::string what = shape.name + " #" + std::to_string(i);
                ExpectSameLineAnswer(s, target + aside - 30.0 * direction, direction, what);
            }
        }
        EXPECT_GT(s.Grids().Bytes(), 0u) << shape.name;
    }
    EXPECT_EQ(DirectionGrid::Build(samples::TiltedPlane(0.0, 2.0).Grid(), {1, 0, 0}), nullptr);
}

// The nearest point through the frame nodes on a surface large enough for several levels of
// them, wavy and tilted so that their axes turn, from points near it (where neighbouring patches
// nearly tie) to far above, below and beside it.
TEST(ProjectionComparisonTest, NearestPointsAtEveryDistanceAgreeWithBruteForce) {
    const Surface wave = samples::Sampled(90, 130, [](double u, double v) {
        return Vec3{5e3 + 260 * u, -2e3 + 180 * v,
                    0.3 * 260 * u + 15 * std::sin(20 * u) * std::cos(13 * v)};
    });
    std::mt19937 random(41);
    std::uniform_real_distribution<double> unit(-1, 1);
    const double heights[] = {0.0, 1e-3, 0.7, 6.0, 40.0, 400.0};
    for (int i = 0; i < 600; ++i) {
        const double u = 0.5 + 0.6 * unit(random);  // a tenth beyond the border on each side
        const double v = 0.5 + 0.6 * unit(random);
        const Vec3 above{5e3 + 260 * u, -2e3 + 180 * v, 0.3 * 260 * u};
        const Vec3 point = above + heights[i % 6] * Vec3{0.2 * unit(random), 0.2 * unit(random),
                                                         i % 2 == 0 ? 1.0 : -1.0};
        ExpectSameFoot(wave, point, "wave #" + std::to_string(i));
    }
}

}  // namespace
}  // namespace host::geometry
