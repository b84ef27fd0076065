// Fuzz target for the fast paths: a grid of up to 32 x 32 points shaped from a few bytes (folds,
// closed seams, collapsed rows, bumps), then lines and points aimed at its corners and edges,
// exactly or off by about the tolerance; the tree, or the grid along one direction when the
// lines share it, must give brute force's answers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "host/geometry/Projection.h"

namespace {

using host::geometry::Vec3;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    // A number in [-1, 1] in 1/127 steps, so that exact zeros and ones are common.
    double Signed() { return (int(Next()) - 128) / 127.0; }
    bool More() const { return at_ < size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::vector<Vec3> ShapedPoints(Bytes& in, int rows, int columns) {
    const double fold = 3.0 * in.Signed();    // x runs back on itself when |fold| > 1 / (2 pi)
    const double bump = 10.0 * in.Signed();   // height of the waves
    const std::uint8_t kind = in.Next() % 4;  // sheet, tube (closed seam), sphere (poles), cone
    const double noise = 0.1 * in.Signed();
    std::vector<Vec3> points;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double u = double(c) / (columns - 1);
            const double v = double(r) / (rows - 1);
            const double a = 2.0 * std::numbers::pi * u;
            const double jitter = noise * std::sin(97.0 * u + 61.0 * v);
            switch (kind) {
                case 0:
                    points.push_back({40.0 * (u - fold * std::sin(a) / 6.0), 30.0 * v,
                                      bump * std::sin(a) * std::cos(5.0 * v) + jitter});
                    break;
                case 1:
                    points.push_back({30.0 * v, 10.0 * std::cos(a), 10.0 * std::sin(a) + jitter});
                    break;
                case 2: {
                    const double lat = std::numbers::pi * (v - 0.5);
                    points.push_back({15.0 * std::cos(lat) * std::cos(a),
                                      15.0 * std::cos(lat) * std::sin(a), 15.0 * std::sin(lat)});
                    break;
                }
                default:
                    points.push_back({20.0 * v * std::cos(a), 20.0 * v * std::sin(a),
                                      bump * (1.0 - v) + jitter});
                    break;
            }
        }
    }
    return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace host::geometry;
    Bytes in(data, size);
    const int rows = 2 + in.Next() % 31;
    const int columns = 2 + in.Next() % 31;
    const platform::Expected<Surface> made =
        Surface::Make(rows, columns, ShapedPoints(in, rows, columns));
    if (!made) {
        return 0;
    }
    const Surface& surface = *made;
    // Lines along one direction, after a run along it long enough to build its grid.
    const bool oneDirection = in.Next() % 2 == 0;
    const Vec3 shared{in.Signed(), in.Signed(), in.Signed()};
    if (oneDirection) {
        const std::size_t run = DirectionGrids::RunToBuild(surface.Grid().PatchCount());
        for (std::size_t i = 0; i < run; ++i) {
            (void)ProjectAlong(surface, surface.Tree().Centre(), shared);
        }
    }
    for (int query = 0; query < 8 && in.More(); ++query) {
        // A target on a patch's border or inside it, a direction, how far back along it the
        // point starts and how far aside.
        const BilinearPatch patch = surface.Grid().Patch(in.Next() % surface.Grid().PatchRows(),
                                                         in.Next() % surface.Grid().PatchColumns());
        const double s = std::abs(in.Signed());
        const double t = std::abs(in.Signed());
        const Vec3 target = patch.At(s, t);
        const Vec3 own{in.Signed(), in.Signed(), in.Signed()};
        const Vec3 direction = oneDirection ? shared : own;
        const double back = 100.0 * in.Signed();
        const Vec3 aside = 2.0 * kHostTolerance * Vec3{in.Signed(), in.Signed(), in.Signed()};
        const Vec3 point = target + aside - back * direction;

        const auto fast = ProjectAlong(surface, point, direction);
        const auto slow = ProjectAlongBruteForce(surface, point, direction);
        if (fast.has_value() != slow.has_value() ||
            (fast &&
             std::abs(fast->distance - slow->distance) > 1e-9 * (1 + std::abs(slow->distance)))) {
            std::abort();  // the tree or the grid lost or invented an intersection
        }
        // The foot of the target (nearly on the surface) and of the line's starting point (away
        // from it, where the frame nodes' boxes along their own axes do the pruning).
        for (const Vec3 from : {target + aside, point}) {
            const auto foot = NearestPoint(surface, from);
            const auto footSlow = NearestPointBruteForce(surface, from);
            if (!foot || !footSlow ||
                std::abs(foot->distance - footSlow->distance) > 1e-9 * (1 + footSlow->distance)) {
                std::abort();  // the tree pruned the nearest patch
            }
        }
    }
    return 0;
}
