// Surface normals from the bilinear patches and from the grid's points.
#include "host/geometry/SurfaceNormal.h"

#include <algorithm>
#include <cmath>

namespace host::geometry {
namespace {

// `n` scaled to unit length, or nullopt when it is too short to have a direction compared with
// the derivatives it came from.
std::optional<Vec3> Unit(Vec3 n, double scaleSq) {
    const double lengthSq = Dot(n, n);
    if (!(lengthSq > 1e-24 * scaleSq * scaleSq) || !(lengthSq > 0.0)) {
        return std::nullopt;
    }
    return (1.0 / std::sqrt(lengthSq)) * n;
}

std::optional<Vec3> PatchNormal(const BilinearPatch& patch, double s, double t) {
    const Vec3 ds = patch.DerivS(t);
    const Vec3 dt = patch.DerivT(s);
    return Unit(Cross(ds, dt), Dot(ds, ds) + Dot(dt, dt));
}

// Derivative of the grid along one index at position `i` of `count`, from the points `at(k)`;
// on a closed seam the neighbours wrap around, since the first and last points are one.
template <class At>
Vec3 GridDerivative(At at, int i, int count, bool closed) {
    if (closed && count > 2 && (i == 0 || i == count - 1)) {
        return 0.5 * (at(1) - at(count - 2));
    }
    if (count == 2) {
        return at(1) - at(0);
    }
    if (i == 0) {
        return 0.5 * (-3.0 * at(0) + 4.0 * at(1) - at(2));
    }
    if (i == count - 1) {
        return 0.5 * (3.0 * at(i) - 4.0 * at(i - 1) + at(i - 2));
    }
    return 0.5 * (at(i + 1) - at(i - 1));
}

// Average of the normals of the patches around a grid point, each taken at its corner nearest the
// point or, where that corner is collapsed, at the patch's centre. Along a collapsed direction
// (a pole's row of one point) every patch of the neighbouring rows takes part.
std::optional<Vec3> AverageOfPatches(const SurfaceGrid& grid, int row, int column,
                                     bool rowCollapsed, bool columnCollapsed) {
    const int firstColumn = rowCollapsed ? 0 : std::max(column - 1, 0);
    const int lastColumn =
        rowCollapsed ? grid.PatchColumns() - 1 : std::min(column, grid.PatchColumns() - 1);
    const int firstRow = columnCollapsed ? 0 : std::max(row - 1, 0);
    const int lastRow =
        columnCollapsed ? grid.PatchRows() - 1 : std::min(row, grid.PatchRows() - 1);
    Vec3 sum;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const BilinearPatch patch = grid.Patch(r, c);
            std::optional<Vec3> n = PatchNormal(patch, std::clamp(double(column - c), 0.0, 1.0),
                                                std::clamp(double(row - r), 0.0, 1.0));
            if (!n) {
                n = PatchNormal(patch, 0.5, 0.5);
            }
            if (n) {
                sum = sum + *n;
            }
        }
    }
    return Unit(sum, 1.0);
}

}  // namespace

std::optional<Side> SideFromNumber(int number) {
    if (number == 0) {
        return Side::Zero;
    }
    if (number == 1) {
        return Side::One;
    }
    return std::nullopt;
}

std::optional<Vec3> SurfaceNormal(const Surface& surface, double u, double v, Side side) {
    const std::optional<PatchParam> at = surface.Locate(u, v);
    if (!at) {
        return std::nullopt;
    }
    const BilinearPatch patch = surface.Grid().Patch(at->row, at->column);
    std::optional<Vec3> n = PatchNormal(patch, at->s, at->t);
    // At a collapsed edge (a sphere's pole, say) the normal a little inside the patch is the
    // limit the surface approaches there.
    constexpr double kInside = 1e-6;
    if (!n) {
        n = PatchNormal(patch, std::clamp(at->s, kInside, 1.0 - kInside),
                        std::clamp(at->t, kInside, 1.0 - kInside));
    }
    if (!n) {
        return std::nullopt;
    }
    switch (side) {
        case Side::Zero:
            return *n;
        case Side::One:
            return -*n;
    }
    return std::nullopt;
}

std::optional<Vec3> GridPointNormal(const SurfaceGrid& grid, int row, int column) {
    // Inside the grid: the central differences of GridDerivative, without its cases, since an
    // offset asks this of every point.
    if (row > 0 && row < grid.Rows() - 1 && column > 0 && column < grid.Columns() - 1) {
        const Vec3 du = 0.5 * (grid.At(row, column + 1) - grid.At(row, column - 1));
        const Vec3 dv = 0.5 * (grid.At(row + 1, column) - grid.At(row - 1, column));
        if (const std::optional<Vec3> n = Unit(Cross(du, dv), Dot(du, du) + Dot(dv, dv))) {
            return n;
        }
    }
    const Vec3 du = GridDerivative([&](int k) { return grid.At(row, k); }, column, grid.Columns(),
                                   grid.ClosedAlongU());
    const Vec3 dv = GridDerivative([&](int k) { return grid.At(k, column); }, row, grid.Rows(),
                                   grid.ClosedAlongV());
    const double scale = Dot(du, du) + Dot(dv, dv);
    if (const std::optional<Vec3> n = Unit(Cross(du, dv), scale)) {
        return n;
    }
    return AverageOfPatches(grid, row, column, Dot(du, du) <= 1e-20 * scale,
                            Dot(dv, dv) <= 1e-20 * scale);
}

}  // namespace host::geometry
