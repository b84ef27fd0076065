// CSurfcamCtrl: creating points, lines, arcs, text and layers; listing layers, views and lines;
// reading arcs and picked locations; selection; moving the drawing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "hostlink/LinkState.h"
#include "hostlink/NoThrow.h"
#include "hostlink/SurfcamCtrl.h"

using ravelink::Host;

namespace {

constexpr int kNameBufferSize = 60;
constexpr double kDefaultTextHeight = 0.13;
constexpr int kFirstLayerLeftInPlace = 250;  // layers 250 to 255 are the add-in's own

HostVector3 ToHost(double x, double y, double z) { return HostVector3{x, y, z}; }
HostVector3 ToHost(const CApiVect& v) { return HostVector3{v.x, v.y, v.z}; }

// Adds a filled host object with the controller's colour and layer and releases it.
template <typename Object>
void AddAndRelease(Object* object, int (*HostApi::*add)(int, Object*), int drawing, int color,
                   int layer) {
    HostApi& host = Host();
    host.HostSetObjectColor(object, color);
    host.HostSetObjectLayer(object, layer);
    (host.*add)(drawing, object);
    host.HostFree(object);
}

// Appends "NNN name" plus `suffix` to `list` as a block with its terminator and one more byte.
void AppendNumberedName(CLinkList* list, int number, const char* name, const char* suffix) {
    char text[kNameBufferSize + 32] = {};
    std::snprintf(text, sizeof text - 1, "%03d %s%s", number, name, suffix);
    list->AddBlock(text, static_cast<std::uint32_t>(std::strlen(text) + 2));
}

void Move(HostVector3& p, const HostVector3& d) {
    p.x += d.x;
    p.y += d.y;
    p.z += d.z;
}

void MovePoints(HostVector3* points, std::size_t count, const HostVector3& d) {
    for (std::size_t i = 0; i < count; ++i) Move(points[i], d);
}

// Moves one entity by `d` unless it lies on the add-in's own layers: deleted, moved, added
// again (so it goes to the end of the drawing).
template <typename Object>
void MoveEntity(HostHandle h, Object* object, int (*HostApi::*add)(int, Object*), int drawing,
                const HostVector3& d, void (*move)(Object&, const HostVector3&)) {
    HostApi& host = Host();
    if (object == nullptr) return;
    if (host.HostObjectLayer(object) >= kFirstLayerLeftInPlace) {
        host.HostFree(object);
        return;
    }
    host.HostDeleteEntity(h);
    move(*object, d);
    (host.*add)(drawing, object);
    host.HostFree(object);
}

}  // namespace

bool CSurfcamCtrl::CreatePoint(double x, double y, double z, int layer, int color) {
    set_color_and_layer(color, layer);
    HostPointObject* point = Host().HostNewPoint();
    point->x = x;
    point->y = y;
    point->z = z;
    AddAndRelease(point, &HostApi::HostAddPoint, drawing, curColor, curLayer);
    return true;
}

bool CSurfcamCtrl::CreatePoint(CApiPoint p, int layer, int color) {
    return CreatePoint(p.x, p.y, p.z, layer, color);
}

bool CSurfcamCtrl::CreateLine(double x1, double y1, double z1, double x2, double y2, double z2,
                              int layer, int color) {
    set_color_and_layer(color, layer);
    HostLineObject* line = Host().HostNewLine();
    line->start = ToHost(x1, y1, z1);
    line->end = ToHost(x2, y2, z2);
    AddAndRelease(line, &HostApi::HostAddLine, drawing, curColor, curLayer);
    return true;
}

bool CSurfcamCtrl::CreateLine(CApiLine l, int layer, int color) {
    return CreateLine(l.start, l.end, layer, color);
}

bool CSurfcamCtrl::CreateLine(CApiPoint a, CApiPoint b, int layer, int color) {
    return CreateLine(a.x, a.y, a.z, b.x, b.y, b.z, layer, color);
}

bool CSurfcamCtrl::CreateArc(CApiArc a, int layer, int color) {
    set_color_and_layer(color, layer);
    HostArcObject* arc = Host().HostNewArc();
    arc->center = ToHost(a.center.x, a.center.y, a.center.z);
    a.startDir.normalize();  // a degenerate direction is passed as it is
    a.normal.normalize();
    arc->startDir = ToHost(a.startDir);
    arc->axis = ToHost(a.normal);
    arc->sweep = a.sweep;
    arc->radius = a.radius;
    AddAndRelease(arc, &HostApi::HostAddArc, drawing, curColor, curLayer);
    return true;
}

bool CSurfcamCtrl::CreateText(char* text, CApiPoint* at, double height, int layer, int color) {
    set_color_and_layer(color, layer);
    HostApi& host = Host();
    HostTextObject* object = host.HostNewText();
    const std::size_t length = std::strlen(text);
    object->length = static_cast<std::int32_t>(length);
    object->height = height;
    object->slant = 0.0;
    for (int i = 0; i < 4; ++i) object->matrix[5 * i] = 1.0;
    object->position = ToHost(at->x, at->y, at->z);
    // The host copies the font when the text is added; the copy lives only for this call.
    HostFontRecord fontCopy{font, 1};
    object->font = fontSet ? &fontCopy : nullptr;
    object->text = static_cast<char*>(host.HostAlloc(length + 1));
    if (object->text != nullptr) std::memcpy(object->text, text, length + 1);
    host.HostSetObjectColor(object, curColor);
    host.HostSetObjectLayer(object, curLayer);
    host.HostAddText(host.HostDrawing(), object);
    object->font = nullptr;
    host.HostFree(object);
    return true;
}

bool CSurfcamCtrl::CreateText(char* text, CApiPoint* at, int layer, int color) {
    return CreateText(text, at, kDefaultTextHeight, layer, color);
}

void CSurfcamCtrl::CreateLayer(int layer, const char* name) {
    HostApi& host = Host();
    if (host.HostLayerExists(layer) == 1) return;
    HostLayerObject* object = host.HostNewLayer();
    host.HostSetObjectLayer(object, layer);
    // Names keep at most 29 characters: 30 bytes are copied and the 30th forced to zero.
    std::strncpy(object->name, name != nullptr ? name : "", kHostLayerObjectNameSize);
    object->name[kHostLayerObjectNameSize - 1] = '\0';
    host.HostAddLayer(host.HostDrawing(), object);
    host.HostFree(object);
}

int CSurfcamCtrl::DeleteElementsOnLayer(int layer) {
    HostApi& host = Host();
    host.HostUnselectAll();
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        void* object = nullptr;
        switch (host.HostEntityKind(h)) {
            case static_cast<int>(HostKind::Point):
                object = host.HostGetPoint(h);
                break;
            case static_cast<int>(HostKind::Arc):
                object = host.HostGetArc(h);
                break;
            default:
                continue;
        }
        if (object == nullptr) continue;
        if (host.HostObjectLayer(object) == layer) host.HostDeleteEntity(h);
        host.HostFree(object);
    }
    return 0;
}

int CSurfcamCtrl::ShowLayer(int show, int layer) {
    if (layer != -1) {
        Host().HostShowLayer(layer, show);
        return 0;
    }
    CLinkList layers;
    GetLayerList(&layers);
    for (void* block = layers.GoFirst(); block != nullptr; block = layers.GoNext()) {
        char digits[4] = {};
        std::strncpy(digits, static_cast<const char*>(block), 3);
        Host().HostShowLayer(std::atoi(digits), show);
    }
    return 0;
}

int CSurfcamCtrl::GetLayerList(CLinkList* list) {
    HostApi& host = Host();
    char name[kNameBufferSize + 1] = {};
    if (host.HostLayerName(0, name, kNameBufferSize) == 0) AppendNumberedName(list, 0, name, "");
    for (int n = host.HostNextLayer(0); n >= 0; n = host.HostNextLayer(n)) {
        std::memset(name, 0, sizeof name);
        host.HostLayerName(n, name, kNameBufferSize);
        AppendNumberedName(list, n, name, " ");
    }
    return 0;
}

int CSurfcamCtrl::GetViewList(CLinkList* list) {
    return ravelink::NoThrow("GetViewList", -1, [&] {
        constexpr int kViewWords = 9999;
        HostApi& host = Host();
        std::vector<std::uint16_t> words(kViewWords + 1, 0);
        host.HostListViews(words.data(), kViewWords);
        for (int i = 1; i < kViewWords && words[i] != 0; ++i) {
            HostViewRecord record{};
            host.HostGetView(&record, words[i]);
            char name[sizeof record.name + 1] = {};
            std::memcpy(name, record.name, sizeof record.name);
            AppendNumberedName(list, words[i], name, " ");
        }
        return 0;
    });
}

bool CSurfcamCtrl::GetLayerLines(CApiLine* line, CLinkList* list, int layer) {
    HostApi& host = Host();
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        if (host.HostEntityKind(h) != static_cast<int>(HostKind::Line)) continue;
        HostLineObject* object = host.HostGetLine(h);
        if (object == nullptr) continue;
        if (host.HostObjectLayer(object) == layer) {
            line->start.x = object->start.x;
            line->start.y = object->start.y;
            line->start.z = object->start.z;
            line->end.x = object->end.x;
            line->end.y = object->end.y;
            line->end.z = object->end.z;
            list->AddBlock(line, sizeof(CApiLine));
        }
        host.HostFree(object);
    }
    return list->BlockCount() > 0;
}

int CSurfcamCtrl::GetArc(CApiArc* arc) {
    HostApi& host = Host();
    host.HostGetCView(&ravelink::State().cview);
    // After a Select the arc the user has just selected is the one meant; the drawing's first
    // arc answers only when no arc is selected.
    std::optional<HostArcObject> found;
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        if (host.HostEntityKind(h) != static_cast<int>(HostKind::Arc)) continue;
        HostArcObject* object = host.HostGetArc(h);
        if (object == nullptr) continue;
        const bool selected = host.HostIsSelected(object) != 0;
        if (selected || !found) found = *object;
        host.HostFree(object);
        if (selected) break;
    }
    if (!found) return 0;
    arc->center.x = found->center.x;
    arc->center.y = found->center.y;
    arc->center.z = found->center.z;
    arc->normal = CApiVect{found->axis.x, found->axis.y, found->axis.z};
    arc->startDir = CApiVect{found->startDir.x, found->startDir.y, found->startDir.z};
    arc->sweep = found->sweep;
    arc->radius = found->radius;
    return 1;
}

int CSurfcamCtrl::GetLocation(char* /*prompt: the host shows its own*/, CApiPoint* out) {
    HostVector3 picked{};
    Host().HostPickLocation(0, &picked);
    out->x = picked.x;
    out->y = picked.y;
    out->z = picked.z;
    return 0;
}

bool CSurfcamCtrl::Select(int mode) {
    const int result = Host().HostSelect(kHostSelectByPicking, mode, 0, 0);
    selectResult = result;
    if (result >= 0) return true;
    Host().HostUnselectAll();
    return false;
}

void CSurfcamCtrl::UnSelect() { Host().HostUnselectAll(); }

int CSurfcamCtrl::Translate2Pnts(CApiPoint from, CApiPoint to, bool /*flag: not used*/) {
    HostApi& host = Host();
    const HostVector3 d{to.x - from.x, to.y - from.y, to.z - from.z};
    // Moved entities are added again behind the others; the walk ends at the entity that was
    // last when it began, so nothing is moved twice and the walk always ends.
    const HostHandle last = ravelink::LastEntity(drawing);
    bool reachedLast = !host.HostEntityValid(last);
    for (HostHandle h = host.HostFirstEntity(drawing); !reachedLast && host.HostEntityValid(h);) {
        reachedLast = h == last;
        const HostHandle next = host.HostNextEntity(h);
        switch (host.HostEntityKind(h)) {
            case static_cast<int>(HostKind::Point):
                MoveEntity<HostPointObject>(h, host.HostGetPoint(h), &HostApi::HostAddPoint,
                                            drawing, d,
                                            [](HostPointObject& p, const HostVector3& by) {
                                                p.x += by.x;
                                                p.y += by.y;
                                                p.z += by.z;
                                            });
                break;
            case static_cast<int>(HostKind::Line):
                MoveEntity<HostLineObject>(h, host.HostGetLine(h), &HostApi::HostAddLine, drawing,
                                           d, [](HostLineObject& l, const HostVector3& by) {
                                               Move(l.start, by);
                                               Move(l.end, by);
                                           });
                break;
            case static_cast<int>(HostKind::Arc):
                MoveEntity<HostArcObject>(
                    h, host.HostGetArc(h), &HostApi::HostAddArc, drawing, d,
                    [](HostArcObject& a, const HostVector3& by) { Move(a.center, by); });
                break;
            case static_cast<int>(HostKind::Curve):
                MoveEntity<HostCurveObject>(h, host.HostGetCurve(h), &HostApi::HostAddCurve,
                                            drawing, d,
                                            [](HostCurveObject& c, const HostVector3& by) {
                                                MovePoints(c.controlPoints, c.count, by);
                                            });
                break;
            case static_cast<int>(HostKind::Surface):
                MoveEntity<HostSurfaceObject>(
                    h, host.HostGetSurface(h), &HostApi::HostAddSurface, drawing, d,
                    [](HostSurfaceObject& s, const HostVector3& by) {
                        MovePoints(s.points, std::size_t{s.rows} * s.columns, by);
                    });
                break;
            default:
                break;
        }
        h = next;
    }
    host.HostUnselectAll();
    ResetSurfaceList();
    return 0;
}
