// Projection of the drawing into the picture's views.
#include "host/picture/PictureView.h"

#include <algorithm>
#include <cmath>

namespace host {

void Extent::Include(HostVector3 p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return;
    if (!filled_) {
        low = high = p;
        filled_ = true;
        return;
    }
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
}

PictureView::PictureView(ViewSide side, const Extent& extent, double scale, PicturePoint corner)
    : side_(side), scale_(scale), corner_(corner) {
    left_ = extent.low.x;
    top_ = side == ViewSide::Top ? extent.high.y : extent.high.z;
    const double down =
        side == ViewSide::Top ? extent.high.y - extent.low.y : extent.high.z - extent.low.z;
    width_ = (extent.high.x - extent.low.x) * scale;
    height_ = down * scale;
}

PicturePoint PictureView::At(HostVector3 p) const {
    const double up = side_ == ViewSide::Top ? p.y : p.z;
    return {corner_.x + (p.x - left_) * scale_, corner_.y + (top_ - up) * scale_};
}

double PictureView::Nearness(HostVector3 p) const { return side_ == ViewSide::Top ? p.z : -p.y; }

double ScaleBarLength(double scale, double pixels) {
    if (!(scale > 0.0) || !std::isfinite(scale)) return 1.0;
    const double wanted = pixels / scale;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= wanted) return step * power;
    return power;
}

}  // namespace host
