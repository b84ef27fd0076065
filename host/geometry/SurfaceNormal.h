// Surface normals on either side of a surface, at a surface parameter or at a grid point.
#pragma once

#include <optional>

#include "host/geometry/Surface.h"
#include "host/geometry/Vec3.h"

namespace host::geometry {

// Side 0 faces along dP/du x dP/dv (u along the columns, v along the rows); side 1 faces the
// other way.
enum class Side { Zero, One };

// The host's side number as a side; nullopt for numbers other than 0 and 1.
[[nodiscard]] std::optional<Side> SideFromNumber(int number);

// Unit normal at (u, v) on `side`. Where the patch is degenerate at that very parameter (a
// collapsed edge or corner) the normal just inside the patch is used; nullopt when (u, v) is
// outside [0, 1] or the patch has no normal at all.
[[nodiscard]] std::optional<Vec3> SurfaceNormal(const Surface& surface, double u, double v,
                                                Side side);

// Unit normal on side 0 at a grid point, estimated from the neighbouring points: central
// differences inside and across a closed seam, second-order one-sided differences at an open
// border (first-order along a direction with only two points). Where the points around it
// coincide, the average of the normals of the patches around it (of the whole neighbouring
// rows at a pole); nullopt when none has one.
[[nodiscard]] std::optional<Vec3> GridPointNormal(const SurfaceGrid& grid, int row, int column);

}  // namespace host::geometry
