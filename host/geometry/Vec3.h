// Three-component double vector used by the host's surface geometry.
#pragma once

#include <cmath>

namespace host::geometry {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Vec3&, const Vec3&) = default;
    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
    friend Vec3 operator*(double k, Vec3 a) { return {k * a.x, k * a.y, k * a.z}; }
    friend Vec3 operator*(Vec3 a, double k) { return k * a; }
};

// Scalar product.
[[nodiscard]] inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// Right-handed cross product a x b.
[[nodiscard]] inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
[[nodiscard]] inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
// a + (b - a) * k.
[[nodiscard]] inline Vec3 Lerp(Vec3 a, Vec3 b, double k) { return a + k * (b - a); }
// |x| + |y| + |z|: a size for rounding allowances, cheaper than the length.
[[nodiscard]] inline double Norm1(Vec3 a) { return std::abs(a.x) + std::abs(a.y) + std::abs(a.z); }
// True when every component is a finite number.
[[nodiscard]] inline bool IsFinite(Vec3 a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

}  // namespace host::geometry
