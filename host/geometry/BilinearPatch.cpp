// Line intersection and nearest point for bilinear patches.
#include "host/geometry/BilinearPatch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include <emmintrin.h>

namespace host::geometry {
namespace {

// The real roots u of a + b u + c u^2 = 0; the roots that do not exist are NaN.
std::array<double, 2> QuadraticRoots(double a, double b, double c) {
    const double none = std::nan("");
    if (c == 0.0) {
        return {b != 0.0 ? -a / b : none, none};
    }
    const double discriminant = b * b - 4.0 * a * c;
    if (discriminant < 0.0) {
        return {none, none};
    }
    // The root without cancellation first, the other from the product of the roots.
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    if (q == 0.0) {
        return {0.0, 0.0};  // b and the discriminant vanish: a double root at 0
    }
    return {q / c, a / q};
}

// True when `k` lies in [0, 1] or within the parameter slack along a direction whose two edges
// are `edge0` and `edge1`: the slack amounts to at most `tolerance` on the longer edge, and is at
// least enough for rounding, so that a line through an edge shared by two patches is not lost
// by both of them. Most roots fall well inside or well outside, which squared lengths decide
// without the square roots of the exact slack.
bool WithinSlack(double k, Vec3 edge0, Vec3 edge1, double tolerance) {
    if (k >= 0.0 && k <= 1.0) {
        return true;
    }
    if (std::isnan(k)) {
        return false;  // a root that does not exist (a planar patch has one root only)
    }
    constexpr double kRounding = 1e-12;
    const double outside = k < 0.0 ? -k : k - 1.0;
    const double longerSq = std::max(Dot(edge0, edge0), Dot(edge1, edge1));
    if (outside > kRounding &&
        outside * outside * longerSq > tolerance * tolerance * (1.0 + 1e-9)) {
        return false;
    }
    const double longer = std::max(Length(edge0), Length(edge1));
    const double slack = longer > 0.0 ? std::max(tolerance / longer, kRounding) : kRounding;
    return k >= -slack && k <= 1.0 + slack;
}

// The line through the origin (already subtracted from the patch) meets the patch's isoline at
// `u`: returns the line parameter and the clamped (s, t), or nullopt when the line runs parallel
// to the isoline or passes the patch farther than the tolerance.
// Inlined, so that the tests of the two roots overlap.
[[gnu::always_inline]] inline std::optional<PatchLineHit> HitOnIsoline(const BilinearPatch& p,
                                                                       Vec3 direction, double u,
                                                                       double tolerance) {
    if (!WithinSlack(u, p.p10 - p.p00, p.p11 - p.p01, tolerance)) {
        return std::nullopt;
    }
    const Vec3 pa = Lerp(p.p00, p.p10, u);
    const Vec3 pb = Lerp(p.p01, p.p11, u) - pa;
    const Vec3 n = Cross(direction, pb);
    const double det = Dot(n, n);
    if (!(det > 0.0)) {
        return std::nullopt;
    }
    const Vec3 m = Cross(n, pa);
    const double v = Dot(m, direction) / det;
    if (!WithinSlack(v, p.p01 - p.p00, p.p11 - p.p10, tolerance)) {
        return std::nullopt;
    }
    // The surface point is kept only when it lies within the tolerance of the line: a point
    // clamped onto the border of a patch collapsed along one direction (which has a huge
    // parameter slack), or a root of a patch so degenerate that every u solves the quadratic,
    // may lie far from it.
    const double s = std::clamp(u, 0.0, 1.0);
    const double t = std::clamp(v, 0.0, 1.0);
    const Vec3 q = p.At(s, t);
    const Vec3 offLine = Cross(q, direction);
    const double lengthSq = Dot(direction, direction);
    const double allowed = LineAllowance(p, Norm1(q), tolerance);
    if (Dot(offLine, offLine) > allowed * allowed * lengthSq) {
        return std::nullopt;
    }
    return PatchLineHit{Dot(q, direction) / lengthSq, s, t};
}

// Three coordinates, each of two points side by side: the arithmetic of Vec3 on two points at
// once, operation for operation, so that each lane rounds exactly as Vec3 would.
struct Vec3Pair {
    __m128d x;
    __m128d y;
    __m128d z;

    static Vec3Pair Of(Vec3 a, Vec3 b) {
        return {_mm_setr_pd(a.x, b.x), _mm_setr_pd(a.y, b.y), _mm_setr_pd(a.z, b.z)};
    }
    static Vec3Pair Both(Vec3 a) { return {_mm_set1_pd(a.x), _mm_set1_pd(a.y), _mm_set1_pd(a.z)}; }
    friend Vec3Pair operator+(Vec3Pair a, Vec3Pair b) {
        return {_mm_add_pd(a.x, b.x), _mm_add_pd(a.y, b.y), _mm_add_pd(a.z, b.z)};
    }
    friend Vec3Pair operator-(Vec3Pair a, Vec3Pair b) {
        return {_mm_sub_pd(a.x, b.x), _mm_sub_pd(a.y, b.y), _mm_sub_pd(a.z, b.z)};
    }
    friend Vec3Pair operator*(__m128d k, Vec3Pair a) {
        return {_mm_mul_pd(k, a.x), _mm_mul_pd(k, a.y), _mm_mul_pd(k, a.z)};
    }
    friend __m128d Dot(Vec3Pair a, Vec3Pair b) {
        return _mm_add_pd(_mm_add_pd(_mm_mul_pd(a.x, b.x), _mm_mul_pd(a.y, b.y)),
                          _mm_mul_pd(a.z, b.z));
    }
    friend Vec3Pair Lerp(Vec3Pair a, Vec3Pair b, __m128d k) { return a + k * (b - a); }
};

// Nearest point of the segments a + k (b - a), k in [0, 1], to `x`: the parameters k. A segment
// without length gives 0; a NaN passes the clamp as std::clamp lets it.
__m128d NearestOnSegments(Vec3Pair a, Vec3Pair b, Vec3Pair x) {
    const Vec3Pair ab = b - a;
    const __m128d lengthSq = Dot(ab, ab);
    const __m128d k = _mm_div_pd(Dot(x - a, ab), lengthSq);
    const __m128d zero = _mm_setzero_pd();
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d above = _mm_cmplt_pd(one, k);
    const __m128d upper = _mm_or_pd(_mm_and_pd(above, one), _mm_andnot_pd(above, k));
    const __m128d clamped = _mm_andnot_pd(_mm_cmplt_pd(k, zero), upper);
    return _mm_and_pd(_mm_cmpgt_pd(lengthSq, zero), clamped);
}

// The nearest points of the four edges, two at a time: t = 0 and t = 1 (along s), then s = 0 and
// s = 1 (along t); kept in that order as the nearest so far when nearer.
void KeepNearerOnEdges(PatchFoot& best, const BilinearPatch& p, Vec3 point) {
    const Vec3Pair x = Vec3Pair::Both(point);
    const Vec3Pair p00 = Vec3Pair::Both(p.p00);
    const Vec3Pair p10 = Vec3Pair::Both(p.p10);
    const Vec3Pair p01 = Vec3Pair::Both(p.p01);
    const Vec3Pair p11 = Vec3Pair::Both(p.p11);
    const __m128d ends = _mm_setr_pd(0.0, 1.0);
    const __m128d s[2] = {
        NearestOnSegments(Vec3Pair::Of(p.p00, p.p01), Vec3Pair::Of(p.p10, p.p11), x), ends};
    const __m128d t[2] = {
        ends, NearestOnSegments(Vec3Pair::Of(p.p00, p.p10), Vec3Pair::Of(p.p01, p.p11), x)};
    for (int pair = 0; pair < 2; ++pair) {
        // BilinearPatch::At and the distance, for both edges.
        const Vec3Pair q = Lerp(Lerp(p00, p10, s[pair]), Lerp(p01, p11, s[pair]), t[pair]);
        const Vec3Pair d = q - x;
        alignas(16) double lanes[6][2];
        _mm_store_pd(lanes[0], q.x);
        _mm_store_pd(lanes[1], q.y);
        _mm_store_pd(lanes[2], q.z);
        _mm_store_pd(lanes[3], s[pair]);
        _mm_store_pd(lanes[4], t[pair]);
        _mm_store_pd(lanes[5], Dot(d, d));
        for (int lane = 0; lane < 2; ++lane) {
            if (lanes[5][lane] < best.distanceSq) {
                best = {{lanes[0][lane], lanes[1][lane], lanes[2][lane]},
                        lanes[3][lane],
                        lanes[4][lane],
                        lanes[5][lane]};
            }
        }
    }
}

void KeepNearer(PatchFoot& best, const BilinearPatch& patch, Vec3 point, double s, double t) {
    const Vec3 q = patch.At(s, t);
    const Vec3 d = q - point;
    const double distanceSq = Dot(d, d);
    if (distanceSq < best.distanceSq) {
        best = {q, s, t, distanceSq};
    }
}

// Newton's method on |P(s, t) - x|^2 inside the patch, from the tangent-plane estimate at the
// centre; falls back to Gauss-Newton steps where the Hessian is not positive definite.
void InteriorCriticalPoint(PatchFoot& best, const BilinearPatch& p, Vec3 x, double tolerance) {
    constexpr int kMaxSteps = 24;
    const Vec3 twist = p.p00 - p.p10 - p.p01 + p.p11;
    double s = 0.5;
    double t = 0.5;
    for (int step = 0; step < kMaxSteps; ++step) {
        const Vec3 r = p.At(s, t) - x;
        const Vec3 ps = p.DerivS(t);
        const Vec3 pt = p.DerivT(s);
        const double gs = Dot(ps, r);
        const double gt = Dot(pt, r);
        const double hss = Dot(ps, ps);
        const double htt = Dot(pt, pt);
        double hst = Dot(ps, pt) + Dot(twist, r);
        double det = hss * htt - hst * hst;
        if (!(det > 0.0 && hss > 0.0)) {
            hst = Dot(ps, pt);
            det = hss * htt - hst * hst;
            if (!(det > 0.0)) {
                return;  // degenerate here: the edges give the answer
            }
        }
        const double ds = -(htt * gs - hst * gt) / det;
        const double dt = -(hss * gt - hst * gs) / det;
        s += ds;
        t += dt;
        if (!(s >= 0.0 && s <= 1.0 && t >= 0.0 && t <= 1.0)) {
            return;  // the minimum lies on the boundary, which the edges cover
        }
        if (Length(ds * ps + dt * pt) < tolerance) {
            break;
        }
    }
    KeepNearer(best, p, x, s, t);
}

}  // namespace

std::optional<PatchLineHit> IntersectLine(const BilinearPatch& patch, Vec3 origin, Vec3 direction,
                                          double tolerance) {
    // Shift the patch so that the line passes through the origin; the line meets the patch where
    // the isoline at u and the line are coplanar, a quadratic a + b u + c u^2 = 0.
    const BilinearPatch p{patch.p00 - origin, patch.p10 - origin, patch.p01 - origin,
                          patch.p11 - origin};
    const Vec3 e10 = p.p10 - p.p00;
    const Vec3 e00 = p.p01 - p.p00;
    const Vec3 e11 = p.p11 - p.p10;
    const double a = Dot(Cross(p.p00, direction), e00);
    const double c = Dot(Cross(e10, p.p01 - p.p11), direction);
    const double b = Dot(Cross(p.p10, direction), e11) - a - c;
    const std::array<double, 2> roots = QuadraticRoots(a, b, c);
    std::optional<PatchLineHit> best = HitOnIsoline(p, direction, roots[0], tolerance);
    const std::optional<PatchLineHit> other = HitOnIsoline(p, direction, roots[1], tolerance);
    if (other && (!best || IsNearerAlong(other->along, best->along))) {
        best = other;
    }
    if (best && !std::isfinite(best->along)) {
        return std::nullopt;
    }
    return best;
}

PatchFoot NearestOnPatch(const BilinearPatch& patch, Vec3 point, double tolerance) {
    PatchFoot best{patch.p00, 0.0, 0.0, INFINITY};
    KeepNearerOnEdges(best, patch, point);
    InteriorCriticalPoint(best, patch, point, tolerance);
    return best;
}

}  // namespace host::geometry
