// Geometry value types exchanged between the add-in and the link library, with their constants.
// Both sides rely on the field order and widths pinned at the end of this header.
#pragma once

#include <cstddef>
#include <type_traits>

#include "hostlink/LinkExport.h"

// A squared length below this counts as zero.
inline constexpr double ZERO_SQ_TOL = 1e-7;
inline constexpr double DEG2RAD = 0.017453292519943295;
inline constexpr double RAD2DEG = 57.29577951308232;
// A sweep above this counts as a full circle (deliberately 6.2831, a little under 2 pi).
inline constexpr double FULL_CIRCLE_RAD = 6.2831;

// A point with the flag that the point loaders set (0 single, 2 polyline start, 3 polyline
// continuation); geometry operations copy the flag and never read it.
class RAVELINK_API CApiPoint {
public:
    unsigned char flag = 0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

class CApiLine;

// A direction or displacement.
class RAVELINK_API CApiVect {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 1.0;

    // Unit direction from the origin to `p`; (0, 0, 0) when `p` is (nearly) the origin.
    void operator=(CApiPoint p);
    // Unit direction from the line's start to its end; (0, 0, 0) when they (nearly) coincide.
    void operator=(CApiLine l);
    // Scales every component by `k`.
    void operator*=(double k);

    // Length, or 0.0 when the squared length is below ZERO_SQ_TOL.
    [[nodiscard]] double mag();
    // Scales to unit length; false (vector unchanged) when too short.
    bool normalize();
    // Rotations in place by `deg` degrees within one coordinate plane.
    void rotate_XY(double deg);
    void rotate_YZ(double deg);
    void rotate_ZX(double deg);
    // Unit direction from `a` to `b`; (0, 0, 0) when they (nearly) coincide.
    void vfrom2p(CApiPoint a, CApiPoint b);
    // Difference b - a, not normalised.
    void dist2p(CApiPoint a, CApiPoint b);
    // Plane angles in degrees, in (-180, 180].
    [[nodiscard]] double XYAngle();
    [[nodiscard]] double YZAngle();
    [[nodiscard]] double ZXAngle();
    [[nodiscard]] double XZAngle();
    // Unit vector in the XY plane at `deg` degrees from +X.
    void vfromangle(double deg);
};

// A line segment from `start` to `end`.
class RAVELINK_API CApiLine {
public:
    CApiPoint start;
    CApiPoint end;

    // Length, or 0.0 when the squared length is below ZERO_SQ_TOL.
    [[nodiscard]] double length();
    // dz/dx of the line in the ZX plane; 1.0 when the x extent is exactly zero.
    [[nodiscard]] double ZX_slope();
    // z where the line crosses x = 0 in the ZX plane.
    [[nodiscard]] double ZX_yintersect();
    // Plane angles of end - start in degrees, in (-180, 180].
    [[nodiscard]] double XYAngle();
    [[nodiscard]] double YZAngle();
    [[nodiscard]] double XZAngle();
    [[nodiscard]] double ZXAngle();
};

// An arc (or full circle) around `center` in the plane normal to `normal`.
class RAVELINK_API CApiArc {
public:
    CApiPoint center;
    CApiVect normal;
    CApiVect startDir;   // unit direction from the centre to the begin point
    double sweep = 0.0;  // radians
    double radius = 0.0;

    // The point at `deg` degrees in the XY plane (one 360 taken off above 360).
    void calc_point_XY(CApiPoint* out, double deg);
    // The point at `deg` degrees in the ZX plane, measured from +X toward +Z.
    void calc_point_ZX(CApiPoint* out, double deg);
    // center + radius * startDir; the flag of `out` is left as it is.
    void calc_beginpoint(CApiPoint* out);
    // The arc's XY bounding box, written as whole points at the centre's z.
    void calc_extents_XY(CApiPoint* min, CApiPoint* max);
    // Makes the arc run the short way between two ZX angles; true when `a` was the larger.
    bool trim_2angles_ZX(double a, double b);
};

// A named view: its number and 4x4 row-major matrix (element (r, c) is matrix[4r + c]).
class RAVELINK_API CApiView {
public:
    char name[32] = {};
    int number = 0;
    double matrix[16] = {};
    double reserved = 0.0;  // written 0.0 when a view is built, never read
};

// A point with a direction, such as a hit point with its surface normal.
class RAVELINK_API CApiPointVect {
public:
    CApiPoint point;
    CApiVect vect;
};

// The layouts both sides of the link library rely on.
static_assert(std::is_standard_layout_v<CApiPoint> && std::is_trivially_copyable_v<CApiPoint>);
static_assert(sizeof(CApiPoint) == 32 && offsetof(CApiPoint, flag) == 0 &&
              offsetof(CApiPoint, x) == 8 && offsetof(CApiPoint, y) == 16 &&
              offsetof(CApiPoint, z) == 24);
static_assert(sizeof(CApiVect) == 24 && offsetof(CApiVect, x) == 0 && offsetof(CApiVect, y) == 8 &&
              offsetof(CApiVect, z) == 16);
static_assert(sizeof(CApiLine) == 64 && offsetof(CApiLine, start) == 0 &&
              offsetof(CApiLine, end) == 32);
static_assert(sizeof(CApiArc) == 96 && offsetof(CApiArc, center) == 0 &&
              offsetof(CApiArc, normal) == 32 && offsetof(CApiArc, startDir) == 56 &&
              offsetof(CApiArc, sweep) == 80 && offsetof(CApiArc, radius) == 88);
static_assert(sizeof(CApiView) == 176 && offsetof(CApiView, name) == 0 &&
              offsetof(CApiView, number) == 32 && offsetof(CApiView, matrix) == 40 &&
              offsetof(CApiView, reserved) == 168);
static_assert(sizeof(CApiPointVect) == 56 && offsetof(CApiPointVect, point) == 0 &&
              offsetof(CApiPointVect, vect) == 32);
static_assert(std::is_trivially_copyable_v<CApiVect> && std::is_trivially_copyable_v<CApiLine> &&
              std::is_trivially_copyable_v<CApiArc> && std::is_trivially_copyable_v<CApiView> &&
              std::is_trivially_copyable_v<CApiPointVect>);
