// The geometry of the drawing's entities, one type per kind, and what the host asks of any of them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "hostlink/HostApi.h"
#include "platform/Status.h"

namespace host {

using Matrix4 = std::array<double, 16>;

// The identity matrix.
[[nodiscard]] Matrix4 IdentityMatrix();

struct PointGeometry {
    HostVector3 at;
    friend bool operator==(const PointGeometry&, const PointGeometry&) = default;
};

struct LineGeometry {
    HostVector3 start;
    HostVector3 end;
    friend bool operator==(const LineGeometry&, const LineGeometry&) = default;
};

struct ArcGeometry {
    HostVector3 center;
    HostVector3 axis{0, 0, 1};
    HostVector3 startDir{1, 0, 0};
    double sweep = 0.0;
    double radius = 0.0;
    friend bool operator==(const ArcGeometry&, const ArcGeometry&) = default;
};

struct PolylineGeometry {
    std::vector<HostVector3> vertices;
    friend bool operator==(const PolylineGeometry&, const PolylineGeometry&) = default;
};

struct CurveGeometry {
    std::vector<HostVector3> controlPoints;
    friend bool operator==(const CurveGeometry&, const CurveGeometry&) = default;
};

// Rows x columns points, row after row (the layout the surface geometry works on).
struct SurfaceGeometry {
    int rows = 0;
    int columns = 0;
    std::uint32_t form = kHostSurfacePointGrid;
    std::uint32_t options = 0;
    std::vector<HostVector3> points;
    friend bool operator==(const SurfaceGeometry&, const SurfaceGeometry&) = default;
};

struct TextGeometry {
    std::string text;
    HostVector3 position;
    double height = 0.0;
    double slant = 0.0;
    Matrix4 matrix = IdentityMatrix();
    std::optional<HostLogFont> font;  // none: the host's default font
    friend bool operator==(const TextGeometry&, const TextGeometry&) = default;
};

using EntityGeometry = std::variant<PointGeometry, LineGeometry, ArcGeometry, PolylineGeometry,
                                    CurveGeometry, SurfaceGeometry, TextGeometry>;

// The kind of an entity with this geometry.
[[nodiscard]] HostKind KindOf(const EntityGeometry& geometry);

// The kind's name as the drawing file and messages write it ("point", "surface", ...).
[[nodiscard]] const char* KindName(HostKind kind);

// Largest number of points of one polyline, curve or surface the host accepts.
inline constexpr std::size_t kMaxEntityPoints = std::size_t{1} << 21;

// Whether the geometry can be part of a drawing; if not, why (non-finite numbers, too few or too
// many points, a surface whose point count is not rows x columns).
platform::Status CheckGeometry(const EntityGeometry& geometry);

// Every point that outlines the geometry (arcs sampled), for extents and picking.
[[nodiscard]] std::vector<HostVector3> OutlinePoints(const EntityGeometry& geometry);

// Distance from `p` to the geometry's outline (its segments, or its points for a surface).
[[nodiscard]] double DistanceTo(const EntityGeometry& geometry, HostVector3 p);

}  // namespace host
