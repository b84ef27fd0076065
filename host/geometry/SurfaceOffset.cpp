// Offsetting a grid along its point normals.
#include "host/geometry/SurfaceOffset.h"

#include <cmath>
#include <string>
#include <vector>

#include "host/geometry/LargePages.h"

namespace host::geometry {

platform::Expected<SurfaceGrid> OffsetSurface(const SurfaceGrid& grid, double distance, Side side) {
    if (!std::isfinite(distance)) {
        return platform::Status::Failure("offset distance is not a finite number");
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
    ReserveLargePages(points, grid.Points().size());
    const int rows = grid.Rows();
    const int columns = grid.Columns();
    for (int row = 0; row < rows; ++row) {
        const Vec3* here = &grid.Points()[std::size_t(row) * columns];
        for (int column = 0; column < columns; ++column) {
            // Inside the grid, GridPointNormal's central differences and its test for a normal,
            // spelled out: this loop runs over every point of surfaces of a million points.
            if (row > 0 && row < rows - 1 && column > 0 && column < columns - 1) {
                const Vec3 du = 0.5 * (here[column + 1] - here[column - 1]);
                const Vec3 dv = 0.5 * (here[column + columns] - here[column - columns]);
                const Vec3 n = Cross(du, dv);
                const double lengthSq = Dot(n, n);
                const double scale = Dot(du, du) + Dot(dv, dv);
                if (lengthSq > 1e-24 * scale * scale && lengthSq > 0.0) {
                    points.push_back(here[column] +
                                     signedDistance * ((1.0 / std::sqrt(lengthSq)) * n));
                    continue;
                }
            }
            const std::optional<Vec3> n = GridPointNormal(grid, row, column);
            if (!n) {
                return platform::Status::Failure(
                    "surface has no normal at row " + std::to_string(row) + ", column " +
                    std::to_string(column) + ", so it cannot be offset");
            }
            points.push_back(here[column] + signedDistance * *n);
        }
    }
    // Offsetting may collapse a curved surface (inwards beyond its radius); the checks say so.
    return SurfaceGrid::Make(grid.Rows(), grid.Columns(), std::move(points));
}

}  // namespace host::geometry
