// A surface as the host stores it: rows x columns points, row-major, refused when degenerate.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "host/geometry/BilinearPatch.h"
#include "host/geometry/Vec3.h"
#include "platform/Status.h"

namespace host::geometry {

enum class Side;

class SurfaceGrid {
public:
    // Largest accepted number of points; bigger grids are refused rather than exhausting memory.
    static constexpr std::size_t kMaxPoints = std::size_t{1} << 27;
    // Largest accepted coordinate magnitude, for surfaces and queries alike: squared distances
    // then stay far inside single precision's range, which the patch tree's boxes use.
    static constexpr double kLargestCoordinate = 1e15;

    // True when every coordinate is finite and no larger than kLargestCoordinate.
    [[nodiscard]] static bool InRange(Vec3 p) {
        return std::abs(p.x) <= kLargestCoordinate && std::abs(p.y) <= kLargestCoordinate &&
               std::abs(p.z) <= kLargestCoordinate;
    }

    // A grid of `rows` x `columns` points given row by row, or the reason it is refused: fewer
    // than 2 x 2 points, a count that does not match, a coordinate that is not finite or beyond
    // kLargestCoordinate, or no area
    // at all (every point repeated or on one line). Single repeated points are accepted.
    [[nodiscard]] static platform::Expected<SurfaceGrid> Make(int rows, int columns,
                                                              std::vector<Vec3> points);

    [[nodiscard]] int Rows() const { return rows_; }
    [[nodiscard]] int Columns() const { return columns_; }
    // Patches between neighbouring points: (rows - 1) x (columns - 1).
    [[nodiscard]] int PatchRows() const { return rows_ - 1; }
    [[nodiscard]] int PatchColumns() const { return columns_ - 1; }
    [[nodiscard]] std::size_t PatchCount() const {
        return std::size_t(PatchRows()) * std::size_t(PatchColumns());
    }
    // The point at `row`, `column` (both in range).
    [[nodiscard]] Vec3 At(int row, int column) const {
        return points_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)];
    }
    // The patch whose first corner is the point at `row`, `column`; s runs along the columns.
    [[nodiscard]] BilinearPatch Patch(int row, int column) const {
        return PatchFrom(std::size_t(row) * std::size_t(columns_) + std::size_t(column));
    }
    // The same by the index of its first corner among the points (row * columns + column).
    [[nodiscard]] BilinearPatch PatchFrom(std::size_t first) const {
        const std::size_t next = first + std::size_t(columns_);
        return {points_[first], points_[first + 1], points_[next], points_[next + 1]};
    }
    [[nodiscard]] const std::vector<Vec3>& Points() const { return points_; }
    // The box around the points, corner by corner.
    [[nodiscard]] Vec3 Lowest() const { return lowest_; }
    [[nodiscard]] Vec3 Highest() const { return highest_; }

    // True when two points are one up to rounding (a relative 1e-10 of the coordinates' size).
    [[nodiscard]] bool Coincide(Vec3 a, Vec3 b) const { return Length(a - b) <= coincidence_; }
    // True when the first and last column (row) coincide, as on a tube's or sphere's seam.
    [[nodiscard]] bool ClosedAlongU() const { return closedAlongU_; }
    [[nodiscard]] bool ClosedAlongV() const { return closedAlongV_; }

private:
    // An offset checks its points as it writes them (SurfaceOffset.cpp), so that a grid of a
    // million points is not read once more for the checks.
    friend platform::Expected<SurfaceGrid> OffsetSurface(const SurfaceGrid& grid, double distance,
                                                         Side side);
    // Make's checks after the points' own: `points` (rows x columns of them, rows and columns at
    // least 2, at most kMaxPoints) are every one InRange, with the box `lowest`, `highest`.
    static platform::Expected<SurfaceGrid> FromCheckedPoints(int rows, int columns,
                                                             std::vector<Vec3> points, Vec3 lowest,
                                                             Vec3 highest);

    SurfaceGrid(int rows, int columns, std::vector<Vec3> points, double coincidence)
        : rows_(rows), columns_(columns), points_(std::move(points)), coincidence_(coincidence) {}

    int rows_;
    int columns_;
    std::vector<Vec3> points_;
    double coincidence_;
    Vec3 lowest_;
    Vec3 highest_;
    bool closedAlongU_ = false;
    bool closedAlongV_ = false;
};

}  // namespace host::geometry
