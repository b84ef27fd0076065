// Kind, validity, outline and distance of the drawing's entity geometry.
#include "host/EntityGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {
namespace {

// Segments an arc is sampled with for extents and picking.
constexpr int kArcSamples = 64;

bool Finite(HostVector3 p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool AllFinite(const std::vector<HostVector3>& points) {
    return std::all_of(points.begin(), points.end(), Finite);
}

HostVector3 Add(HostVector3 a, HostVector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
HostVector3 Sub(HostVector3 a, HostVector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
HostVector3 Scale(double k, HostVector3 a) { return {k * a.x, k * a.y, k * a.z}; }
double Dot(HostVector3 a, HostVector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
HostVector3 Cross(HostVector3 a, HostVector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
HostVector3 Unit(HostVector3 a) {
    const double length = std::sqrt(Dot(a, a));
    return length > 0.0 ? Scale(1.0 / length, a) : a;
}

double DistanceToSegment(HostVector3 p, HostVector3 a, HostVector3 b) {
    const HostVector3 ab = Sub(b, a);
    const double lengthSquared = Dot(ab, ab);
    double t = lengthSquared > 0.0 ? Dot(Sub(p, a), ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const HostVector3 d = Sub(p, Add(a, Scale(t, ab)));
    return std::sqrt(Dot(d, d));
}

std::vector<HostVector3> SampleArc(const ArcGeometry& arc) {
    const HostVector3 u = Unit(arc.startDir);
    const HostVector3 v = Cross(Unit(arc.axis), u);
    std::vector<HostVector3> points;
    points.reserve(kArcSamples + 1);
    for (int i = 0; i <= kArcSamples; ++i) {
        const double t = arc.sweep * i / kArcSamples;
        points.push_back(
            Add(arc.center, Scale(arc.radius, Add(Scale(std::cos(t), u), Scale(std::sin(t), v)))));
    }
    return points;
}

}  // namespace

Matrix4 IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

HostKind KindOf(const EntityGeometry& geometry) {
    struct Visitor {
        HostKind operator()(const PointGeometry&) const { return HostKind::Point; }
        HostKind operator()(const LineGeometry&) const { return HostKind::Line; }
        HostKind operator()(const ArcGeometry&) const { return HostKind::Arc; }
        HostKind operator()(const PolylineGeometry&) const { return HostKind::Polyline; }
        HostKind operator()(const CurveGeometry&) const { return HostKind::Curve; }
        HostKind operator()(const SurfaceGeometry&) const { return HostKind::Surface; }
        HostKind operator()(const TextGeometry&) const { return HostKind::Text; }
    };
    return std::visit(Visitor{}, geometry);
}

const char* KindName(HostKind kind) {
    switch (kind) {
        case HostKind::Point:
            return "point";
        case HostKind::Line:
            return "line";
        case HostKind::Polyline:
            return "polyline";
        case HostKind::Arc:
            return "arc";
        case HostKind::Curve:
            return "curve";
        case HostKind::Surface:
            return "surface";
        case HostKind::Text:
            return "text";
    }
    return "unknown";
}

platform::Status CheckGeometry(const EntityGeometry& geometry) {
    // Each case names what is wrong, or nullptr when nothing is.
    struct Visitor {
        const char* operator()(const PointGeometry& g) const {
            return Finite(g.at) ? nullptr : "a coordinate is not a finite number";
        }
        const char* operator()(const LineGeometry& g) const {
            return Finite(g.start) && Finite(g.end) ? nullptr
                                                    : "a coordinate is not a finite number";
        }
        const char* operator()(const ArcGeometry& g) const {
            const bool finite = Finite(g.center) && Finite(g.axis) && Finite(g.startDir) &&
                                std::isfinite(g.sweep) && std::isfinite(g.radius);
            return finite ? nullptr : "a number is not finite";
        }
        const char* operator()(const PolylineGeometry& g) const { return Points(g.vertices, 2); }
        const char* operator()(const CurveGeometry& g) const { return Points(g.controlPoints, 2); }
        const char* operator()(const SurfaceGeometry& g) const {
            if (g.rows < 2 || g.columns < 2) return "a surface needs at least 2 rows and 2 columns";
            if (std::size_t(g.rows) * std::size_t(g.columns) != g.points.size())
                return "the number of points is not rows x columns";
            return Points(g.points, 4);
        }
        const char* operator()(const TextGeometry& g) const {
            const bool finite = Finite(g.position) && std::isfinite(g.height) &&
                                std::isfinite(g.slant) &&
                                std::all_of(g.matrix.begin(), g.matrix.end(),
                                            [](double m) { return std::isfinite(m); });
            if (!finite) return "a number is not finite";
            return g.text.find_first_of("\r\n") == std::string::npos ? nullptr
                                                                     : "a text holds a line break";
        }
        static const char* Points(const std::vector<HostVector3>& points, std::size_t least) {
            if (points.size() < least) return "too few points";
            if (points.size() > kMaxEntityPoints) return "too many points";
            return AllFinite(points) ? nullptr : "a coordinate is not a finite number";
        }
    };
    const char* fault = std::visit(Visitor{}, geometry);
    return fault == nullptr ? platform::Status{} : platform::Status::Failure(fault);
}

std::vector<HostVector3> OutlinePoints(const EntityGeometry& geometry) {
    struct Visitor {
        std::vector<HostVector3> operator()(const PointGeometry& g) const { return {g.at}; }
        std::vector<HostVector3> operator()(const LineGeometry& g) const {
            return {g.start, g.end};
        }
        std::vector<HostVector3> operator()(const ArcGeometry& g) const { return SampleArc(g); }
        std::vector<HostVector3> operator()(const PolylineGeometry& g) const { return g.vertices; }
        std::vector<HostVector3> operator()(const CurveGeometry& g) const {
            return g.controlPoints;
        }
        std::vector<HostVector3> operator()(const SurfaceGeometry& g) const { return g.points; }
        std::vector<HostVector3> operator()(const TextGeometry& g) const { return {g.position}; }
    };
    return std::visit(Visitor{}, geometry);
}

double DistanceTo(const EntityGeometry& geometry, HostVector3 p) {
    const std::vector<HostVector3> outline = OutlinePoints(geometry);
    const bool joined = !std::holds_alternative<SurfaceGeometry>(geometry);
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const HostVector3 next = joined && i + 1 < outline.size() ? outline[i + 1] : outline[i];
        best = std::min(best, DistanceToSegment(p, outline[i], next));
    }
    return best;
}

}  // namespace host
