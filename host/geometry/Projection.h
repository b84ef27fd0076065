// Projection of points onto a surface: along a direction, and to the nearest surface point.
#pragma once

#include <optional>
#include <span>

#include "host/geometry/Surface.h"
#include "host/geometry/Vec3.h"

namespace host::geometry {

struct SurfaceHit {
    Vec3 point;      // on the surface
    double u = 0.0;  // surface parameters of `point`
    double v = 0.0;
    double distance = 0.0;  // along the direction (signed) or to the foot point (unsigned)
};

// The intersection of the line through `point` along `direction`, in both directions, that lies
// nearest to `point`. A line meeting the surface within `tolerance` of its boundary hits the
// boundary. nullopt when the line misses, or when the direction is zero or not finite, the point
// is outside SurfaceGrid::InRange or the tolerance is negative.
[[nodiscard]] std::optional<SurfaceHit> ProjectAlong(const Surface& surface, Vec3 point,
                                                     Vec3 direction,
                                                     double tolerance = kHostTolerance);

// The foot point: the surface point nearest to `point`, within `tolerance`. nullopt only for a
// point outside SurfaceGrid::InRange or a negative tolerance.
[[nodiscard]] std::optional<SurfaceHit> NearestPoint(const Surface& surface, Vec3 point,
                                                     double tolerance = kHostTolerance);

// The same answers found by examining every patch: the reference for tests and benchmarks.
[[nodiscard]] std::optional<SurfaceHit> ProjectAlongBruteForce(const Surface& surface, Vec3 point,
                                                               Vec3 direction,
                                                               double tolerance = kHostTolerance);
[[nodiscard]] std::optional<SurfaceHit> NearestPointBruteForce(const Surface& surface, Vec3 point,
                                                               double tolerance = kHostTolerance);

// The depth axis of a view, in world coordinates: the third column of its row-major 4 x 4
// matrix, which takes view coordinates to world coordinates.
[[nodiscard]] Vec3 ViewDepthAxis(std::span<const double, 16> matrix);

}  // namespace host::geometry
