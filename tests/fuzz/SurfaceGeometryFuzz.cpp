// Fuzz target: a small surface grid from arbitrary bytes (NaN, infinities and repeated points
// included), then projection both ways, normals and offsets, checked against brute force.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/geometry/Projection.h"
#include "host/geometry/SurfaceNormal.h"
#include "host/geometry/SurfaceOffset.h"

namespace {

using host::geometry::Vec3;

// Reads doubles from the bytes: small integers from one byte (so repeated and coplanar points
// are common), raw doubles when the byte says so.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    double Number() {
        const std::uint8_t b = Byte();
        if (b != 0xff) {
            return double(int(b % 32) - 16);
        }
        double d = 0.0;
        std::uint8_t raw[sizeof d] = {};
        for (std::uint8_t& r : raw) {
            r = Byte();
        }
        std::memcpy(&d, raw, sizeof d);
        return d;
    }
    Vec3 Point() {
        const double x = Number();
        const double y = Number();
        return {x, y, Number()};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace host::geometry;
    Reader in(data, size);
    const int rows = in.Byte() % 7;
    const int columns = in.Byte() % 7;
    std::vector<Vec3> points;
    for (int i = 0; i < rows * columns; ++i) {
        points.push_back(in.Point());
    }
    const platform::Expected<Surface> surface = Surface::Make(rows, columns, std::move(points));
    if (!surface) {
        return 0;
    }
    const Vec3 point = in.Point();
    const Vec3 direction = in.Point();
    const auto fast = ProjectAlong(*surface, point, direction);
    const auto slow = ProjectAlongBruteForce(*surface, point, direction);
    if (fast.has_value() != slow.has_value() ||
        (fast &&
         std::abs(fast->distance - slow->distance) > 1e-6 * (1 + std::abs(slow->distance)))) {
        std::abort();  // the tree lost or invented an intersection
    }
    const auto foot = NearestPoint(*surface, point);
    const auto footSlow = NearestPointBruteForce(*surface, point);
    if (foot.has_value() != footSlow.has_value() ||
        (foot && std::abs(foot->distance - footSlow->distance) > 1e-6 * (1 + footSlow->distance))) {
        std::abort();  // the tree pruned the nearest patch
    }
    if (foot) {
        (void)SurfaceNormal(*surface, foot->u, foot->v, Side::One);
    }
    const platform::Expected<SurfaceGrid> offset =
        OffsetSurface(surface->Grid(), in.Number(), Side::Zero);
    if (offset) {
        (void)ProjectAlong(Surface(*offset), point, direction);
    }
    return 0;
}
