// The table's surface geometry: projection of points, normals and offsets of the surface objects
// handed out, answered by host/geometry on the geometry built once per object.
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/BuiltSurface.h"
#include "host/Host.h"
#include "host/HostApiTable.h"
#include "host/geometry/Projection.h"
#include "host/geometry/SurfaceNormal.h"
#include "host/geometry/SurfaceOffset.h"

namespace host {
namespace {

using detail::HostFor;
using detail::Refused;

geometry::Vec3 ToGeometry(const HostVector3& p) { return {p.x, p.y, p.z}; }
HostVector3 ToHost(const geometry::Vec3& p) { return {p.x, p.y, p.z}; }

// The geometry of a surface object the host handed out, or null after a note why not. A
// degenerate grid was noted when it was built, so it is not noted again on every query.
const geometry::Surface* GeometryOf(Host& host, const HostSurfaceObject* surface,
                                    std::shared_ptr<const BuiltSurface>& keep,
                                    const char* operation) {
    HandedObject* object = host.Objects().FindAs<HostSurfaceObject>(surface);
    if (!object) {
        Refused(operation, "not a surface object handed out by the host");
        return nullptr;
    }
    keep = host.BuiltGeometryOf(*object);
    if (keep->surface) return &*keep->surface;
    if (!HasOwnStorage(*object, *surface)) Refused(operation, keep->surface.Describe());
    return nullptr;
}

// The side a side number names, or none after a note.
std::optional<geometry::Side> SideOf(int side, const char* operation) {
    const std::optional<geometry::Side> named = geometry::SideFromNumber(side);
    if (!named) Refused(operation, "side " + std::to_string(side) + " is neither 0 nor 1");
    return named;
}

// Along the view's depth axis, both ways, the hit nearest the point; with no view, the surface
// point nearest to it. None when there is none or the query is refused (see Projection.h).
std::optional<geometry::SurfaceHit> Project(const char* operation, const HostSurfaceObject* surface,
                                            const HostVector3* point, const HostViewRecord* view,
                                            double tolerance, const void* out,
                                            const void* secondOut) {
    Host* host = HostFor(operation);
    if (!host) return std::nullopt;
    if (!point || !out || !secondOut) {
        Refused(operation, "a point and both results are needed");
        return std::nullopt;
    }
    if (!geometry::SurfaceGrid::InRange(ToGeometry(*point))) {
        Refused(operation, "the point is not finite or lies beyond 1e15");
        return std::nullopt;
    }
    if (!(tolerance >= 0.0 && std::isfinite(tolerance))) {
        Refused(operation, "the tolerance is not a finite number of at least 0");
        return std::nullopt;
    }
    std::shared_ptr<const BuiltSurface> keep;
    const geometry::Surface* geometry = GeometryOf(*host, surface, keep, operation);
    if (!geometry) return std::nullopt;
    if (!view) return geometry::NearestPoint(*geometry, ToGeometry(*point), tolerance);
    // The record is packed: its matrix need not be aligned for doubles.
    std::array<double, 16> matrix;
    std::memcpy(matrix.data(), view->matrix, sizeof matrix);
    return geometry::ProjectAlong(*geometry, ToGeometry(*point), geometry::ViewDepthAxis(matrix),
                                  tolerance);
}

// 0 with status 0 and the point for a hit; -1 with status 1 (the contract's "no hit") otherwise,
// so that a caller testing either one alone never takes a miss for a hit.
int ProjectPoint(const HostSurfaceObject* surface, const HostVector3* point,
                 const HostViewRecord* view, double tolerance, HostVector3* out, int* status) {
    const std::optional<geometry::SurfaceHit> hit =
        Project("HostProjectPoint", surface, point, view, tolerance, out, status);
    if (status) *status = hit ? 0 : 1;
    if (!hit) return -1;
    *out = ToHost(hit->point);
    return 0;
}

int ProjectPointUV(const HostSurfaceObject* surface, const HostVector3* point,
                   const HostViewRecord* view, double tolerance, HostVector3* out, HostUV* uv) {
    const std::optional<geometry::SurfaceHit> hit =
        Project("HostProjectPointUV", surface, point, view, tolerance, out, uv);
    if (!hit) return -1;
    *out = ToHost(hit->point);
    *uv = {hit->u, hit->v};
    return 0;
}

int SurfaceNormal(const HostSurfaceObject* surface, int side, const HostUV* uv, HostVector3* out) {
    constexpr const char* kOperation = "HostSurfaceNormal";
    Host* host = HostFor(kOperation);
    if (!host) return -1;
    if (!uv || !out) return Refused(kOperation, "a surface parameter and a result are needed");
    const std::optional<geometry::Side> which = SideOf(side, kOperation);
    if (!which) return -1;
    std::shared_ptr<const BuiltSurface> keep;
    const geometry::Surface* geometry = GeometryOf(*host, surface, keep, kOperation);
    if (!geometry) return -1;
    const std::optional<geometry::Vec3> normal =
        geometry::SurfaceNormal(*geometry, uv->u, uv->v, *which);
    if (!normal) return -1;  // (u, v) outside the surface, or no normal there
    *out = ToHost(*normal);
    return 0;
}

// The one mode of HostOffsetSurface: fill the surface object the caller made for the result.
constexpr int kOffsetIntoGivenSurface = 1;

int OffsetSurface(const HostSurfaceObject* surface, double distance, int side, int mode,
                  HostSurfaceObject** out) {
    constexpr const char* kOperation = "HostOffsetSurface";
    Host* host = HostFor(kOperation);
    if (!host) return -1;
    if (mode != kOffsetIntoGivenSurface)
        return Refused(kOperation, "mode " + std::to_string(mode) + " is not 1");
    HandedObject* target = out ? host->Objects().FindAs<HostSurfaceObject>(*out) : nullptr;
    if (!target)
        return Refused(kOperation, "the surface to fill is not one handed out by the host");
    const std::optional<geometry::Side> which = SideOf(side, kOperation);
    if (!which) return -1;
    std::shared_ptr<const BuiltSurface> keep;
    const geometry::Surface* geometry = GeometryOf(*host, surface, keep, kOperation);
    if (!geometry) return -1;
    const geometry::SurfaceGrid& grid = geometry->Grid();
    const HostSurfaceObject& filled = std::get<HostSurfaceObject>(target->payload);
    if (!HasOwnStorage(*target, filled) || int(filled.rows) != grid.Rows() ||
        int(filled.columns) != grid.Columns())
        return Refused(kOperation,
                       "the surface to fill is not of the same shape (HostNewSurface with the "
                       "surface's four words makes one)");
    platform::Expected<geometry::SurfaceGrid> offset =
        geometry::OffsetSurface(grid, distance, *which);
    if (!offset) return Refused(kOperation, offset.Describe());
    // `keep` holds the source's grid, so the target may be the source itself.
    const std::vector<geometry::Vec3>& points = offset->Points();
    for (std::size_t i = 0; i < points.size(); ++i) target->points[i] = ToHost(points[i]);
    host->KeepGeometry(*target, geometry::Surface(std::move(*offset)));
    return 0;
}

}  // namespace

void detail::FillGeometryOperations(HostApi& api) {
    api.HostProjectPoint = ProjectPoint;
    api.HostProjectPointUV = ProjectPointUV;
    api.HostSurfaceNormal = SurfaceNormal;
    api.HostOffsetSurface = OffsetSurface;
}

}  // namespace host
