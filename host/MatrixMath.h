// Matrix inverse, point transform and cross product as the host offers them.
#pragma once

#include <optional>

#include "host/EntityGeometry.h"

namespace host {

// The inverse of a row-major 4 x 4 matrix, or none when it is singular or not finite.
[[nodiscard]] std::optional<Matrix4> Inverse(const Matrix4& m);

// m applied to p as a column vector; `isPoint` adds column 3 (the translation), a direction
// does not move.
[[nodiscard]] HostVector3 Transform(const Matrix4& m, HostVector3 p, bool isPoint);

// Right-handed cross product a x b.
[[nodiscard]] HostVector3 CrossProduct(HostVector3 a, HostVector3 b);

}  // namespace host
