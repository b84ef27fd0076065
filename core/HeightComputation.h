// The post height computation: the surface groups and the result layer prepared once per job,
// then for each post its hits, chosen point, contact, height and the construction drawn.
#pragma once

#include <array>
#include <optional>

#include "core/PostLocation.h"
#include "core/TableDefinition.h"
#include "hostlink/ApiGeometry.h"

class CSurfcamCtrl;

namespace core {

// The surface groups of the computation: the holding surfaces and their two offsets.
inline constexpr int kHoldingSurfaces = 0;
inline constexpr int kOffsetSide0Group = 1;
inline constexpr int kOffsetSide1Group = 2;
inline constexpr int kHeightGroups = 3;

// Everything the computation draws goes on this layer.
inline constexpr int kHeightsLayer = 252;
// Host colours of the construction drawn for a post.
inline constexpr int kDeflectorCircleColor = 10;  // end deflector's circle around the contact
inline constexpr int kDeflectorAxisColor = 11;    // chosen point to contact point
inline constexpr int kApproachColor = 12;         // post location to chosen point
inline constexpr int kPostTopColor = 13;          // post's top, or its location without a hit

// How a post's height (the z of Hit0's point) came about.
enum class HeightOutcome {
    OwnHeight,  // nothing hit: the post's own z
    NoContact,  // no usable contact with the holding surfaces: 0.0, not programmed
    Raised,     // the chosen point's z plus the end deflector's length
};

// Per group, the hit point along the post's axis, or none when the group was not hit.
using GroupHits = std::array<std::optional<CApiPoint>, kHeightGroups>;

// The point the post is set against: the hit with the smallest z, the lower group number on
// equal z; `location` itself when no group was hit.
[[nodiscard]] CApiPoint ChooseLowestHit(const CApiPoint& location, const GroupHits& hits);

// Once per job: empties every surface group, loads the surfaces selected in the host into
// group 0 (which clears the host's selection), offsets them by the end deflector's length to
// side 0 into group 1 and to side 1 into group 2, and creates layer 252 with its name.
void PrepareHeightComputation(CSurfcamCtrl& ctrl, const TableDefinition& table);

// Fills the post's three hits and its height (Hit0's point) and draws its construction on
// layer 252. Needs PrepareHeightComputation first.
HeightOutcome ComputePostHeight(CSurfcamCtrl& ctrl, const TableDefinition& table,
                                PostLocation& post);

// ComputePostHeight for every post of the table in list order.
void ComputeAllHeights(CSurfcamCtrl& ctrl, TableDefinition& table);

}  // namespace core
