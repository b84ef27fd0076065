// A view of the picture: the drawing seen from the top (X right, Y up) or from the front
// (X right, Z up), at a scale of pixels per drawing unit, placed on the picture.
#pragma once

#include "host/picture/SvgBuilder.h"
#include "hostlink/HostApi.h"

namespace host {

// The extent of what the picture shows, in drawing units.
struct Extent {
    HostVector3 low;
    HostVector3 high;
    // Grows the extent to hold `p` (non-finite points are left out).
    void Include(HostVector3 p);
    [[nodiscard]] bool Empty() const { return !filled_; }

private:
    bool filled_ = false;
};

enum class ViewSide { Top, Front };

class PictureView {
public:
    // The view of `extent` from `side` with its top left corner at `corner`.
    PictureView(ViewSide side, const Extent& extent, double scale, PicturePoint corner);

    [[nodiscard]] ViewSide Side() const { return side_; }
    [[nodiscard]] double Scale() const { return scale_; }
    // Where a point of the drawing lands on the picture.
    [[nodiscard]] PicturePoint At(HostVector3 p) const;
    // How near the point is to the viewer (larger is nearer), for drawing far things first.
    [[nodiscard]] double Nearness(HostVector3 p) const;
    // The view's size on the picture.
    [[nodiscard]] double Width() const { return width_; }
    [[nodiscard]] double Height() const { return height_; }
    [[nodiscard]] PicturePoint Corner() const { return corner_; }

private:
    ViewSide side_;
    double scale_;
    PicturePoint corner_;
    double left_ = 0.0;  // drawing coordinate at the view's left edge
    double top_ = 0.0;   // drawing coordinate at the view's top edge
    double width_ = 0.0;
    double height_ = 0.0;
};

// A round length (1, 2 or 5 times a power of ten) that spans about `pixels` at `scale`.
[[nodiscard]] double ScaleBarLength(double scale, double pixels);

}  // namespace host
