// Projection along a direction and to the nearest point, through the patch tree or by brute force.
#include "host/geometry/Projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include <xmmintrin.h>

#include "host/geometry/BilinearPatch.h"
#include "host/geometry/DirectionGrid.h"

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
    return float(tolerance + 1e-6 * (surface.Tree().Size() + Length(localPoint)));
}

SurfaceHit HitAt(const Surface& surface, int row, int column, double s, double t, double distance) {
    return {surface.Grid().Patch(row, column).At(s, t), surface.U(column, s), surface.V(row, t),
            distance};
}

// Lower bounds of a line's distance (|parameter| from the query point) to four boxes. The boxes
// are tested from the line's point nearest the tree's centre, `shift` along the line from the
// query point, so that single precision stays accurate however far away the query point is.
// The padding also covers the patch test's own rounding allowance, which grows with the
// distance from the query point.
class LineBoxes {
public:
    LineBoxes(const Surface& surface, Vec3 point, Vec3 direction, double tolerance) {
        const double shift = Dot(surface.Tree().Centre() - point, direction);
        const Vec3 local = point + shift * direction - surface.Tree().Centre();
        const float pad = BoxPad(surface, local, tolerance) + float(1e-8 * std::abs(shift));
        const std::array<float, 3> origin = Components(local);
        const std::array<double, 3> d{direction.x, direction.y, direction.z};
        for (int axis = 0; axis < 3; ++axis) {
            // A zero component is taken as a tiny positive one: no NaN from 0 * infinity.
            const double inverse = std::abs(d[axis]) < 1e-30 ? 1e30 : 1.0 / d[axis];
            const bool negative = inverse < 0.0;
            nearPlane_[axis] = (negative ? kHi : 0) + 4 * axis;
            farPlane_[axis] = (negative ? 0 : kHi) + 4 * axis;
            inverse_[axis] = _mm_set1_ps(float(std::clamp(inverse, -1e30, 1e30)));
            nearOffset_[axis] = _mm_set1_ps(negative ? origin[axis] - pad : origin[axis] + pad);
            farOffset_[axis] = _mm_set1_ps(negative ? origin[axis] + pad : origin[axis] - pad);
        }
        shift_ = _mm_set1_ps(float(shift));
        slack_ = _mm_set1_ps(pad + 1e-6f * std::abs(float(shift)));
    }

    // The four boxes at once: the slab test, then the distance of the entered interval from the
    // query point on either side.
    void operator()(const QuadBoxes& node, std::array<float, 4>& out) const {
        const float* planes = node.lo[0].data();
        const auto nearT = [&](int axis) {
            return _mm_mul_ps(_mm_sub_ps(_mm_load_ps(planes + nearPlane_[axis]), nearOffset_[axis]),
                              inverse_[axis]);
        };
        const auto farT = [&](int axis) {
            return _mm_mul_ps(_mm_sub_ps(_mm_load_ps(planes + farPlane_[axis]), farOffset_[axis]),
                              inverse_[axis]);
        };
        const __m128 enter = _mm_max_ps(_mm_max_ps(nearT(0), nearT(1)), nearT(2));
        const __m128 leave = _mm_min_ps(_mm_min_ps(farT(0), farT(1)), farT(2));
        const __m128 zero = _mm_setzero_ps();
        const __m128 ahead = _mm_max_ps(_mm_add_ps(enter, shift_), zero);
        const __m128 behind = _mm_max_ps(_mm_sub_ps(zero, _mm_add_ps(leave, shift_)), zero);
        const __m128 distance = _mm_max_ps(_mm_sub_ps(_mm_add_ps(ahead, behind), slack_), zero);
        const __m128 missed = _mm_cmpgt_ps(enter, leave);
        _mm_storeu_ps(out.data(), _mm_or_ps(_mm_and_ps(missed, _mm_set1_ps(INFINITY)),
                                            _mm_andnot_ps(missed, distance)));
    }

private:
    // Where the near and far planes of each axis lie among the boxes' floats (lo, then hi).
    static constexpr int kHi = 12;
    static_assert(offsetof(QuadBoxes, hi) == kHi * sizeof(float));
    std::array<int, 3> nearPlane_;
    std::array<int, 3> farPlane_;
    __m128 nearOffset_[3];
    __m128 farOffset_[3];
    __m128 inverse_[3];
    __m128 shift_;
    __m128 slack_;
};

// Lower bounds of a point's distance to four boxes, along the coordinate axes or a node's own.
class PointBoxes {
public:
    PointBoxes(const Surface& surface, Vec3 point, double tolerance) {
        const Vec3 local = point - surface.Tree().Centre();
        const std::array<float, 3> p = Components(local);
        for (int axis = 0; axis < 3; ++axis) {
            point_[axis] = _mm_set1_ps(p[axis]);
        }
        lanes_ = _mm_setr_ps(p[0], p[1], p[2], 0.0f);
        pad_ = _mm_set1_ps(BoxPad(surface, local, tolerance));
    }

    // The axes are orthonormal to single precision, so that the sum of the squared distances
    // outside each extent is the squared distance from the box to a relative 1e-7, which the
    // padding covers.
    void operator()(const FrameNode& node, std::array<float, 4>& out) const {
        // The point along the three axes at once, the middle one computed lane for lane as
        // FrameNode::Axes does; the fourth lanes are 0.
        const __m128 along = _mm_load_ps(node.along.data());
        const __m128 normal = _mm_load_ps(node.normal.data());
        const auto yzx = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 0, 2, 1)); };
        const auto zxy = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 1, 0, 2)); };
        const __m128 middle =
            _mm_sub_ps(_mm_mul_ps(yzx(normal), zxy(along)), _mm_mul_ps(zxy(normal), yzx(along)));
        __m128 byAxis[4] = {_mm_mul_ps(along, lanes_), _mm_mul_ps(middle, lanes_),
                            _mm_mul_ps(normal, lanes_), _mm_setzero_ps()};
        _MM_TRANSPOSE4_PS(byAxis[0], byAxis[1], byAxis[2], byAxis[3]);
        const __m128 at = _mm_add_ps(_mm_add_ps(byAxis[0], byAxis[1]), byAxis[2]);
        const __m128 zero = _mm_setzero_ps();
        __m128 sumSq = zero;
        const auto addOutside = [&](int i, __m128 coordinate) {
            const __m128 below = _mm_sub_ps(_mm_load_ps(node.lo[i].data()), coordinate);
            const __m128 above = _mm_sub_ps(coordinate, _mm_load_ps(node.hi[i].data()));
            const __m128 outside = _mm_max_ps(_mm_max_ps(below, above), zero);
            sumSq = _mm_add_ps(sumSq, _mm_mul_ps(outside, outside));
        };
        addOutside(0, _mm_shuffle_ps(at, at, 0x00));
        addOutside(1, _mm_shuffle_ps(at, at, 0x55));
        addOutside(2, _mm_shuffle_ps(at, at, 0xAA));
        _mm_storeu_ps(out.data(), _mm_max_ps(_mm_sub_ps(_mm_sqrt_ps(sumSq), pad_), zero));
    }

    // The corners' convex hull holds the patch, and lies beyond the nearest corner along the
    // direction towards the corners' centre and beyond the nearer extreme along the normal of the
    // diagonals; four patches at once. Single precision errs by a relative 1e-7 of the
    // distances, inside the padding.
    void operator()(const PatchCorners& patches, std::array<float, 4>& out) const {
        const __m128 zero = _mm_setzero_ps();
        __m128 c[4][3];  // the corners relative to the query point
        for (int k = 0; k < 4; ++k) {
            for (int axis = 0; axis < 3; ++axis) {
                c[k][axis] = _mm_sub_ps(_mm_load_ps(patches.corner[k][axis].data()), point_[axis]);
            }
        }
        const auto dot = [](const __m128* a, const __m128* b) {
            return _mm_add_ps(_mm_add_ps(_mm_mul_ps(a[0], b[0]), _mm_mul_ps(a[1], b[1])),
                              _mm_mul_ps(a[2], b[2]));
        };
        __m128 towards[3];
        __m128 diagonal[2][3];
        for (int axis = 0; axis < 3; ++axis) {
            towards[axis] =
                _mm_add_ps(_mm_add_ps(c[0][axis], c[1][axis]), _mm_add_ps(c[2][axis], c[3][axis]));
            diagonal[0][axis] = _mm_sub_ps(c[3][axis], c[0][axis]);
            diagonal[1][axis] = _mm_sub_ps(c[2][axis], c[1][axis]);
        }
        const __m128 normal[3] = {_mm_sub_ps(_mm_mul_ps(diagonal[0][1], diagonal[1][2]),
                                             _mm_mul_ps(diagonal[0][2], diagonal[1][1])),
                                  _mm_sub_ps(_mm_mul_ps(diagonal[0][2], diagonal[1][0]),
                                             _mm_mul_ps(diagonal[0][0], diagonal[1][2])),
                                  _mm_sub_ps(_mm_mul_ps(diagonal[0][0], diagonal[1][1]),
                                             _mm_mul_ps(diagonal[0][1], diagonal[1][0]))};
        __m128 nearestAlong = dot(towards, c[0]);
        __m128 lowNormal = dot(normal, c[0]);
        __m128 highNormal = lowNormal;
        for (int k = 1; k < 4; ++k) {
            nearestAlong = _mm_min_ps(nearestAlong, dot(towards, c[k]));
            const __m128 n = dot(normal, c[k]);
            lowNormal = _mm_min_ps(lowNormal, n);
            highNormal = _mm_max_ps(highNormal, n);
        }
        // Each extent over its direction's length; a direction without length (0 / 0 is NaN,
        // which _mm_max_ps turns into 0) or too long for single precision bounds nothing.
        const __m128 towardsLength = _mm_sqrt_ps(dot(towards, towards));
        const __m128 normalLength = _mm_sqrt_ps(dot(normal, normal));
        const __m128 alongBound =
            _mm_and_ps(_mm_cmpgt_ps(towardsLength, zero),
                       _mm_max_ps(_mm_div_ps(nearestAlong, towardsLength), zero));
        const __m128 normalBound = _mm_and_ps(
            _mm_cmpgt_ps(normalLength, zero),
            _mm_max_ps(
                _mm_div_ps(_mm_max_ps(lowNormal, _mm_sub_ps(zero, highNormal)), normalLength),
                zero));
        const __m128 below =
            _mm_max_ps(_mm_sub_ps(_mm_max_ps(alongBound, normalBound), pad_), zero);
        _mm_storeu_ps(out.data(), _mm_add_ps(below, _mm_load_ps(patches.missing.data())));
    }

private:
    __m128 point_[3];  // each coordinate in every lane
    __m128 lanes_;     // the coordinates in lanes x, y, z
    __m128 pad_;
};

// Keeps the line intersection nearest to the query point over the patches it is shown.
class LineSearch {
public:
    LineSearch(const Surface& surface, Vec3 point, Vec3 direction, double tolerance)
        : surface_(surface), point_(point), direction_(direction), tolerance_(tolerance) {}

    float Visit(int row, int column) {
        const std::uint32_t first = std::uint32_t(row) * Columns() + std::uint32_t(column);
        return Visit(surface_.Grid().PatchFrom(first), first);
    }
    // The same for a patch already read, by the index of its first corner among the grid's points.
    float Visit(const BilinearPatch& patch, std::uint32_t first) {
        const std::optional<PatchLineHit> hit =
            IntersectLine(patch, point_, direction_, tolerance_);
        if (hit && (!found_ || IsNearerAlong(hit->along, best_.along))) {
            found_ = true;
            best_ = *hit;
            first_ = first;
        }
        return found_ ? BoundAbove(std::abs(best_.along)) : INFINITY;
    }

    [[nodiscard]] std::optional<SurfaceHit> Result() const {
        if (!found_) {
            return std::nullopt;
        }
        return HitAt(surface_, int(first_ / Columns()), int(first_ % Columns()), best_.s, best_.t,
                     best_.along);
    }

private:
    // Points in a row of the grid; a grid holds fewer than 2^32 points.
    std::uint32_t Columns() const { return std::uint32_t(surface_.Grid().Columns()); }

    const Surface& surface_;
    Vec3 point_;
    Vec3 direction_;
    double tolerance_;
    bool found_ = false;
    PatchLineHit best_;
    std::uint32_t first_ = 0;
};

// Keeps the surface point nearest to the query point over the patches it is shown. The tree's
// search shows a patch only while its corners' hull may beat the best foot so far.
class NearestSearch {
public:
    NearestSearch(const Surface& surface, Vec3 point, double tolerance)
        : surface_(surface), point_(point), tolerance_(tolerance) {}

    float Visit(int row, int column) {
        const PatchFoot foot =
            NearestOnPatch(surface_.Grid().Patch(row, column), point_, tolerance_);
        if (foot.distanceSq < best_.distanceSq) {
            best_ = foot;
            bestDistance_ = std::sqrt(foot.distanceSq);
            row_ = row;
            column_ = column;
        }
        return BoundAbove(bestDistance_);
    }

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
    double bestDistance_ = INFINITY;
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
    for (int row = 0; row < surface.Grid().PatchRows(); ++row) {
        for (int column = 0; column < surface.Grid().PatchColumns(); ++column) {
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
    const DirectionGrid* grid = surface.GridAlong(*unit);
    const double reach = grid ? grid->Reach(point, tolerance) : INFINITY;
    if (grid && reach <= grid->Pad()) {
        grid->ForPatchesAt(point, [&](std::uint32_t first) {
            const BilinearPatch patch = surface.Grid().PatchFrom(first);
            if (grid->MayMeet(patch, point, reach)) {
                search.Visit(patch, first);
            }
        });
    } else {
        surface.Tree().Search(LineBoxes(surface, point, *unit, tolerance), search);
    }
    return search.Result();
}

std::optional<SurfaceHit> NearestPoint(const Surface& surface, Vec3 point, double tolerance) {
    if (!ValidQuery(point, tolerance)) {
        return std::nullopt;
    }
    NearestSearch search(surface, point, tolerance);
    surface.Tree().SearchNearest(PointBoxes(surface, point, tolerance), search);
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
