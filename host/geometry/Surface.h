// A host surface ready for queries: its grid, the patch tree built once, and (u, v) mapping.
#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "host/geometry/DirectionGrid.h"
#include "host/geometry/PatchTree.h"
#include "host/geometry/SurfaceGrid.h"
#include "platform/Status.h"

namespace host::geometry {

// The tolerance the host's callers pass (model units).
inline constexpr double kHostTolerance = 0.0001;

// Where a surface parameter (u, v) falls: a patch and the parameters inside it.
struct PatchParam {
    int row = 0;
    int column = 0;
    double s = 0.0;
    double t = 0.0;
};

// u runs along the columns and v along the rows, each from 0 at the first point to 1 at the last;
// grid point (row, column) sits at u = column / (columns - 1), v = row / (rows - 1).
class Surface {
public:
    // Builds the tree over an accepted grid.
    explicit Surface(SurfaceGrid grid) : grid_(std::move(grid)), tree_(grid_) {}
    // Copies and moves keep the tree and point it at their own grid. The direction grids depend
    // on the points alone, so that copies share them.
    Surface(const Surface& other)
        : grid_(other.grid_), tree_(other.tree_), directionGrids_(other.directionGrids_) {
        tree_.Attach(grid_);
    }
    Surface(Surface&& other) noexcept
        : grid_(std::move(other.grid_)),
          tree_(std::move(other.tree_)),
          directionGrids_(std::move(other.directionGrids_)) {
        tree_.Attach(grid_);
    }
    Surface& operator=(const Surface& other) {
        grid_ = other.grid_;
        tree_ = other.tree_;
        directionGrids_ = other.directionGrids_;
        tree_.Attach(grid_);
        return *this;
    }
    Surface& operator=(Surface&& other) noexcept {
        grid_ = std::move(other.grid_);
        tree_ = std::move(other.tree_);
        directionGrids_ = std::move(other.directionGrids_);
        tree_.Attach(grid_);
        return *this;
    }
    // A surface from raw points, or the reason the grid is refused (see SurfaceGrid::Make).
    [[nodiscard]] static platform::Expected<Surface> Make(int rows, int columns,
                                                          std::vector<Vec3> points);

    [[nodiscard]] const SurfaceGrid& Grid() const { return grid_; }
    [[nodiscard]] const PatchTree& Tree() const { return tree_; }
    // The grid along `direction` (of unit length) once lines along it have earned one, else null.
    [[nodiscard]] const DirectionGrid* GridAlong(Vec3 direction) const {
        return directionGrids_->Along(grid_, direction);
    }
    [[nodiscard]] const DirectionGrids& Grids() const { return *directionGrids_; }

    // (u, v) of parameters (s, t) in a patch.
    [[nodiscard]] double U(int column, double s) const {
        return (column + s) / grid_.PatchColumns();
    }
    [[nodiscard]] double V(int row, double t) const { return (row + t) / grid_.PatchRows(); }
    // The patch holding (u, v): on a line between patches the one after it, on the last line the
    // last patch; nullopt when u or v is not a number or lies outside [0, 1] by more than
    // rounding.
    [[nodiscard]] std::optional<PatchParam> Locate(double u, double v) const;

private:
    SurfaceGrid grid_;
    PatchTree tree_;
    std::shared_ptr<DirectionGrids> directionGrids_ = std::make_shared<DirectionGrids>();
};

}  // namespace host::geometry
