// One bilinear patch of a surface grid: evaluation, line intersection and nearest point.
#pragma once

#include <cmath>
#include <optional>

#include "host/geometry/Vec3.h"

namespace host::geometry {

// P(s, t) = (1-s)(1-t) p00 + s(1-t) p10 + (1-s)t p01 + st p11, with s, t in [0, 1].
// Its four edges are straight segments, so it is exact for planes.
struct BilinearPatch {
    Vec3 p00;
    Vec3 p10;
    Vec3 p01;
    Vec3 p11;

    [[nodiscard]] Vec3 At(double s, double t) const {
        return Lerp(Lerp(p00, p10, s), Lerp(p01, p11, s), t);
    }
    // Partial derivative along s at parameter t.
    [[nodiscard]] Vec3 DerivS(double t) const { return Lerp(p10 - p00, p11 - p01, t); }
    // Partial derivative along t at parameter s.
    [[nodiscard]] Vec3 DerivT(double s) const { return Lerp(p01 - p00, p11 - p10, s); }
    // dP/ds x dP/dt, not normalised; zero where the patch is degenerate.
    [[nodiscard]] Vec3 RawNormal(double s, double t) const { return Cross(DerivS(t), DerivT(s)); }
};

// Where a line meets a patch: the line's parameter and the patch parameters.
struct PatchLineHit {
    double along = 0.0;
    double s = 0.0;
    double t = 0.0;
};

// True when line parameter `a` lies nearer the line's origin than `b`; of two equally near, the
// one ahead (positive) is nearer, so that ties resolve the same way whatever the search order.
[[nodiscard]] inline bool IsNearerAlong(double a, double b) {
    return std::abs(a) < std::abs(b) || (std::abs(a) == std::abs(b) && a > b);
}

// The intersection of the line origin + along * direction (both directions) with the patch that
// is nearest to the origin. A line passing outside the patch by no more than `tolerance` meets
// its border (s and t clamped into [0, 1]). nullopt when the line misses or lies in the patch's
// plane.
[[nodiscard]] std::optional<PatchLineHit> IntersectLine(const BilinearPatch& patch, Vec3 origin,
                                                        Vec3 direction, double tolerance);

// How far from a line a point of the patch may lie and still be its hit: the tolerance, plus an
// allowance for rounding that grows with the patch's size and the point's, `pointNorm1` (Norm1
// of the point relative to the line's origin, like the patch).
[[nodiscard]] inline double LineAllowance(const BilinearPatch& relative, double pointNorm1,
                                          double tolerance) {
    return tolerance + 1e-9 * (pointNorm1 + Norm1(relative.p11 - relative.p00) +
                               Norm1(relative.p10 - relative.p01));
}

// The nearest point of a patch to a point.
struct PatchFoot {
    Vec3 point;
    double s = 0.0;
    double t = 0.0;
    double distanceSq = 0.0;
};

// The point of the patch nearest to `point`: the best of the four edges' nearest points and the
// interior critical point found by Newton's method, iterated until a step moves less than
// `tolerance`.
[[nodiscard]] PatchFoot NearestOnPatch(const BilinearPatch& patch, Vec3 point, double tolerance);

}  // namespace host::geometry
