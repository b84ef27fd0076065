// Entities to handed-out objects and back.
#include "host/ObjectCopies.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "host/geometry/LargePages.h"

namespace host {
namespace {

// Points the caller may have edited in place, refused when the object no longer points at the
// storage the host gave it or claims a different count.
std::optional<std::vector<HostVector3>> OwnedPoints(const HandedObject& object,
                                                    const HostVector3* pointer, std::size_t count) {
    if (pointer != object.points.data() || count != object.points.size()) return std::nullopt;
    return object.points;
}

platform::Status ChangedStorage() {
    return platform::Status::Failure("its point storage or count was changed");
}

// Room for `count` points: the storage `points` holds when large enough, else fresh storage on
// large pages.
void MakeRoom(std::vector<HostVector3>& points, std::size_t count) {
    if (points.capacity() < count) geometry::ReserveLargePages(points, count);
}

// `points` filled with [first, last), in storage kept or made room for.
template <class Iterator>
void FillPoints(std::vector<HostVector3>& points, Iterator first, Iterator last) {
    MakeRoom(points, std::size_t(std::distance(first, last)));
    points.assign(first, last);
}

}  // namespace

std::size_t PointCount(const EntityGeometry& geometry) {
    if (const auto* g = std::get_if<PolylineGeometry>(&geometry)) return g->vertices.size();
    if (const auto* g = std::get_if<CurveGeometry>(&geometry)) return g->controlPoints.size();
    if (const auto* g = std::get_if<SurfaceGeometry>(&geometry)) return g->points.size();
    return 0;
}

std::unique_ptr<HandedObject> CopyOfEntity(const Entity& entity, std::vector<HostVector3> storage) {
    auto object = std::make_unique<HandedObject>();
    object->points = std::move(storage);
    object->color = entity.color;
    object->layer = entity.layer;
    object->selected = entity.selected;
    object->sourceId = entity.id;
    HandedObject& o = *object;
    struct Visitor {
        HandedObject& o;
        void operator()(const PointGeometry& g) {
            o.payload = HostPointObject{g.at.x, g.at.y, g.at.z};
        }
        void operator()(const LineGeometry& g) { o.payload = HostLineObject{g.start, g.end}; }
        void operator()(const ArcGeometry& g) {
            o.payload = HostArcObject{g.center, g.axis, g.startDir, g.sweep, g.radius};
        }
        void operator()(const PolylineGeometry& g) {
            FillPoints(o.points, g.vertices.begin(), g.vertices.end());
            o.payload = HostPolylineObject{std::uint32_t(o.points.size()), o.points.data()};
        }
        void operator()(const CurveGeometry& g) {
            FillPoints(o.points, g.controlPoints.begin(), g.controlPoints.end());
            o.payload = HostCurveObject{std::uint32_t(o.points.size()), o.points.data()};
        }
        void operator()(const SurfaceGeometry& g) {
            FillPoints(o.points, g.points.begin(), g.points.end());
            o.payload = HostSurfaceObject{std::uint32_t(g.rows), std::uint32_t(g.columns), g.form,
                                          g.options, o.points.data()};
        }
        void operator()(const TextGeometry&) {
            // No operation hands out text entities; a text is only ever added.
            o.payload = HostTextObject{};
        }
    };
    std::visit(Visitor{o}, entity.geometry);
    return object;
}

std::unique_ptr<HandedObject> NewSurfaceObject(std::uint32_t form, std::uint32_t options,
                                               std::uint32_t rows, std::uint32_t columns, int color,
                                               int layer, std::vector<HostVector3> storage) {
    const std::uint64_t count = std::uint64_t(rows) * columns;
    if (rows < 2 || columns < 2 || count > kMaxEntityPoints) return nullptr;
    auto object = NewObject<HostSurfaceObject>(color, layer);
    object->points = std::move(storage);
    MakeRoom(object->points, std::size_t(count));
    object->points.assign(std::size_t(count), HostVector3{});
    object->payload = HostSurfaceObject{rows, columns, form, options, object->points.data()};
    return object;
}

platform::Expected<EntityGeometry> GeometryOfObject(const HandedObject& object,
                                                    ObjectLedger& ledger) {
    struct Visitor {
        const HandedObject& o;
        ObjectLedger& ledger;
        static platform::Status Fault(const char* why) { return platform::Status::Failure(why); }
        platform::Expected<EntityGeometry> operator()(const HostPointObject& p) {
            return PointGeometry{{p.x, p.y, p.z}};
        }
        platform::Expected<EntityGeometry> operator()(const HostLineObject& l) {
            return LineGeometry{l.start, l.end};
        }
        platform::Expected<EntityGeometry> operator()(const HostArcObject& a) {
            return ArcGeometry{a.center, a.axis, a.startDir, a.sweep, a.radius};
        }
        platform::Expected<EntityGeometry> operator()(const HostPolylineObject& p) {
            auto points = OwnedPoints(o, p.vertices, p.count);
            if (!points) return ChangedStorage();
            return PolylineGeometry{std::move(*points)};
        }
        platform::Expected<EntityGeometry> operator()(const HostCurveObject& c) {
            auto points = OwnedPoints(o, c.controlPoints, c.count);
            if (!points) return ChangedStorage();
            return CurveGeometry{std::move(*points)};
        }
        platform::Expected<EntityGeometry> operator()(const HostSurfaceObject& s) {
            auto points = OwnedPoints(o, s.points, std::size_t(s.rows) * s.columns);
            if (!points) return ChangedStorage();
            return SurfaceGeometry{int(s.rows), int(s.columns), s.form, s.options,
                                   std::move(*points)};
        }
        platform::Expected<EntityGeometry> operator()(const HostTextObject& t) {
            TextGeometry text;
            if (t.text) {
                const HandedObject* block = ledger.FindAs<AllocatedBlock>(t.text);
                if (!block) return Fault("its text is not a block from HostAlloc");
                const auto& bytes = std::get<AllocatedBlock>(block->payload);
                const std::size_t length = std::min<std::size_t>(
                    std::max(t.length, 0),
                    std::find(bytes.begin(), bytes.end(), '\0') - bytes.begin());
                text.text.assign(reinterpret_cast<const char*>(bytes.data()), length);
            }
            text.position = t.position;
            text.height = t.height;
            text.slant = t.slant;
            std::copy(std::begin(t.matrix), std::end(t.matrix), text.matrix.begin());
            if (t.font && t.font->useFont == 1) {
                HostLogFont font = t.font->font;
                font.faceName[sizeof font.faceName - 1] = '\0';
                text.font = font;
            }
            return text;
        }
        platform::Expected<EntityGeometry> operator()(const HostLayerObject&) {
            return Fault("a layer record is not an entity");
        }
        platform::Expected<EntityGeometry> operator()(const AllocatedBlock&) {
            return Fault("a memory block is not an entity");
        }
    };
    platform::Expected<EntityGeometry> result = std::visit(Visitor{object, ledger}, object.payload);
    if (!result) return result;
    if (platform::Status valid = CheckGeometry(*result); !valid) return valid;
    return result;
}

}  // namespace host
