// Geometry value types: vector arithmetic, plane angles, arc points and extents.
#include "hostlink/ApiGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

double SquaredLength(double x, double y, double z) { return x * x + y * y + z * z; }

double AngleDegrees(double first, double second) { return std::atan2(first, second) * RAD2DEG; }

// The rotation every rotate_* applies to its ordered pair of components.
void RotatePair(double& first, double& second, double deg) {
    const double theta = deg * DEG2RAD;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double rotatedFirst = first * c + second * s;
    const double rotatedSecond = -first * s + second * c;
    first = rotatedFirst;
    second = rotatedSecond;
}

// Sets `v` to the unit direction of (x, y, z), or to (0, 0, 0) when that is too short.
void SetUnitOrZero(CApiVect& v, double x, double y, double z) {
    v.x = x;
    v.y = y;
    v.z = z;
    if (!v.normalize()) v.x = v.y = v.z = 0.0;
}

// Grows the box [min, max] to hold (x, y).
void Extend(CApiPoint& min, CApiPoint& max, double x, double y) {
    min.x = std::min(min.x, x);
    min.y = std::min(min.y, y);
    max.x = std::max(max.x, x);
    max.y = std::max(max.y, y);
}

// Points the arc from `beginDeg` (ZX plane) over `sweepDeg` degrees.
bool TrimBetween(CApiArc& arc, double beginDeg, double sweepDeg, bool firstWasLarger) {
    CApiPoint beginPoint;
    arc.calc_point_ZX(&beginPoint, beginDeg);
    arc.startDir.vfrom2p(arc.center, beginPoint);
    arc.sweep = sweepDeg * DEG2RAD;
    return firstWasLarger;
}

}  // namespace

// ---- CApiVect ----

double CApiVect::mag() {
    const double s = SquaredLength(x, y, z);
    return s < ZERO_SQ_TOL ? 0.0 : std::sqrt(s);
}

bool CApiVect::normalize() {
    const double s = SquaredLength(x, y, z);
    if (s < ZERO_SQ_TOL) return false;
    const double d = std::sqrt(s);
    if (d < ZERO_SQ_TOL) return false;
    if (d == 1.0) return true;
    const double inverse = 1.0 / d;
    x *= inverse;
    y *= inverse;
    z *= inverse;
    return true;
}

void CApiVect::rotate_XY(double deg) { RotatePair(x, y, deg); }
void CApiVect::rotate_YZ(double deg) { RotatePair(y, z, deg); }
void CApiVect::rotate_ZX(double deg) { RotatePair(z, x, deg); }

void CApiVect::operator=(CApiPoint p) { SetUnitOrZero(*this, p.x, p.y, p.z); }

void CApiVect::operator=(CApiLine l) { vfrom2p(l.start, l.end); }

void CApiVect::vfrom2p(CApiPoint a, CApiPoint b) {
    SetUnitOrZero(*this, b.x - a.x, b.y - a.y, b.z - a.z);
}

void CApiVect::dist2p(CApiPoint a, CApiPoint b) {
    x = b.x - a.x;
    y = b.y - a.y;
    z = b.z - a.z;
}

void CApiVect::operator*=(double k) {
    x *= k;
    y *= k;
    z *= k;
}

double CApiVect::XYAngle() { return AngleDegrees(y, x); }
double CApiVect::YZAngle() { return AngleDegrees(z, y); }
double CApiVect::ZXAngle() { return AngleDegrees(x, z); }
double CApiVect::XZAngle() { return AngleDegrees(z, x); }

void CApiVect::vfromangle(double deg) {
    const double theta = deg * DEG2RAD;
    x = std::cos(theta);
    y = std::sin(theta);
    z = 0.0;
}

// ---- CApiLine ----

double CApiLine::length() {
    const double s = SquaredLength(end.x - start.x, end.y - start.y, end.z - start.z);
    return s < ZERO_SQ_TOL ? 0.0 : std::sqrt(s);
}

double CApiLine::ZX_slope() {
    const double dx = end.x - start.x;
    if (dx == 0.0) return 1.0;
    return (end.z - start.z) / dx;
}

double CApiLine::ZX_yintersect() { return start.z - ZX_slope() * start.x; }

double CApiLine::XYAngle() { return AngleDegrees(end.y - start.y, end.x - start.x); }
double CApiLine::YZAngle() { return AngleDegrees(end.z - start.z, end.y - start.y); }
double CApiLine::XZAngle() { return AngleDegrees(end.z - start.z, end.x - start.x); }
double CApiLine::ZXAngle() { return AngleDegrees(end.x - start.x, end.z - start.z); }

// ---- CApiArc ----

void CApiArc::calc_point_XY(CApiPoint* out, double deg) {
    if (deg > 360.0) deg -= 360.0;
    *out = center;
    if (deg == 0.0) {
        out->x = center.x + radius;
    } else if (deg == 90.0) {
        out->y = center.y + radius;
    } else if (deg == 180.0) {
        out->x = center.x - radius;
    } else if (deg == 270.0) {
        out->y = center.y - radius;
    } else {
        const double theta = deg * DEG2RAD;
        out->x = center.x + radius * std::cos(theta);
        out->y = center.y + radius * std::sin(theta);
    }
}

// One convention for every angle: measured from +X toward +Z, x = C.x + R cos, z = C.z + R sin,
// so that the four exact angles and all others lie on the same circle.
void CApiArc::calc_point_ZX(CApiPoint* out, double deg) {
    if (deg > 360.0) deg -= 360.0;
    *out = center;
    if (deg == 0.0) {
        out->x = center.x + radius;
    } else if (deg == 90.0) {
        out->z = center.z + radius;
    } else if (deg == 180.0) {
        out->x = center.x - radius;
    } else if (deg == 270.0) {
        out->z = center.z - radius;
    } else {
        const double theta = deg * DEG2RAD;
        out->x = center.x + radius * std::cos(theta);
        out->z = center.z + radius * std::sin(theta);
    }
}

void CApiArc::calc_beginpoint(CApiPoint* out) {
    out->x = center.x + radius * startDir.x;
    out->y = center.y + radius * startDir.y;
    out->z = center.z + radius * startDir.z;
}

void CApiArc::calc_extents_XY(CApiPoint* min, CApiPoint* max) {
    CApiPoint low;
    CApiPoint high;
    if (sweep > FULL_CIRCLE_RAD) {
        low.x = center.x - radius;
        low.y = center.y - radius;
        high.x = center.x + radius;
        high.y = center.y + radius;
    } else {
        double start = std::atan2(startDir.y, startDir.x) * RAD2DEG;
        if (start < 0.0) start += 360.0;
        const double end = start + sweep * RAD2DEG;
        low.x = high.x = center.x + radius * startDir.x;
        low.y = high.y = center.y + radius * startDir.y;
        CApiPoint endPoint;
        calc_point_XY(&endPoint, end);
        Extend(low, high, endPoint.x, endPoint.y);
        if ((start <= 90.0 && end >= 90.0) || (start >= 90.0 && end >= 450.0))
            Extend(low, high, center.x, center.y + radius);
        if ((start <= 180.0 && end >= 180.0) || (start >= 180.0 && end >= 540.0))
            Extend(low, high, center.x - radius, center.y);
        if ((start <= 270.0 && end >= 270.0) || (start >= 270.0 && end >= 630.0))
            Extend(low, high, center.x, center.y - radius);
        if (start <= 360.0 && end >= 360.0) Extend(low, high, center.x + radius, center.y);
    }
    low.flag = high.flag = 0;
    low.z = high.z = center.z;
    *min = low;
    *max = high;
}

bool CApiArc::trim_2angles_ZX(double a, double b) {
    // Angles that are not finite, or so far apart that adding 360 no longer moves them, would
    // keep the loop below going for ever: such input leaves the arc as it is.
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    const double gap = std::fabs(a - b);
    if (gap > 720.0) {
        const double turns = (std::floor(gap / 360.0) - 1.0) * 360.0;
        (a > b ? b : a) += turns;
    }
    constexpr int kMaxSteps = 4;  // after the reduction above at most two steps are needed
    for (int step = 0; step < kMaxSteps; ++step) {
        if (a > b) {
            if (a - b <= 180.0) return TrimBetween(*this, b, a - b, true);
            b += 360.0;
        } else {
            if (b - a <= 180.0) return TrimBetween(*this, a, b - a, false);
            a += 360.0;
        }
    }
    return false;
}
