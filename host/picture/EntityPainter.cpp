// Surfaces as shaded facets, curves and lines as polylines, points as crosses, texts as text.
#include "host/picture/EntityPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/picture/HostColours.h"

namespace host {
namespace {

struct Facet {
    std::vector<PicturePoint> corners;
    double nearness = 0.0;
    std::string fill;
    std::string edge;
};

HostVector3 Minus(HostVector3 a, HostVector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
HostVector3 Cross(HostVector3 a, HostVector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(HostVector3 a, HostVector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
HostVector3 Unit(HostVector3 v) {
    const double length = std::sqrt(Dot(v, v));
    if (!(length > 0.0)) return {0, 0, 0};
    return {v.x / length, v.y / length, v.z / length};
}

// The colour `rgb` ("#rrggbb") at `brightness` (0 black, 1 as it is).
std::string Shaded(const std::string& rgb, double brightness) {
    unsigned r = 0, g = 0, b = 0;
    std::sscanf(rgb.c_str(), "#%02x%02x%02x", &r, &g, &b);
    const auto shade = [brightness](unsigned c) {
        return static_cast<unsigned>(std::clamp(std::lround(c * brightness), 0L, 255L));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", shade(r), shade(g), shade(b));
    return text;
}

// The surface's facets between every `step`-th grid line (the last line always included).
void AddFacets(const SurfaceGeometry& surface, const std::string& rgb, const PictureView& view,
               std::vector<Facet>& facets) {
    const auto lines = [](int count) {
        const int step = std::max(1, (count + kMostPictureGridLines - 1) / kMostPictureGridLines);
        std::vector<int> at;
        for (int i = 0; i < count - 1; i += step) at.push_back(i);
        at.push_back(count - 1);
        return at;
    };
    const std::vector<int> rows = lines(surface.rows);
    const std::vector<int> columns = lines(surface.columns);
    // Light from the viewer's side and a little from the upper left, so slopes show.
    const HostVector3 light =
        view.Side() == ViewSide::Top ? Unit({-0.35, 0.35, 1.0}) : Unit({-0.35, -1.0, 0.35});
    const std::string edge = Shaded(rgb, 0.55);
    for (std::size_t r = 0; r + 1 < rows.size(); ++r)
        for (std::size_t c = 0; c + 1 < columns.size(); ++c) {
            const auto point = [&](int row, int column) {
                return surface.points[static_cast<std::size_t>(row) * surface.columns + column];
            };
            const HostVector3 a = point(rows[r], columns[c]);
            const HostVector3 b = point(rows[r], columns[c + 1]);
            const HostVector3 d = point(rows[r + 1], columns[c]);
            const HostVector3 e = point(rows[r + 1], columns[c + 1]);
            const HostVector3 normal = Unit(Cross(Minus(e, a), Minus(d, b)));
            const double brightness = 0.35 + 0.65 * std::fabs(Dot(normal, light));
            facets.push_back({{view.At(a), view.At(b), view.At(e), view.At(d)},
                              view.Nearness({(a.x + e.x) / 2, (a.y + e.y) / 2, (a.z + e.z) / 2}),
                              Shaded(rgb, brightness),
                              edge});
        }
}

void PaintFacets(std::vector<Facet>& facets, SvgBuilder& svg) {
    std::stable_sort(facets.begin(), facets.end(),
                     [](const Facet& a, const Facet& b) { return a.nearness < b.nearness; });
    svg.BeginGroup("surfaces");
    for (const Facet& facet : facets)
        svg.Polygon(facet.corners, "fill=\"" + facet.fill + "\" stroke=\"" + facet.edge +
                                       "\" stroke-width=\"0.4\"");
    svg.EndGroup();
}

// A full circle facing the viewer of the top view: drawn as a circle, not as its samples.
bool IsFlatFullCircle(const ArcGeometry& arc, const PictureView& view) {
    const HostVector3 axis = Unit(arc.axis);
    return view.Side() == ViewSide::Top && std::fabs(std::fabs(axis.z) - 1.0) < 1e-9 &&
           std::fabs(arc.sweep) >= 2 * 3.141592653589793 - 1e-9;
}

void PaintOutline(const Entity& entity, const std::string& rgb, const PictureView& view,
                  SvgBuilder& svg) {
    if (const auto* point = std::get_if<PointGeometry>(&entity.geometry)) {
        const PicturePoint at = view.At(point->at);
        const std::string style = "stroke=\"" + rgb + "\" stroke-width=\"1\"";
        svg.Line({at.x - 2, at.y}, {at.x + 2, at.y}, style);
        svg.Line({at.x, at.y - 2}, {at.x, at.y + 2}, style);
        return;
    }
    if (const auto* text = std::get_if<TextGeometry>(&entity.geometry)) {
        if (view.Side() != ViewSide::Top) return;
        const double size = std::max(6.0, text->height * view.Scale());
        svg.Text(view.At(text->position), text->text, size, "fill=\"" + rgb + "\"");
        return;
    }
    if (const auto* arc = std::get_if<ArcGeometry>(&entity.geometry);
        arc != nullptr && IsFlatFullCircle(*arc, view)) {
        svg.Circle(view.At(arc->center), arc->radius * view.Scale(),
                   "fill=\"none\" stroke=\"" + rgb + "\" stroke-width=\"1\"");
        return;
    }
    std::vector<PicturePoint> points;
    for (const HostVector3& p : OutlinePoints(entity.geometry)) points.push_back(view.At(p));
    svg.Polyline(points, "stroke=\"" + rgb + "\" stroke-width=\"1\"");
}

}  // namespace

bool LayerShown(const Drawing& drawing, int layer) {
    const auto found = drawing.Layers().find(layer);
    return found == drawing.Layers().end() || found->second.visible;
}

Extent ShownExtent(const Drawing& drawing) {
    Extent extent;
    drawing.ForEach([&](const Entity& entity) {
        if (!LayerShown(drawing, entity.layer)) return;
        for (const HostVector3& p : OutlinePoints(entity.geometry)) extent.Include(p);
    });
    return extent;
}

void PaintEntities(const Drawing& drawing, const PictureView& view, SvgBuilder& svg) {
    std::vector<Facet> facets;
    drawing.ForEach([&](const Entity& entity) {
        if (!LayerShown(drawing, entity.layer)) return;
        if (const auto* surface = std::get_if<SurfaceGeometry>(&entity.geometry))
            AddFacets(*surface, HostColourRgb(entity.color), view, facets);
    });
    PaintFacets(facets, svg);
    svg.BeginGroup("entities");
    drawing.ForEach([&](const Entity& entity) {
        if (!LayerShown(drawing, entity.layer) ||
            std::holds_alternative<SurfaceGeometry>(entity.geometry))
            return;
        PaintOutline(entity, HostColourRgb(entity.color), view, svg);
    });
    svg.EndGroup();
}

}  // namespace host
