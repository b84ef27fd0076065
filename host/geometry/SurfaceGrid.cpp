// Validation of host surface grids.
#include "host/geometry/SurfaceGrid.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace host::geometry {
namespace {

// True when the points span an area: a grid without one cannot be projected onto.
bool HasArea(const std::vector<Vec3>& points, double apart) {
    const Vec3 first = points.front();
    Vec3 direction;
    for (const Vec3& p : points) {
        if (Length(p - first) > apart) {
            direction = (1.0 / Length(p - first)) * (p - first);
            break;
        }
    }
    for (const Vec3& p : points) {
        if (Length(Cross(direction, p - first)) > apart) {
            return true;
        }
    }
    return false;
}

}  // namespace

platform::Expected<SurfaceGrid> SurfaceGrid::Make(int rows, int columns, std::vector<Vec3> points) {
    if (rows < 2 || columns < 2) {
        return platform::Status::Failure("surface has fewer than 2 x 2 points (" +
                                         std::to_string(rows) + " x " + std::to_string(columns) +
                                         ")");
    }
    const std::size_t count = std::size_t(rows) * std::size_t(columns);
    if (count > kMaxPoints) {
        return platform::Status::Failure("surface has too many points (" + std::to_string(count) +
                                         ")");
    }
    if (points.size() != count) {
        return platform::Status::Failure("surface of " + std::to_string(rows) + " x " +
                                         std::to_string(columns) + " points was given " +
                                         std::to_string(points.size()) + " points");
    }
    // One pass for the range, the box and the largest coordinate (the points of a large surface
    // are read once here, once more for its tree).
    Vec3 lowest = points.front();
    Vec3 highest = lowest;
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3& p = points[i];
        if (!InRange(p)) {
            return platform::Status::Failure(
                "surface point at row " + std::to_string(i / columns) + ", column " +
                std::to_string(i % columns) +
                (IsFinite(p) ? " lies beyond 1e15 from the origin" : " is not a finite number"));
        }
        lowest = {std::min(lowest.x, p.x), std::min(lowest.y, p.y), std::min(lowest.z, p.z)};
        highest = {std::max(highest.x, p.x), std::max(highest.y, p.y), std::max(highest.z, p.z)};
    }
    return FromCheckedPoints(rows, columns, std::move(points), lowest, highest);
}

platform::Expected<SurfaceGrid> SurfaceGrid::FromCheckedPoints(int rows, int columns,
                                                               std::vector<Vec3> points,
                                                               Vec3 lowest, Vec3 highest) {
    // Points closer than this count as one: a relative 1e-10 of the coordinates' size, so that
    // points that differ only by rounding (a seam, a pole, a surface collapsed by an offset)
    // match.
    const double largest =
        std::max({-lowest.x, -lowest.y, -lowest.z, highest.x, highest.y, highest.z});
    const double apart = 1e-10 * (1.0 + largest);
    if (!HasArea(points, apart)) {
        return platform::Status::Failure(
            "surface has no area: its points all coincide or lie on one line");
    }
    SurfaceGrid grid(rows, columns, std::move(points), apart);
    grid.lowest_ = lowest;
    grid.highest_ = highest;
    grid.closedAlongU_ = true;
    for (int r = 0; r < rows; ++r) {
        grid.closedAlongU_ =
            grid.closedAlongU_ && grid.Coincide(grid.At(r, 0), grid.At(r, columns - 1));
    }
    grid.closedAlongV_ = true;
    for (int c = 0; c < columns; ++c) {
        grid.closedAlongV_ =
            grid.closedAlongV_ && grid.Coincide(grid.At(0, c), grid.At(rows - 1, c));
    }
    return grid;
}

}  // namespace host::geometry
