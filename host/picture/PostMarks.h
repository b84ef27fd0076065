// The marks of a job's posts on the picture: one per post and view, shaped and coloured by its
// outcome, with the post's numbers beside it when there is room.
#pragma once

#include <vector>

#include "host/picture/JobResults.h"
#include "host/picture/PictureView.h"
#include "host/picture/SvgBuilder.h"

namespace host {

// The legend's words for an outcome.
[[nodiscard]] const char* OutcomeLegend(PostOutcome outcome);

// One mark of `outcome` centred at `at`, `size` pixels across.
void PaintMark(PostOutcome outcome, PicturePoint at, double size, SvgBuilder& svg);

// The distance in pixels between the two closest posts in `view` (infinite with fewer than two).
[[nodiscard]] double ClosestPostDistance(const std::vector<PostResult>& posts,
                                         const PictureView& view);

// The marks of every post in the top view (class "post") with its numbers when they fit, and in
// the side view (class "post-side") at its height, raised posts with their stem.
void PaintPostMarks(const std::vector<PostResult>& posts, const PictureView& top,
                    const PictureView& side, SvgBuilder& svg);

}  // namespace host
