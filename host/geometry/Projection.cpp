// Projection along a direction and to the nearest point, through the patch tree or by brute force.
#include "host/geometry/Projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "host/geometry/BilinearPatch.h"

namespace host::geometry {
namespace {

// Queries the surface can answer: a point in the grids' coordinate range, a usable tolerance.
bool ValidQuery(Vec3 point, double tolerance) {
    return SurfaceGrid::InRange(point) && tolerance >= 0.0 && std::isfinite(tolerance);
}

// A single-precision bound no smaller than the distance `x` (x >= 0).
float BoundAbove(double x) { return float(x) * (1.0f + 1e-6f) + 1e-30f; }

std::array<float, 3> Components(Vec3 v) { return {float(v.x), float(v.y), float(v.z)}; }

// Box padding for single-precision tests: the tolerance, plus enough for the rounding of
// coordinates of this magnitude, so that no box that the exact test would enter is skipped.
float BoxPad(const Surface& surface, Vec3 localPoint, double tolerance) {
    return float(tolerance + 1e-6 * (surface.tree().size() + Length(localPoint)));
}

// Asks the memory for the points of the 2 x 2 patches from (row, column) ahead of their use.
void PrefetchPatches(const SurfaceGrid& grid, int row, int column) {
    const int lastRow = std::min(row + 2, grid.rows() - 1);
    const int lastColumn = std::min(column + 2, grid.columns() - 1);
    for (int r = row; r <= lastRow; ++r) {
        const Vec3* first = &grid.points()[std::size_t(r) * grid.columns() + column];
        const Vec3* last = first + (lastColumn - column);
        __builtin_prefetch(first);
        __builtin_prefetch(reinterpret_cast<const char*>(last + 1) - 1);
    }
}

SurfaceHit HitAt(const Surface& surface, int row, int column, double s, double t, double distance) {
    return {surface.grid().Patch(row, column).At(s, t), surface.U(column, s), surface.V(row, t),
            distance};
}

// Lower bounds of a line's distance (|parameter| from the query point) to four boxes. The boxes
// are tested from the line's point nearest the tree's centre, `shift` along the line from the
// query point, so that single precision stays accurate however far away the query point is.
class LineBoxes {
public:
    LineBoxes(const Surface& surface, Vec3 point, Vec3 direction, double tolerance) {
        const double shift = Dot(surface.tree().centre() - point, direction);
        const Vec3 local = point + shift * direction - surface.tree().centre();
        const float pad = BoxPad(surface, local, tolerance);
        const std::array<float, 3> origin = Components(local);
        const std::array<double, 3> d{direction.x, direction.y, direction.z};
        for (int axis = 0; axis < 3; ++axis) {
            // A zero component is taken as a tiny positive one: no NaN from 0 * infinity.
            const double inverse = std::abs(d[axis]) < 1e-30 ? 1e30 : 1.0 / d[axis];
            negative_[axis] = inverse < 0.0;
            inverse_[axis] = float(std::clamp(inverse, -1e30, 1e30));
            nearOffset_[axis] = negative_[axis] ? origin[axis] - pad : origin[axis] + pad;
            farOffset_[axis] = negative_[axis] ? origin[axis] + pad : origin[axis] - pad;
        }
        shift_ = float(shift);
        slack_ = pad + 1e-6f * std::abs(shift_);
    }

    // Lane by lane, axis after axis, so that the compiler can test the four boxes at once.
    void operator()(const QuadBoxes& node, std::array<float, 4>& out) const {
        std::array<float, 4> enter;
        std::array<float, 4> leave;
        enter.fill(-INFINITY);
        leave.fill(INFINITY);
        for (int axis = 0; axis < 3; ++axis) {
            const std::array<float, 4>& nearPlane = negative_[axis] ? node.hi[axis] : node.lo[axis];
            const std::array<float, 4>& farPlane = negative_[axis] ? node.lo[axis] : node.hi[axis];
            for (int c = 0; c < 4; ++c) {
                const float nearT = (nearPlane[c] - nearOffset_[axis]) * inverse_[axis];
                const float farT = (farPlane[c] - farOffset_[axis]) * inverse_[axis];
                enter[c] = enter[c] > nearT ? enter[c] : nearT;
                leave[c] = leave[c] < farT ? leave[c] : farT;
            }
        }
        for (int c = 0; c < 4; ++c) {
            const float a = enter[c] + shift_;
            const float b = leave[c] + shift_;
            const float distance = (a > 0.0f ? a : 0.0f) + (b < 0.0f ? -b : 0.0f) - slack_;
            const float bounded = distance > 0.0f ? distance : 0.0f;
            out[c] = enter[c] > leave[c] ? INFINITY : bounded;
        }
    }

private:
    std::array<float, 3> nearOffset_;
    std::array<float, 3> farOffset_;
    std::array<float, 3> inverse_;
    std::array<bool, 3> negative_;
    float shift_;
    float slack_;
};

// Lower bounds of a point's distance to four boxes.
class PointBoxes {
public:
    PointBoxes(const Surface& surface, Vec3 point, double tolerance) {
        const Vec3 local = point - surface.tree().centre();
        point_ = Components(local);
        pad_ = BoxPad(surface, local, tolerance);
    }

    void operator()(const QuadBoxes& node, std::array<float, 4>& out) const {
        std::array<float, 4> sumSq{};
        for (int axis = 0; axis < 3; ++axis) {
            for (int c = 0; c < 4; ++c) {
                const float below = node.lo[axis][c] - point_[axis];
                const float above = point_[axis] - node.hi[axis][c];
                const float outside = below > above ? below : above;
                const float positive = outside > 0.0f ? outside : 0.0f;
                sumSq[c] += positive * positive;
            }
        }
        for (int c = 0; c < 4; ++c) {
            const float distance = std::sqrt(sumSq[c]) - pad_;
            out[c] = distance > 0.0f ? distance : 0.0f;
        }
    }

private:
    std::array<float, 3> point_;
    float pad_;
};

// Keeps the line intersection nearest to the query point over the patches it is shown.
class LineSearch {
public:
    LineSearch(const Surface& surface, Vec3 point, Vec3 direction, double tolerance)
        : surface_(surface), point_(point), direction_(direction), tolerance_(tolerance) {}

    float Visit(int row, int column) {
        const BilinearPatch patch = surface_.grid().Patch(row, column);
        const std::optional<PatchLineHit> hit =
            IntersectLine(patch, point_, direction_, tolerance_);
        if (hit && (!found_ || IsNearerAlong(hit->along, best_.along))) {
            found_ = true;
            best_ = *hit;
            row_ = row;
            column_ = column;
        }
        return found_ ? BoundAbove(std::abs(best_.along)) : INFINITY;
    }

    void Prefetch(int row, int column) const { PrefetchPatches(surface_.grid(), row, column); }

    [[nodiscard]] std::optional<SurfaceHit> Result() const {
        if (!found_) {
            return std::nullopt;
        }
        return HitAt(surface_, row_, column_, best_.s, best_.t, best_.along);
    }

private:
    const Surface& surface_;
    Vec3 point_;
    Vec3 direction_;
    double tolerance_;
    bool found_ = false;
    PatchLineHit best_;
    int row_ = 0;
    int column_ = 0;
};

// Keeps the surface point nearest to the query point over the patches it is shown.
class NearestSearch {
public:
    NearestSearch(const Surface& surface, Vec3 point, double tolerance)
        : surface_(surface), point_(point), tolerance_(tolerance) {}

    float Visit(int row, int column) {
        const PatchFoot foot =
            NearestOnPatch(surface_.grid().Patch(row, column), point_, tolerance_);
        if (foot.distanceSq < best_.distanceSq) {
            best_ = foot;
            row_ = row;
            column_ = column;
        }
        return BoundAbove(std::sqrt(best_.distanceSq));
    }

    void Prefetch(int row, int column) const { PrefetchPatches(surface_.grid(), row, column); }

    [[nodiscard]] std::optional<SurfaceHit> Result() const {
        if (!std::isfinite(best_.distanceSq)) {
            return std::nullopt;  // no patch was examined; cannot happen for queries in range
        }
        return HitAt(surface_, row_, column_, best_.s, best_.t, std::sqrt(best_.distanceSq));
    }

private:
    const Surface& surface_;
    Vec3 point_;
    double tolerance_;
    PatchFoot best_{{}, 0.0, 0.0, INFINITY};
    int row_ = 0;
    int column_ = 0;
};

// The direction scaled to unit length, or nullopt when it has none.
std::optional<Vec3> UnitDirection(Vec3 direction) {
    const double length = Length(direction);
    if (!(length > 0.0) || !std::isfinite(length)) {
        return std::nullopt;
    }
    return (1.0 / length) * direction;
}

template <class Search>
void VisitEveryPatch(const Surface& surface, Search& search) {
    for (int row = 0; row < surface.grid().patchRows(); ++row) {
        for (int column = 0; column < surface.grid().patchColumns(); ++column) {
            search.Visit(row, column);
        }
    }
}

}  // namespace

std::optional<SurfaceHit> ProjectAlong(const Surface& surface, Vec3 point, Vec3 direction,
                                       double tolerance) {
    const std::optional<Vec3> unit = UnitDirection(direction);
    if (!unit || !ValidQuery(point, tolerance)) {
        return std::nullopt;
    }
    LineSearch search(surface, point, *unit, tolerance);
    surface.tree().Search(LineBoxes(surface, point, *unit, tolerance), search);
    return search.Result();
}

std::optional<SurfaceHit> NearestPoint(const Surface& surface, Vec3 point, double tolerance) {
    if (!ValidQuery(point, tolerance)) {
        return std::nullopt;
    }
    NearestSearch search(surface, point, tolerance);
    surface.tree().Search(PointBoxes(surface, point, tolerance), search);
    return search.Result();
}

std::optional<SurfaceHit> ProjectAlongBruteForce(const Surface& surface, Vec3 point, Vec3 direction,
                                                 double tolerance) {
    const std::optional<Vec3> unit = UnitDirection(direction);
    if (!unit || !ValidQuery(point, tolerance)) {
        return std::nullopt;
    }
    LineSearch search(surface, point, *unit, tolerance);
    VisitEveryPatch(surface, search);
    return search.Result();
}

std::optional<SurfaceHit> NearestPointBruteForce(const Surface& surface, Vec3 point,
                                                 double tolerance) {
    if (!ValidQuery(point, tolerance)) {
        return std::nullopt;
    }
    NearestSearch search(surface, point, tolerance);
    VisitEveryPatch(surface, search);
    return search.Result();
}

Vec3 ViewDepthAxis(std::span<const double, 16> matrix) {
    return {matrix[2], matrix[6], matrix[10]};
}

}  // namespace host::geometry
