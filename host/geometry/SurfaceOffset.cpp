// Offsetting a grid along its point normals.
#include "host/geometry/SurfaceOffset.h"

#include <cmath>
#include <string>
#include <vector>

#include "host/geometry/LargePages.h"

namespace host::geometry {

Checked<SurfaceGrid> OffsetSurface(const SurfaceGrid& grid, double distance, Side side) {
    if (!std::isfinite(distance)) {
        return Checked<SurfaceGrid>::Refused("offset distance is not a finite number");
    }
    double signedDistance = distance;
    switch (side) {
        case Side::Zero:
            break;
        case Side::One:
            signedDistance = -distance;
            break;
    }
    std::vector<Vec3> points;
    ReserveLargePages(points, grid.points().size());
    for (int row = 0; row < grid.rows(); ++row) {
        for (int column = 0; column < grid.columns(); ++column) {
            const std::optional<Vec3> n = GridPointNormal(grid, row, column);
            if (!n) {
                return Checked<SurfaceGrid>::Refused(
                    "surface has no normal at row " + std::to_string(row) + ", column " +
                    std::to_string(column) + ", so it cannot be offset");
            }
            points.push_back(grid.At(row, column) + signedDistance * *n);
        }
    }
    // Offsetting may collapse a curved surface (inwards beyond its radius); the checks say so.
    return SurfaceGrid::Make(grid.rows(), grid.columns(), std::move(points));
}

}  // namespace host::geometry
