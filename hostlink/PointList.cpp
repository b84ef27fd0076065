// The point list: copies of points in a CLinkList, with extent and smallest-step statistics kept
// while points are added.
#include "hostlink/PointList.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

CApiPoint* AsPoint(void* block) { return static_cast<CApiPoint*>(block); }

void SetCoordinates(CApiPoint& point, double value) { point.x = point.y = point.z = value; }

void Widen(double& low, double& high, double value) {
    if (value > high) high = value;
    if (value < low) low = value;
}

// The larger of the share of the extent and the smallest step.
double SpacingFor(double low, double high, double minStep) {
    const double share = (high - low) * CApiPointLst::kSpacingShareOfExtent;
    return share > minStep ? share : minStep;
}

}  // namespace

CApiPointLst::CApiPointLst() : maxPoint{0, 0.0, 0.0, 0.0}, minPoint{0, 0.0, 0.0, 0.0} { Clear(); }

CApiPointLst::CApiPointLst(CApiPointLst* src) : CApiPointLst() {
    if (src == nullptr) return;
    for (CApiPoint* p = src->GetFirst(); p != nullptr; p = src->GetNext()) Add(p);
}

CApiPointLst::~CApiPointLst() = default;

void CApiPointLst::Add(CApiPoint* p) {
    if (p == nullptr) return;
    // Statistics describe the stored points only, so a failed append leaves them alone.
    if (points.AddBlock(p, sizeof(CApiPoint)) == 0) return;
    Widen(minPoint.x, maxPoint.x, p->x);
    Widen(minPoint.y, maxPoint.y, p->y);
    Widen(minPoint.z, maxPoint.z, p->z);
    NoteStep(*p);
    lastX = p->x;
    lastY = p->y;
}

// Steps are measured between consecutive points only; the first point since Clear (lastX still
// holding its start value, bit for bit) has nothing to step from.
void CApiPointLst::NoteStep(const CApiPoint& p) {
    if (std::bit_cast<std::uint64_t>(lastX) == std::bit_cast<std::uint64_t>(kNoStep)) return;
    const double dx = std::fabs(lastX - p.x);
    if (dx < minStepX && dx > kSmallestStep) minStepX = dx;
    const double dy = std::fabs(lastY - p.y);
    if (dy < minStepY && dy > kSmallestStep) minStepY = dy;
}

int CApiPointLst::Get_Count() const { return points.BlockCount(); }

CApiPoint* CApiPointLst::GetFirst() { return AsPoint(points.GoFirst()); }

CApiPoint* CApiPointLst::GetNext() { return AsPoint(points.GoNext()); }

CApiPoint* CApiPointLst::GetLast() { return AsPoint(points.GoLast()); }

CApiPoint* CApiPointLst::Get() { return AsPoint(points.CurrentBlock()); }

CApiPoint* CApiPointLst::Get(int index) { return AsPoint(points.BlockAt(index)); }

void CApiPointLst::Get_MinMaxPoints(CApiPoint* min, CApiPoint* max) {
    if (min != nullptr) *min = minPoint;
    if (max != nullptr) *max = maxPoint;
}

void CApiPointLst::Get_GridSpacing(double* sx, double* sy) {
    spacingX = SpacingFor(minPoint.x, maxPoint.x, minStepX);
    spacingY = SpacingFor(minPoint.y, maxPoint.y, minStepY);
    if (sx != nullptr) *sx = spacingX;
    if (sy != nullptr) *sy = spacingY;
}

void CApiPointLst::Clear() {
    spacingX = spacingY = kDefaultSpacing;
    minStepX = minStepY = kNoStep;
    lastX = lastY = kNoStep;
    SetCoordinates(maxPoint, -kNoStep);
    SetCoordinates(minPoint, kNoStep);
}

void CApiPointLst::removeall() {
    points.RemoveAll();
    Clear();
}
