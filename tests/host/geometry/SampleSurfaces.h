// Surfaces with known closed forms, sampled as host grids, shared by the geometry tests.
#pragma once

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "host/geometry/Surface.h"

namespace host::geometry::samples {

// rows x columns points from f(u, v), u along the columns and v along the rows, both in [0, 1].
inline Surface Sampled(int rows, int columns, const std::function<Vec3(double, double)>& f) {
    std::vector<Vec3> points;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            points.push_back(f(double(c) / (columns - 1), double(r) / (rows - 1)));
        }
    }
    return Surface::Make(rows, columns, std::move(points)).Value();
}

// The plane z = h + x tan(angle) over [x0, x0 + w] x [y0, y0 + w]; side 0 faces up.
inline Surface TiltedPlane(double angleDeg, double h, int n = 11, double x0 = -50, double w = 100,
                           double y0 = -50) {
    const double slope = std::tan(angleDeg * std::numbers::pi / 180.0);
    return Sampled(n, n, [=](double u, double v) {
        const double x = x0 + w * u;
        return Vec3{x, y0 + w * v, h + slope * x};
    });
}

// A closed tube of `radius` around the x axis from x = -len/2 to len/2; u runs along x, v around
// the axis from the top (0, 0, radius) towards +y, so side 0 faces outwards.
inline Surface Cylinder(double radius, double len, int rows, int columns) {
    return Sampled(rows, columns, [=](double u, double v) {
        const double a = 2.0 * std::numbers::pi * v;
        return Vec3{-len / 2 + len * u, radius * std::sin(a), radius * std::cos(a)};
    });
}

// A whole sphere of `radius` about `centre`, longitude along u, latitude along v from the south
// pole to the north pole (each pole a row of repeated points); side 0 faces outwards.
inline Surface Sphere(Vec3 centre, double radius, int rows, int columns) {
    return Sampled(rows, columns, [=](double u, double v) {
        const double lon = 2.0 * std::numbers::pi * u;
        const double lat = std::numbers::pi * (v - 0.5);
        return centre + radius * Vec3{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon),
                                      std::sin(lat)};
    });
}

// Largest distance between a circle of `radius` and its chords for `segments` equal segments.
inline double Sag(double radius, int segments) {
    return radius * (1.0 - std::cos(std::numbers::pi / segments));
}

}  // namespace host::geometry::samples
