// CSurfcamCtrl: surface groups, projection onto them, views and matrices.
#include <cmath>
#include <cstring>
#include <functional>

#include "hostlink/LinkState.h"
#include "hostlink/SurfcamCtrl.h"

using ravelink::Host;
using ravelink::IsGroup;

namespace {

constexpr double kProjectionTolerance = 0.0001;
constexpr double kQuarterTurn = 1.5707963267948966;

HostVector3 ToHost(const CApiPoint& p) { return HostVector3{p.x, p.y, p.z}; }

void SetXyz(CApiPoint& p, const HostVector3& v) {
    p.x = v.x;
    p.y = v.y;
    p.z = v.z;
}

// One try of the circular search on surface `surface`: true when it succeeded.
using SurfaceTry = std::function<bool(HostSurfaceObject* surface)>;

// Visits the group's surfaces from its cursor in list order, wrapping, until one try succeeds
// (the cursor then stays on it) or the search is back where it started.
bool CircularSearch(int group, const SurfaceTry& attempt) {
    ravelink::SurfaceGroupStore& store = ravelink::State().groups;
    const int count = store.lists[group].BlockCount();
    int& cursor = store.cursors[group];
    if (cursor < 0 || count == 0) return false;
    const int start = cursor;
    do {
        if (attempt(ravelink::SurfaceAt(group, cursor))) return true;
        cursor = (cursor + 1) % count;
    } while (cursor != start);
    return false;
}

// Adds a marker point at `at` with the controller's colour and layer.
void MarkPoint(const CSurfcamCtrl& ctrl, const HostVector3& at) {
    HostApi& host = Host();
    HostPointObject* point = host.HostNewPoint();
    point->x = at.x;
    point->y = at.y;
    point->z = at.z;
    host.HostSetObjectColor(point, ctrl.curColor);
    host.HostSetObjectLayer(point, ctrl.curLayer);
    host.HostAddPoint(ctrl.drawing, point);
    host.HostFree(point);
}

// Applies `orient` to a normal: 1 points it up, -1 down, anything else leaves it.
CApiVect Oriented(const HostVector3& n, int orient) {
    CApiVect v{n.x, n.y, n.z};
    if ((orient == 1 && v.z < 0) || (orient == -1 && v.z > 0)) v *= -1.0;
    return v;
}

}  // namespace

bool CSurfcamCtrl::ResetSurfaceList() {
    ravelink::SurfaceGroupStore& store = ravelink::State().groups;
    for (int group = 0; group < ravelink::kSurfaceGroups; ++group) {
        ravelink::EmptyGroup(group);
        store.loaded[group] = 0;
    }
    return true;
}

bool CSurfcamCtrl::ResetSurfaces(int group) {
    if (IsGroup(group)) ravelink::EmptyGroup(group);
    return true;
}

void CSurfcamCtrl::SetSurfaceGroupId(int group) { groupId = group; }

int CSurfcamCtrl::GetSurfaceGroupId() { return groupId; }

int CSurfcamCtrl::GetSurfaceGroupCount(int group) {
    return IsGroup(group) ? ravelink::State().groups.lists[group].BlockCount() : 0;
}

void CSurfcamCtrl::LoadAllSelectedSurfaces(int group) {
    groupId = group;
    if (!IsGroup(group)) return;  // no room in the store for other numbers
    ravelink::LinkState& state = ravelink::State();
    if (state.groups.loaded[group]) return;
    HostApi& host = Host();
    host.HostGetCView(&state.cview);
    host.HostInvertMatrix(state.cview.matrix, state.cviewInverse.matrix);
    drawing = host.HostDrawing();
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        if (host.HostEntityKind(h) != static_cast<int>(HostKind::Surface)) continue;
        HostSurfaceObject* surface = host.HostGetSurface(h);
        if (surface == nullptr) continue;
        if (host.HostIsSelected(surface) != 0)
            ravelink::AppendSurface(group, surface);
        else
            host.HostFree(surface);
    }
    host.HostUnselectAll();
    state.groups.cursors[group] = state.groups.lists[group].BlockCount() > 0 ? 0 : -1;
    state.groups.loaded[group] = 1;
}

int CSurfcamCtrl::OffsetSurfaceGroup(int src, int dst, double distance, int side,
                                     bool addToDrawing) {
    if (!IsGroup(src) || !IsGroup(dst)) return 0;
    CLinkList& sources = ravelink::State().groups.lists[src];
    if (sources.BlockCount() == 0) LoadAllSelectedSurfaces(src);
    HostApi& host = Host();
    // Surfaces appended to dst while walking src (src == dst) are not offset again.
    const int count = sources.BlockCount();
    for (int i = 0; i < count; ++i) {
        HostSurfaceObject* source = ravelink::SurfaceAt(src, i);
        HostSurfaceObject* target =
            host.HostNewSurface(source->form, source->options, source->rows, source->columns);
        if (host.HostOffsetSurface(source, distance, side, 1, &target) != 0) {
            host.HostFree(target);  // a surface whose offset failed is not kept
            continue;
        }
        ravelink::AppendSurface(dst, target);
        if (addToDrawing) {
            host.HostSetSurfaceColor(target, curColor);
            host.HostSetObjectLayer(target, curLayer);
            host.HostAddSurface(drawing, target);
        }
    }
    return 0;
}

bool CSurfcamCtrl::ProjectPointOntoSelectionView(CApiPoint* in, CApiPoint* out, bool markPoint,
                                                 CApiVect* normalOut, int side, bool drawNormal,
                                                 CApiView* view) {
    LoadAllSelectedSurfaces(groupId);
    if (!IsGroup(groupId)) return false;
    HostViewRecord record;
    std::memset(&record, 0, sizeof record);
    if (view != nullptr) std::memcpy(record.matrix, view->matrix, sizeof record.matrix);
    if (in == nullptr || out == nullptr || normalOut == nullptr) return false;
    HostVector3 p = ToHost(*in);
    HostApi& host = Host();
    return CircularSearch(groupId, [&](HostSurfaceObject* surface) {
        HostVector3 q{};
        HostUV uv{};
        if (host.HostProjectPointUV(surface, &p, &record, kProjectionTolerance, &q, &uv) != 0)
            return false;
        p = q;  // the search goes on from the projected point
        if (markPoint) MarkPoint(*this, q);
        SetXyz(*out, q);
        HostVector3 n{};
        if (host.HostSurfaceNormal(surface, side, &uv, &n) != 0) return false;
        *normalOut = CApiVect{n.x, n.y, n.z};
        if (drawNormal)
            CreateLine(out->x, out->y, out->z, out->x + n.x, out->y + n.y, out->z + n.z, -1, -1);
        return true;
    });
}

bool CSurfcamCtrl::ProjectPointOntoSelectionCView(CApiPoint* in, CApiPoint* out, bool markPoint,
                                                  CApiVect* normalOut, int side, bool drawNormal,
                                                  int /*extra: not used*/) {
    CApiView view;  // every field zero
    std::memcpy(view.matrix, ravelink::State().cview.matrix, sizeof view.matrix);
    return ProjectPointOntoSelectionView(in, out, markPoint, normalOut, side, drawNormal, &view);
}

namespace {

// The forms that work on group 0 in the CView's frame: the point is taken into the frame, each
// surface of the circular search is asked by `project` for its point q; on success the search
// goes on from q, q is marked if asked, `out` gets q back in world coordinates, and `finish`
// completes (or fails) the try on that surface.
using ProjectOne = std::function<bool(HostSurfaceObject* surface, const HostVector3& p,
                                      HostVector3& q, HostUV& uv)>;
using FinishOne = std::function<bool(HostSurfaceObject* surface, const HostUV& uv)>;

bool SearchGroupZeroInCViewFrame(CSurfcamCtrl& ctrl, CApiPoint* in, CApiPoint* out,
                                 bool argumentsPresent, bool markPoint, const ProjectOne& project,
                                 const FinishOne& finish) {
    ctrl.LoadAllSelectedSurfaces(0);
    if (!argumentsPresent) return false;
    ravelink::LinkState& state = ravelink::State();
    HostApi& host = Host();
    HostVector3 p{};
    const HostVector3 original = ToHost(*in);
    host.HostTransform(&original, &p, state.cviewInverse.matrix, 1);
    return CircularSearch(0, [&](HostSurfaceObject* surface) {
        HostVector3 q{};
        HostUV uv{};
        if (!project(surface, p, q, uv)) return false;
        p = q;
        if (markPoint) MarkPoint(ctrl, q);
        HostVector3 world{};
        host.HostTransform(&p, &world, state.cview.matrix, 1);
        SetXyz(*out, world);
        return finish(surface, uv);
    });
}

// The Normal and Vector forms: the host projects along `view` (null: to the nearest surface
// point) and gives the normal there, oriented as asked.
bool ProjectWithNormal(CSurfcamCtrl& ctrl, CApiPoint* in, CApiPoint* out, bool markPoint,
                       CApiVect* normalOut, int side, bool drawNormal, int orient,
                       const HostViewRecord* view) {
    HostApi& host = Host();
    return SearchGroupZeroInCViewFrame(
        ctrl, in, out, in != nullptr && out != nullptr && normalOut != nullptr, markPoint,
        [&](HostSurfaceObject* surface, const HostVector3& p, HostVector3& q, HostUV& uv) {
            return host.HostProjectPointUV(surface, &p, view, kProjectionTolerance, &q, &uv) == 0;
        },
        [&](HostSurfaceObject* surface, const HostUV& uv) {
            HostVector3 n{};
            if (host.HostSurfaceNormal(surface, side, &uv, &n) != 0) return false;
            *normalOut = Oriented(n, orient);
            if (drawNormal)
                ctrl.CreateLine(out->x, out->y, out->z, out->x + normalOut->x,
                                out->y + normalOut->y, out->z + normalOut->z, -1, -1);
            return true;
        });
}

}  // namespace

bool CSurfcamCtrl::ProjectPointOntoSelectionNormal(CApiPoint* in, CApiPoint* out, bool markPoint,
                                                   CApiVect* normalOut, int side, bool drawNormal,
                                                   int orient) {
    return ProjectWithNormal(*this, in, out, markPoint, normalOut, side, drawNormal, orient,
                             nullptr);
}

bool CSurfcamCtrl::ProjectPointOntoSelectionVector(CApiPoint* in, CApiPoint* out, bool markPoint,
                                                   CApiVect* normalOut, int side, bool drawNormal,
                                                   int orient) {
    return ProjectWithNormal(*this, in, out, markPoint, normalOut, side, drawNormal, orient,
                             &ravelink::State().cview);
}

bool CSurfcamCtrl::ProjectPointOntoSelection(CApiPoint* in, CApiPoint* out, bool markPoint) {
    HostApi& host = Host();
    return SearchGroupZeroInCViewFrame(
        *this, in, out, in != nullptr && out != nullptr, markPoint,
        [&](HostSurfaceObject* surface, const HostVector3& p, HostVector3& q, HostUV&) {
            int status = 0;
            return host.HostProjectPoint(surface, &p, &ravelink::State().cview,
                                         kProjectionTolerance, &q, &status) == 0 &&
                   status != 1;
        },
        [](HostSurfaceObject*, const HostUV&) { return true; });
}

bool CSurfcamCtrl::ViewFromVector(CApiVect n, CApiView* out) {
    CApiVect w = n;
    const double ax = std::fabs(w.x), ay = std::fabs(w.y), az = std::fabs(w.z);
    if (ax > ay && ax > az) {
        w.rotate_XY(w.x > 0 ? 90.0 : -90.0);
    } else if (ay > ax && ay > az) {
        w.rotate_XY(w.y > 0 ? 90.0 : -90.0);
    } else {
        // rotate_YZ's formula with the angle given in radians.
        const double theta = w.z > 0 ? kQuarterTurn : -kQuarterTurn;
        const double c = std::cos(theta), s = std::sin(theta);
        const double y = w.y * c + w.z * s;
        const double z = -w.y * s + w.z * c;
        w.y = y;
        w.z = z;
    }
    HostApi& host = Host();
    HostVector3 u{w.x, w.y, w.z};
    HostVector3 v{0.0, 1.0, 0.0};
    const HostVector3 axis{n.x, n.y, n.z};
    host.HostCrossProduct(&v, &axis, &u);  // v = n x u0
    host.HostCrossProduct(&u, &v, &axis);  // u = v x n
    std::memset(out->name, 0, sizeof out->name);
    std::strncpy(out->name, "View From Normal", sizeof out->name - 1);
    out->number = ravelink::State().nextViewNumber++;
    const double rows[3][3] = {{u.x, v.x, axis.x}, {u.y, v.y, axis.y}, {u.z, v.z, axis.z}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) out->matrix[4 * r + c] = rows[r][c];
        out->matrix[4 * r + 3] = 0.0;
    }
    out->matrix[12] = out->matrix[13] = out->matrix[14] = 0.0;
    out->matrix[15] = 1.0;
    out->reserved = 0.0;
    return false;
}

bool CSurfcamCtrl::WorldToView(CApiPoint* in, CApiPoint* out, double m[4][4], int flag) {
    const HostVector3 source = ToHost(*in);
    HostVector3 result{};
    Host().HostTransform(&source, &result, m, flag);
    SetXyz(*out, result);
    return true;
}

bool CSurfcamCtrl::WorldToView(CApiVect* in, CApiVect* out, double m[4][4], int flag) {
    const HostVector3 source{in->x, in->y, in->z};
    HostVector3 result{};
    Host().HostTransform(&source, &result, m, flag);
    *out = CApiVect{result.x, result.y, result.z};
    out->normalize();
    return true;
}

int CSurfcamCtrl::CreateInverseMatrix(double src[4][4], double dst[4][4]) {
    Host().HostInvertMatrix(src, dst);
    return 0;
}

void CSurfcamCtrl::GetCviewMatrix(double m[4][4]) {
    ravelink::LinkState& state = ravelink::State();
    Host().HostGetCView(&state.cview);
    std::memcpy(m, state.cview.matrix, sizeof state.cview.matrix);
}

double CSurfcamCtrl::Calc_Angle(CApiLine* /*a*/, CApiLine* /*b*/) { return 0.0; }
