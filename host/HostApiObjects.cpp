// The table's object operations: copies handed out (Get, New), added back (Add) and freed.
#include <algorithm>
#include <cstring>

#include "host/Host.h"
#include "host/HostApiTable.h"
#include "host/ObjectCopies.h"

namespace host {
namespace {

using detail::HostFor;
using detail::Refused;

// ---- Get ----
template <class Payload>
Payload* GetObject(HostHandle handle, HostKind kind, const char* operation) {
    Host* host = HostFor(operation);
    if (!host || handle.low != std::uint32_t(kDrawingNumber)) return nullptr;
    const Entity* entity = host->ActiveDrawing().Find(handle.high);
    if (!entity || KindOf(entity->geometry) != kind) return nullptr;
    ObjectLedger& objects = host->Objects();
    return static_cast<Payload*>(
        objects.Hand(CopyOfEntity(*entity, objects.StorageFor(PointCount(entity->geometry)))));
}

HostPointObject* GetPoint(HostHandle h) {
    return GetObject<HostPointObject>(h, HostKind::Point, "HostGetPoint");
}
HostLineObject* GetLine(HostHandle h) {
    return GetObject<HostLineObject>(h, HostKind::Line, "HostGetLine");
}
HostArcObject* GetArc(HostHandle h) {
    return GetObject<HostArcObject>(h, HostKind::Arc, "HostGetArc");
}
HostPolylineObject* GetPolyline(HostHandle h) {
    return GetObject<HostPolylineObject>(h, HostKind::Polyline, "HostGetPolyline");
}
HostCurveObject* GetCurve(HostHandle h) {
    return GetObject<HostCurveObject>(h, HostKind::Curve, "HostGetCurve");
}
HostSurfaceObject* GetSurface(HostHandle h) {
    return GetObject<HostSurfaceObject>(h, HostKind::Surface, "HostGetSurface");
}

// ---- New ----
template <class Payload>
Payload* NewOf(const char* operation) {
    Host* host = HostFor(operation);
    if (!host) return nullptr;
    const Drawing& d = host->ActiveDrawing();
    return static_cast<Payload*>(
        host->Objects().Hand(NewObject<Payload>(d.CurrentColor(), d.CurrentLayer())));
}

HostLayerObject* NewLayer() { return NewOf<HostLayerObject>("HostNewLayer"); }
HostPointObject* NewPoint() { return NewOf<HostPointObject>("HostNewPoint"); }
HostLineObject* NewLine() { return NewOf<HostLineObject>("HostNewLine"); }
HostArcObject* NewArc() { return NewOf<HostArcObject>("HostNewArc"); }
HostTextObject* NewText() { return NewOf<HostTextObject>("HostNewText"); }

HostSurfaceObject* NewSurface(std::uint32_t form, std::uint32_t options, std::uint32_t rows,
                              std::uint32_t columns) {
    Host* host = HostFor("HostNewSurface");
    if (!host) return nullptr;
    const Drawing& d = host->ActiveDrawing();
    auto object = NewSurfaceObject(form, options, rows, columns, d.CurrentColor(), d.CurrentLayer(),
                                   host->Objects().StorageFor(std::size_t(rows) * columns));
    if (!object) {
        Refused("HostNewSurface",
                "a surface needs 2 x 2 points and at most " + std::to_string(kMaxEntityPoints));
        return nullptr;
    }
    return static_cast<HostSurfaceObject*>(host->Objects().Hand(std::move(object)));
}

// ---- Add ----
template <class Payload>
int AddObject(int drawing, Payload* object, const char* operation) {
    Host* host = HostFor(operation);
    if (!host) return -1;
    if (drawing != kDrawingNumber)
        return Refused(operation, "no drawing " + std::to_string(drawing));
    const HandedObject* handed = host->Objects().FindAs<Payload>(object);
    if (!handed) return Refused(operation, "not an object of this kind handed out by the host");
    platform::Expected<EntityGeometry> geometry = GeometryOfObject(*handed, host->Objects());
    if (!geometry) return Refused(operation, geometry.GetStatus().Reason());
    if (!IsColorNumber(handed->color) || !IsLayerNumber(handed->layer))
        return Refused(operation, "colour or layer out of range");
    host->ActiveDrawing().AddInPlaceOf(handed->sourceId, std::move(*geometry), handed->color,
                                       handed->layer);
    return 0;
}

int AddPoint(int d, HostPointObject* o) { return AddObject(d, o, "HostAddPoint"); }
int AddLine(int d, HostLineObject* o) { return AddObject(d, o, "HostAddLine"); }
int AddArc(int d, HostArcObject* o) { return AddObject(d, o, "HostAddArc"); }
int AddText(int d, HostTextObject* o) { return AddObject(d, o, "HostAddText"); }
int AddCurve(int d, HostCurveObject* o) { return AddObject(d, o, "HostAddCurve"); }
int AddSurface(int d, HostSurfaceObject* o) { return AddObject(d, o, "HostAddSurface"); }

int AddLayer(int drawing, HostLayerObject* object) {
    Host* host = HostFor("HostAddLayer");
    if (!host) return -1;
    const HandedObject* handed = host->Objects().FindAs<HostLayerObject>(object);
    if (drawing != kDrawingNumber || !handed)
        return Refused("HostAddLayer", "not a layer record of this host's drawing");
    if (!IsLayerNumber(handed->layer)) return Refused("HostAddLayer", "layer number out of range");
    const std::string name(object->name, strnlen(object->name, sizeof object->name));
    if (name.find_first_of("\r\n") != std::string::npos)
        return Refused("HostAddLayer", "a layer name holds a line break");
    host->ActiveDrawing().AddLayer(handed->layer, {name, object->visible != 0});
    return 0;
}

// ---- Blocks, Free and attributes ----
// Largest HostAlloc block; larger requests get null rather than exhausting memory.
constexpr std::size_t kMaxBlock = std::size_t{64} << 20;

void* Alloc(std::size_t size) {
    Host* host = HostFor("HostAlloc");
    if (!host || size > kMaxBlock) return nullptr;
    auto block = std::make_unique<HandedObject>();
    // A zero-byte request still gets a block of its own, so that its pointer is distinct.
    block->payload = AllocatedBlock(std::max<std::size_t>(size, 1), 0);
    return host->Objects().Hand(std::move(block));
}

void Free(void* object) {
    Host* host = HostFor("HostFree");
    if (host && object) host->Objects().Free(object);
}

HandedObject* Handed(const void* object, const char* operation) {
    Host* host = HostFor(operation);
    HandedObject* handed = host ? host->Objects().Find(object) : nullptr;
    if (host && !handed) Refused(operation, "not an object handed out by the host");
    return handed;
}

int IsSelected(const void* object) {
    const HandedObject* handed = Handed(object, "HostIsSelected");
    return handed && handed->selected ? 1 : 0;
}

int ObjectLayer(const void* object) {
    const HandedObject* handed = Handed(object, "HostObjectLayer");
    return handed ? handed->layer : -1;
}

void SetObjectColor(void* object, int color) {
    HandedObject* handed = Handed(object, "HostSetObjectColor");
    if (handed && IsColorNumber(color)) handed->color = color;
}

void SetObjectLayer(void* object, int layer) {
    HandedObject* handed = Handed(object, "HostSetObjectLayer");
    if (handed && IsLayerNumber(layer)) handed->layer = layer;
}

void SetSurfaceColor(HostSurfaceObject* surface, int color) {
    HandedObject* handed = Handed(surface, "HostSetSurfaceColor");
    if (handed && std::holds_alternative<HostSurfaceObject>(handed->payload) &&
        IsColorNumber(color))
        handed->color = color;
}

}  // namespace

void detail::FillObjectOperations(HostApi& api) {
    api.HostAlloc = Alloc;
    api.HostIsSelected = IsSelected;
    api.HostObjectLayer = ObjectLayer;
    api.HostGetPoint = GetPoint;
    api.HostGetLine = GetLine;
    api.HostGetArc = GetArc;
    api.HostGetPolyline = GetPolyline;
    api.HostGetCurve = GetCurve;
    api.HostGetSurface = GetSurface;
    api.HostFree = Free;
    api.HostSetObjectColor = SetObjectColor;
    api.HostSetObjectLayer = SetObjectLayer;
    api.HostNewLayer = NewLayer;
    api.HostNewPoint = NewPoint;
    api.HostNewLine = NewLine;
    api.HostNewArc = NewArc;
    api.HostNewText = NewText;
    api.HostNewSurface = NewSurface;
    api.HostAddLayer = AddLayer;
    api.HostAddPoint = AddPoint;
    api.HostAddLine = AddLine;
    api.HostAddArc = AddArc;
    api.HostAddText = AddText;
    api.HostAddCurve = AddCurve;
    api.HostAddSurface = AddSurface;
    api.HostSetSurfaceColor = SetSurfaceColor;
}

}  // namespace host
