// Offsetting a grid along its point normals.
#include "host/geometry/SurfaceOffset.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/geometry/LargePages.h"

namespace host::geometry {
namespace {

// Two neighbouring points as they are stored: (x0 y0) (z0 x1) (y1 z1).
struct StoredPair {
    __m128d xy;
    __m128d zx;
    __m128d yz;
};

// The same two points side by side, one per lane: (x0 x1) (y0 y1) (z0 z1).
struct PointPair {
    __m128d x;
    __m128d y;
    __m128d z;
};

StoredPair LoadPair(const Vec3* p) {
    return {_mm_loadu_pd(&p[0].x), _mm_loadu_pd(&p[0].z), _mm_loadu_pd(&p[1].y)};
}

void StorePair(const StoredPair& pair, Vec3* p) {
    _mm_storeu_pd(&p[0].x, pair.xy);
    _mm_storeu_pd(&p[0].z, pair.zx);
    _mm_storeu_pd(&p[1].y, pair.yz);
}

PointPair SideBySide(const StoredPair& p) {
    return {_mm_shuffle_pd(p.xy, p.zx, 2), _mm_shuffle_pd(p.xy, p.yz, 1),
            _mm_shuffle_pd(p.zx, p.yz, 2)};
}

StoredPair AsStored(const PointPair& p) {
    return {_mm_shuffle_pd(p.x, p.y, 0), _mm_shuffle_pd(p.z, p.x, 2), _mm_shuffle_pd(p.y, p.z, 3)};
}

// k * (a - b), lane by lane: the same operations on stored pairs as on points.
StoredPair ScaledDifference(__m128d k, const StoredPair& a, const StoredPair& b) {
    return {_mm_mul_pd(k, _mm_sub_pd(a.xy, b.xy)), _mm_mul_pd(k, _mm_sub_pd(a.zx, b.zx)),
            _mm_mul_pd(k, _mm_sub_pd(a.yz, b.yz))};
}

// The range and box of the points an offset writes, taken row by row as it writes them, with the
// test of SurfaceGrid::InRange: the grid then need not read its million points again.
class PointChecks {
public:
    // Takes `count` points from `p`, two at a time as they are stored.
    void Take(const Vec3* p, std::size_t count) {
        std::size_t i = 0;
        for (; i + 2 <= count; i += 2) {
            const StoredPair pair = LoadPair(p + i);
            Take(0, pair.xy);
            Take(1, pair.zx);
            Take(2, pair.yz);
        }
        if (i < count) {
            // The last point alone: (x y) and (z x).
            Take(0, _mm_loadu_pd(&p[i].x));
            Take(1, _mm_set_pd(p[i].x, p[i].z));
        }
    }
    // True when every point taken is InRange; the box is then theirs.
    [[nodiscard]] bool AllInRange() const { return _mm_movemask_pd(inRange_) == 3; }
    [[nodiscard]] Vec3 Lowest() const { return Reduced(low_, Least); }
    [[nodiscard]] Vec3 Highest() const { return Reduced(high_, Greatest); }

private:
    void Take(int k, __m128d v) {
        // |c| <= largest is false for NaN, as in InRange.
        inRange_ = _mm_and_pd(inRange_, _mm_cmple_pd(_mm_andnot_pd(_mm_set1_pd(-0.0), v),
                                                     _mm_set1_pd(SurfaceGrid::kLargestCoordinate)));
        low_[k] = _mm_min_pd(low_[k], v);
        high_[k] = _mm_max_pd(high_[k], v);
    }
    static double Least(double a, double b) { return std::min(a, b); }
    static double Greatest(double a, double b) { return std::max(a, b); }
    static double Low(__m128d v) { return _mm_cvtsd_f64(v); }
    static double High(__m128d v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
    // x from lanes 0 of (x y) and 1 of (z x), y from 1 of (x y) and 0 of (y z), z from 0 of
    // (z x) and 1 of (y z).
    static Vec3 Reduced(const __m128d (&v)[3], double (*pick)(double, double)) {
        return {pick(Low(v[0]), High(v[1])), pick(High(v[0]), Low(v[2])),
                pick(Low(v[1]), High(v[2]))};
    }

    __m128d inRange_ = _mm_castsi128_pd(_mm_set1_epi32(-1));
    __m128d low_[3] = {_mm_set1_pd(INFINITY), _mm_set1_pd(INFINITY), _mm_set1_pd(INFINITY)};
    __m128d high_[3] = {_mm_set1_pd(-INFINITY), _mm_set1_pd(-INFINITY), _mm_set1_pd(-INFINITY)};
};

// The point at `row`, `column` offset by `signedDistance` along GridPointNormal into `out`;
// false when the point has no normal.
[[gnu::noinline]] bool OffsetPoint(const SurfaceGrid& grid, int row, int column,
                                   double signedDistance, Vec3& out) {
    const std::optional<Vec3> n = GridPointNormal(grid, row, column);
    if (!n) {
        return false;
    }
    out = grid.At(row, column) + signedDistance * *n;
    return true;
}

// Offsets inner points of row `row` (neither the first nor the last row) two at a time from
// `column` (at least 1) into out[column], while two inner points are left and the central
// differences give both a normal; returns the first column not done. Inside the grid,
// GridPointNormal's central differences and its test for a normal, spelled out for two points
// at once with the same operations in the same order, so that every bit agrees: this loop runs
// over every point of surfaces of a million points.
int OffsetInnerPairs(const SurfaceGrid& grid, int row, int column, double signedDistance,
                     Vec3* out) {
    const int columns = grid.Columns();
    const Vec3* here = &grid.Points()[std::size_t(row) * std::size_t(columns)];
    const Vec3* above = here - columns;
    const Vec3* below = here + columns;
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d zero = _mm_setzero_pd();
    const __m128d tiny = _mm_set1_pd(1e-24);
    const __m128d distance = _mm_set1_pd(signedDistance);
    const auto dot = [](const PointPair& a, const PointPair& b) {
        return _mm_add_pd(_mm_add_pd(_mm_mul_pd(a.x, b.x), _mm_mul_pd(a.y, b.y)),
                          _mm_mul_pd(a.z, b.z));
    };
    for (; column + 2 < columns; column += 2) {
        // The differences are taken on the points as stored, then set side by side.
        const PointPair du = SideBySide(
            ScaledDifference(half, LoadPair(here + column + 1), LoadPair(here + column - 1)));
        const PointPair dv =
            SideBySide(ScaledDifference(half, LoadPair(below + column), LoadPair(above + column)));
        const PointPair n{
            _mm_sub_pd(_mm_mul_pd(du.y, dv.z), _mm_mul_pd(du.z, dv.y)),
            _mm_sub_pd(_mm_mul_pd(du.z, dv.x), _mm_mul_pd(du.x, dv.z)),
            _mm_sub_pd(_mm_mul_pd(du.x, dv.y), _mm_mul_pd(du.y, dv.x)),
        };
        const __m128d lengthSq = dot(n, n);
        const __m128d scale = _mm_add_pd(dot(du, du), dot(dv, dv));
        const __m128d hasNormal =
            _mm_and_pd(_mm_cmpgt_pd(lengthSq, _mm_mul_pd(_mm_mul_pd(tiny, scale), scale)),
                       _mm_cmpgt_pd(lengthSq, zero));
        if (_mm_movemask_pd(hasNormal) != 3) [[unlikely]] {
            break;
        }
        const __m128d unit = _mm_div_pd(one, _mm_sqrt_pd(lengthSq));
        const StoredPair shift = AsStored({_mm_mul_pd(distance, _mm_mul_pd(unit, n.x)),
                                           _mm_mul_pd(distance, _mm_mul_pd(unit, n.y)),
                                           _mm_mul_pd(distance, _mm_mul_pd(unit, n.z))});
        const StoredPair p = LoadPair(here + column);
        StorePair(
            {_mm_add_pd(p.xy, shift.xy), _mm_add_pd(p.zx, shift.zx), _mm_add_pd(p.yz, shift.yz)},
            out + column);
    }
    return column;
}

platform::Status NoNormal(int row, int column) {
    return platform::Status::Failure("surface has no normal at row " + std::to_string(row) +
                                     ", column " + std::to_string(column) +
                                     ", so it cannot be offset");
}

}  // namespace

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
    const int rows = grid.Rows();
    const int columns = grid.Columns();
    std::vector<Vec3> points;
    ReserveLargePages(points, grid.Points().size());
    // Zeroed whole and then written in place: appending the rows instead copies them point by
    // point, which costs more than the zeroing.
    points.resize(grid.Points().size());
    PointChecks checks;
    for (int r = 0; r < rows; ++r) {
        const bool inner = r > 0 && r < rows - 1;
        Vec3* row = &points[std::size_t(r) * std::size_t(columns)];
        for (int column = 0; column < columns;) {
            // The points the pairs leave: the borders, an inner point left alone, a point where
            // the central differences give no normal.
            if (!OffsetPoint(grid, r, column, signedDistance, row[column])) {
                return NoNormal(r, column);
            }
            ++column;
            if (inner && column + 2 < columns) {
                column = OffsetInnerPairs(grid, r, column, signedDistance, row);
            }
        }
        // Checked while the row is in the cache.
        checks.Take(row, std::size_t(columns));
    }
    if (!checks.AllInRange()) {
        // The grid's own checks name the point.
        return SurfaceGrid::Make(rows, columns, std::move(points));
    }
    // Offsetting may collapse a curved surface (inwards beyond its radius); the checks say so.
    return SurfaceGrid::FromCheckedPoints(rows, columns, std::move(points), checks.Lowest(),
                                          checks.Highest());
}

}  // namespace host::geometry
