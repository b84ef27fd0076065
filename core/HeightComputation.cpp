// The post height computation: preparation of the surface groups and the per-post steps.
#include "core/HeightComputation.h"

#include <cmath>

#include "hostlink/SurfcamCtrl.h"

namespace core {

namespace {

// A contact direction shorter than this after normalising did not normalise: no usable contact.
constexpr double kShortestContactDirection = 0.95;
constexpr double kFullCircle = 6.283185307179586;

bool IsFinite(double x, double y, double z) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

double Dot(const CApiVect& a, const CApiVect& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Views and matrices of the controller are 4 x 4 arrays; a view keeps its matrix as 16 doubles.
double (*AsMatrix(CApiView& view))[4] { return reinterpret_cast<double(*)[4]>(view.matrix); }

// Projects the post's location along its axis onto groups 0, 1 and 2 in turn, filling Hit0,
// Hit1 and Hit2; the current group is set right before each projection and left at 0.
GroupHits ProjectOntoGroups(CSurfcamCtrl& ctrl, PostLocation& post) {
    CApiView view;
    ctrl.ViewFromVector(post.Post.vect, &view);
    CApiPointVect* fields[kHeightGroups] = {&post.Hit0, &post.Hit1, &post.Hit2};
    GroupHits hits;
    for (int group = 0; group < kHeightGroups; ++group) {
        CApiPointVect& field = *fields[group];
        ctrl.SetSurfaceGroupId(group);
        if (ctrl.ProjectPointOntoSelectionView(&post.Post.point, &field.point, /*markPoint=*/false,
                                               &field.vect, /*side=*/1, /*drawNormal=*/false,
                                               &view))
            hits[group] = field.point;
    }
    ctrl.SetSurfaceGroupId(kHoldingSurfaces);
    return hits;
}

// The circle's start direction: the x axis taken through the inverse of the view built from
// the deflector's axis. That view's axes are orthonormal only for an axis along z, so the
// result is then made perpendicular to the axis: a start direction out of the circle's plane
// would draw the circle skewed, off its radius.
CApiVect CircleStartDirection(CSurfcamCtrl& ctrl, const CApiVect& axis) {
    CApiView view;
    ctrl.ViewFromVector(axis, &view);
    ctrl.CreateInverseMatrix(AsMatrix(view), AsMatrix(view));
    CApiVect xAxis{1.0, 0.0, 0.0};
    CApiVect start;
    ctrl.WorldToView(&xAxis, &start, AsMatrix(view), 0);

    const double along = Dot(start, axis);
    CApiVect inPlane{start.x - along * axis.x, start.y - along * axis.y, start.z - along * axis.z};
    if (inPlane.normalize()) return inPlane;
    // Only when the transformed x axis lies along the deflector's axis: any perpendicular does.
    CApiVect fallback{axis.z, 0.0, -axis.x};
    if (!fallback.normalize()) fallback = CApiVect{0.0, -axis.z, axis.y};
    fallback.normalize();
    return fallback;
}

// Steps after the chosen point Q lies below or above the post: the contact F on the holding
// surfaces, the deflector's axis and circle, and the raised height.
HeightOutcome SetAgainstContact(CSurfcamCtrl& ctrl, const TableDefinition& table,
                                PostLocation& post, CApiPoint chosen) {
    CApiPoint contact;
    CApiVect normal{0.0, 0.0, 1.0};
    const bool found = ctrl.ProjectPointOntoSelectionNormal(
        &chosen, &contact, /*markPoint=*/false, &normal, /*side=*/0, /*drawNormal=*/false,
        /*orient=*/0);
    CApiVect towardsPost;
    towardsPost.dist2p(contact, chosen);
    towardsPost.normalize();  // a contact on the chosen point stays too short and is refused
    if (Dot(towardsPost, towardsPost) < ZERO_SQ_TOL ||
        towardsPost.mag() < kShortestContactDirection || !found) {
        post.Hit0.point.z = 0.0;
        return HeightOutcome::NoContact;
    }
    ctrl.CreateLine(chosen, contact, kHeightsLayer, kDeflectorAxisColor);

    CApiArc circle;
    circle.center = contact;
    circle.normal = towardsPost;
    circle.startDir = CircleStartDirection(ctrl, towardsPost);
    circle.sweep = kFullCircle;
    circle.radius = table.EndDeflectorRadius;
    ctrl.CreateArc(circle, kHeightsLayer, kDeflectorCircleColor);

    post.Hit0.point.z = chosen.z + table.EndDeflectorLength;
    ctrl.CreatePoint(post.Hit0.point, kHeightsLayer, kPostTopColor);
    return HeightOutcome::Raised;
}

}  // namespace

CApiPoint ChooseLowestHit(const CApiPoint& location, const GroupHits& hits) {
    CApiPoint chosen = location;
    bool anyChosen = false;
    for (const std::optional<CApiPoint>& hit : hits) {
        if (!hit) continue;
        if (!anyChosen || chosen.z > hit->z) chosen = *hit;
        anyChosen = true;
    }
    return chosen;
}

void PrepareHeightComputation(CSurfcamCtrl& ctrl, const TableDefinition& table) {
    ctrl.ResetSurfaceList();
    ctrl.SetSurfaceGroupId(kHoldingSurfaces);
    ctrl.LoadAllSelectedSurfaces(kHoldingSurfaces);
    ctrl.OffsetSurfaceGroup(kHoldingSurfaces, kOffsetSide0Group, table.EndDeflectorLength,
                            /*side=*/0, /*addToDrawing=*/false);
    ctrl.OffsetSurfaceGroup(kHoldingSurfaces, kOffsetSide1Group, table.EndDeflectorLength,
                            /*side=*/1, /*addToDrawing=*/false);
    ctrl.CreateLayer(kHeightsLayer, "End Deflector Heights");
}

HeightOutcome ComputePostHeight(CSurfcamCtrl& ctrl, const TableDefinition& table,
                                PostLocation& post) {
    const CApiPoint location = post.Post.point;
    const CApiVect& axis = post.Post.vect;
    // The table reader accepts INF and NAN: such a post has no place or direction to compute,
    // and its own z must never reach the program as a height.
    if (!IsFinite(location.x, location.y, location.z) || !IsFinite(axis.x, axis.y, axis.z)) {
        post.Hit0.point = location;
        post.Hit0.point.z = 0.0;
        return HeightOutcome::NoContact;
    }

    const CApiPoint chosen = ChooseLowestHit(location, ProjectOntoGroups(ctrl, post));
    post.Hit0.point = chosen;  // its normal stays the one group 0's projection left
    if (chosen.z == location.z) {
        ctrl.CreatePoint(location, kHeightsLayer, kPostTopColor);
        return HeightOutcome::OwnHeight;
    }
    ctrl.CreateLine(location, chosen, kHeightsLayer, kApproachColor);
    return SetAgainstContact(ctrl, table, post, chosen);
}

void ComputeAllHeights(CSurfcamCtrl& ctrl, TableDefinition& table) {
    for (PostLocation* post = table.First(); post != nullptr; post = table.Next())
        ComputePostHeight(ctrl, table, *post);
}

}  // namespace core
