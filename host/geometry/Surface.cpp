// Surface construction and (u, v) mapping.
#include "host/geometry/Surface.h"

#include <algorithm>
#include <cmath>

namespace host::geometry {
namespace {

// Splits a parameter in [0, 1] over `count` patches into a patch index and its local parameter.
std::pair<int, double> Split(double value, int count) {
    const double scaled = value * count;
    const int index = std::min(int(std::floor(scaled)), count - 1);
    return {index, scaled - index};
}

}  // namespace

platform::Expected<Surface> Surface::Make(int rows, int columns, std::vector<Vec3> points) {
    platform::Expected<SurfaceGrid> grid = SurfaceGrid::Make(rows, columns, std::move(points));
    if (!grid) {
        return grid.GetStatus();
    }
    return Surface(std::move(*grid));
}

std::optional<PatchParam> Surface::Locate(double u, double v) const {
    // Rounding in the caller's arithmetic may leave a boundary parameter a hair outside.
    constexpr double kSlack = 1e-9;
    if (!(u >= -kSlack && u <= 1.0 + kSlack && v >= -kSlack && v <= 1.0 + kSlack)) {
        return std::nullopt;
    }
    u = std::clamp(u, 0.0, 1.0);
    v = std::clamp(v, 0.0, 1.0);
    const auto [column, s] = Split(u, grid_.PatchColumns());
    const auto [row, t] = Split(v, grid_.PatchRows());
    return PatchParam{row, column, s, t};
}

}  // namespace host::geometry
