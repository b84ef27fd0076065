// The surface geometry of a handed-out surface object: built on its first query, kept with the
// object until HostFree, built again only when the object's points were changed in place.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "host/ObjectLedger.h"
#include "host/geometry/Surface.h"

namespace host {

// What a surface's geometry was built from: the object's storage and counts, and nine of its
// points (corners, border midpoints, centre). Checking it costs the same whatever the size of
// the surface, so every query checks it; an edit in place that moves none of the nine points
// and keeps the counts goes unseen (see docs/host.md).
struct SurfaceStamp {
    const HostVector3* storage = nullptr;
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::array<HostVector3, 9> samples{};
};

// The stamp of a surface object as it is now; its points must be rows x columns.
[[nodiscard]] SurfaceStamp StampOf(const HostSurfaceObject& surface);
// True when two stamps name the same storage, counts and sampled point bits.
[[nodiscard]] bool SameStamp(const SurfaceStamp& a, const SurfaceStamp& b);

// True when the object still points at the storage the host gave it and claims its count.
[[nodiscard]] bool HasOwnStorage(const HandedObject& object, const HostSurfaceObject& surface);

// The geometry built from a surface object, or the reason the grid is refused (degenerate,
// too few points, numbers out of range).
struct BuiltSurface {
    SurfaceStamp stamp;
    platform::Expected<geometry::Surface> surface;
};

}  // namespace host
