// Offset of a surface to either side by a distance.
#pragma once

#include "host/geometry/SurfaceGrid.h"
#include "host/geometry/SurfaceNormal.h"
#include "platform/Status.h"

namespace host::geometry {

// A grid of the same size whose every point lies `distance` from its original along the grid
// normal there (GridPointNormal) on `side`. Exact for planes; on curved surfaces the points are
// offset exactly along the estimated normals and the patches between them are bilinear again.
// Refused when the distance is not finite or a grid point has no normal.
[[nodiscard]] platform::Expected<SurfaceGrid> OffsetSurface(const SurfaceGrid& grid,
                                                            double distance, Side side);

}  // namespace host::geometry
