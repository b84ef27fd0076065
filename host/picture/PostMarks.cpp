// Post marks by outcome, and their numbers.
#include "host/picture/PostMarks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {
namespace {

constexpr const char* kRaisedColour = "#3ddc84";
constexpr const char* kNoContactColour = "#ff4040";
constexpr const char* kOwnZColour = "#d0d0d0";
// Numbers are centred and have a dark halo, so they read over surfaces and circles alike.
constexpr const char* kHalo =
    "text-anchor=\"middle\" stroke=\"#0c0f14\" stroke-width=\"2.5\" paint-order=\"stroke\"";
// Numbers smaller than this (pixels) are not written: too small to read.
constexpr double kLeastNumberSize = 5.5;
// Above this many posts the closest distance is estimated from the first ones.
constexpr std::size_t kMostPostsCompared = 2000;

const char* OutcomeClass(PostOutcome outcome) {
    switch (outcome) {
        case PostOutcome::Raised:
            return "raised";
        case PostOutcome::NoContact:
            return "no-contact";
        case PostOutcome::OwnZ:
            return "own-z";
    }
    return "";
}

std::string Tooltip(const PostResult& post) {
    std::string text = post.label.empty() ? "post" : post.label;
    text += ": ";
    text += OutcomeLegend(post.outcome);
    if (post.Programmed()) text += ", height " + SvgBuilder::Number(post.height);
    return text;
}

// The height a post's side mark stands at: its height when raised, else its location's z.
double SideZ(const PostResult& post) {
    return post.outcome == PostOutcome::Raised ? post.height : post.location.z;
}

}  // namespace

const char* OutcomeLegend(PostOutcome outcome) {
    switch (outcome) {
        case PostOutcome::Raised:
            return "raised to a height";
        case PostOutcome::NoContact:
            return "not programmed: no usable contact";
        case PostOutcome::OwnZ:
            return "kept at its own z: nothing above it";
    }
    return "";
}

void PaintMark(PostOutcome outcome, PicturePoint at, double size, SvgBuilder& svg) {
    const double r = size / 2.0;
    switch (outcome) {
        case PostOutcome::Raised:
            svg.Circle(at, r,
                       std::string("fill=\"") + kRaisedColour +
                           "\" stroke=\"#0b3d20\" stroke-width=\"0.8\"");
            return;
        case PostOutcome::NoContact: {
            const std::string style =
                std::string("stroke=\"") + kNoContactColour + "\" stroke-width=\"" +
                SvgBuilder::Number(std::max(1.5, size / 5)) + "\" stroke-linecap=\"round\"";
            svg.Line({at.x - r, at.y - r}, {at.x + r, at.y + r}, style);
            svg.Line({at.x - r, at.y + r}, {at.x + r, at.y - r}, style);
            return;
        }
        case PostOutcome::OwnZ:
            svg.Rect(
                {at.x - r, at.y - r}, size, size,
                std::string("fill=\"none\" stroke=\"") + kOwnZColour + "\" stroke-width=\"1.2\"");
            return;
    }
}

double ClosestPostDistance(const std::vector<PostResult>& posts, const PictureView& view) {
    const std::size_t compared = std::min(posts.size(), kMostPostsCompared);
    double closest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < compared; ++i)
        for (std::size_t j = i + 1; j < compared; ++j) {
            const PicturePoint a = view.At(posts[i].location);
            const PicturePoint b = view.At(posts[j].location);
            const double distance = std::hypot(a.x - b.x, a.y - b.y);
            if (distance > 0.0) closest = std::min(closest, distance);
        }
    return closest;
}

void PaintPostMarks(const std::vector<PostResult>& posts, const PictureView& top,
                    const PictureView& side, SvgBuilder& svg) {
    const double closest = ClosestPostDistance(posts, top);
    const double size = std::isfinite(closest) ? std::clamp(closest / 3.5, 3.0, 12.0) : 10.0;
    // "S1 R2 C10" is about six times its font size wide.
    const double numberSize = std::isfinite(closest) ? std::min(9.0, closest / 6.5) : 9.0;
    const bool numbered = numberSize >= kLeastNumberSize;
    svg.BeginGroup("posts-top");
    for (const PostResult& post : posts) {
        const PicturePoint at = top.At(post.location);
        svg.BeginGroup(std::string("post ") + OutcomeClass(post.outcome), Tooltip(post));
        PaintMark(post.outcome, at, size, svg);
        if (numbered && !post.label.empty())
            // Below the mark, clear of the table layout's circle, above the next row's mark.
            svg.Text({at.x, at.y + std::max(size / 2 + numberSize, closest * 0.45)}, post.label,
                     numberSize, std::string("fill=\"#f0f0f0\" ") + kHalo);
        // The height of a raised post above its mark, where there is room for numbers.
        if (numbered && post.outcome == PostOutcome::Raised)
            svg.Text({at.x, at.y - std::max(size / 2 + 3, closest * 0.28)},
                     SvgBuilder::Number(post.height), numberSize * 0.9,
                     std::string("fill=\"#c8f7da\" ") + kHalo);
        svg.EndGroup();
    }
    svg.EndGroup();
    svg.BeginGroup("posts-side");
    for (const PostResult& post : posts) {
        svg.BeginGroup(std::string("post-side ") + OutcomeClass(post.outcome), Tooltip(post));
        const HostVector3 mark{post.location.x, post.location.y, SideZ(post)};
        if (post.outcome == PostOutcome::Raised)
            svg.Line(side.At(post.location), side.At(mark),
                     "stroke=\"#7a8a80\" stroke-width=\"1\"");
        PaintMark(post.outcome, side.At(mark), std::min(size, 8.0), svg);
        svg.EndGroup();
    }
    svg.EndGroup();
}

}  // namespace host
