// Building the geometry of handed-out surface objects once, and noticing edits in place.
#include "host/BuiltSurface.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "host/Host.h"
#include "host/geometry/LargePages.h"

namespace host {
namespace {

// Host points read as geometry points, for copying them in one go: a vector made from forward
// iterators takes their count first and constructs each point in place, without a check of its
// capacity per point.
class AsGeometry {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = geometry::Vec3;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = geometry::Vec3;

    explicit AsGeometry(const HostVector3* p) : p_(p) {}
    geometry::Vec3 operator*() const { return {p_->x, p_->y, p_->z}; }
    AsGeometry& operator++() {
        ++p_;
        return *this;
    }
    AsGeometry operator++(int) {
        AsGeometry before = *this;
        ++p_;
        return before;
    }
    friend bool operator==(AsGeometry a, AsGeometry b) { return a.p_ == b.p_; }

private:
    const HostVector3* p_;
};

}  // namespace

SurfaceStamp StampOf(const HostSurfaceObject& surface) {
    SurfaceStamp stamp{surface.points, surface.rows, surface.columns, {}};
    if (!surface.points || surface.rows == 0 || surface.columns == 0) return stamp;
    const std::array<std::uint32_t, 3> rows{0, (surface.rows - 1) / 2, surface.rows - 1};
    const std::array<std::uint32_t, 3> columns{0, (surface.columns - 1) / 2, surface.columns - 1};
    std::size_t next = 0;
    for (std::uint32_t row : rows)
        for (std::uint32_t column : columns)
            stamp.samples[next++] = surface.points[std::size_t(row) * surface.columns + column];
    return stamp;
}

bool SameStamp(const SurfaceStamp& a, const SurfaceStamp& b) {
    // Bits, not values: a point edited to NaN, or from 0 to -0, is an edit as well.
    return a.storage == b.storage && a.rows == b.rows && a.columns == b.columns &&
           std::memcmp(a.samples.data(), b.samples.data(), sizeof a.samples) == 0;
}

bool HasOwnStorage(const HandedObject& object, const HostSurfaceObject& surface) {
    return surface.points == object.points.data() &&
           std::size_t(surface.rows) * surface.columns == object.points.size();
}

std::shared_ptr<const BuiltSurface> Host::BuiltGeometryOf(HandedObject& object) {
    const HostSurfaceObject& surface = std::get<HostSurfaceObject>(object.payload);
    // Changed pointers or counts are never followed: they may point anywhere.
    if (!HasOwnStorage(object, surface))
        return std::make_shared<const BuiltSurface>(BuiltSurface{
            {}, platform::Status::Failure("its point storage or counts were changed")});
    SurfaceStamp stamp = StampOf(surface);
    if (object.built && SameStamp(object.built->stamp, stamp)) return object.built;

    std::vector<geometry::Vec3> points;
    geometry::ReserveLargePages(points, object.points.size());
    points.assign(AsGeometry(object.points.data()),
                  AsGeometry(object.points.data() + object.points.size()));
    object.built = std::make_shared<const BuiltSurface>(BuiltSurface{
        stamp,
        geometry::Surface::Make(int(surface.rows), int(surface.columns), std::move(points))});
    ++surfaceBuilds_;
    // Said once per build rather than on each of the many queries that will fail on it.
    if (!object.built->surface)
        std::fprintf(stderr, "host: surface geometry refused: %s\n",
                     object.built->surface.Describe().c_str());
    return object.built;
}

void Host::KeepGeometry(HandedObject& object, geometry::Surface surface) {
    const HostSurfaceObject& filled = std::get<HostSurfaceObject>(object.payload);
    object.built = std::make_shared<const BuiltSurface>(
        BuiltSurface{StampOf(filled), platform::Expected<geometry::Surface>(std::move(surface))});
    ++surfaceBuilds_;
}

}  // namespace host
