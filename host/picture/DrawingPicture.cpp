// The picture's layout: title, top view, side view beneath it, legend beside them.
#include "host/picture/DrawingPicture.h"

#include <algorithm>
#include <map>

#include "host/picture/EntityPainter.h"
#include "host/picture/HostColours.h"
#include "host/picture/PictureView.h"
#include "host/picture/PostMarks.h"
#include "host/picture/SvgBuilder.h"
#include "platform/FileReplace.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"

namespace host {
namespace {

constexpr double kMargin = 30.0;
constexpr double kTitleHeight = 40.0;
constexpr double kViewGap = 50.0;
constexpr double kLegendWidth = 330.0;
constexpr double kViewsWidth = 1500.0;
constexpr double kMostTopHeight = 800.0;
constexpr double kLeastSideHeight = 60.0;
constexpr const char* kPage = "#1b1f27";
constexpr const char* kViewBackground = "#0c0f14";
constexpr const char* kTextStyle = "fill=\"#e8e8e8\"";
constexpr const char* kDimStyle = "fill=\"#a0a8b4\"";

// What the picture must hold: the shown entities and every post, at its height too.
Extent PictureExtent(const Drawing& drawing, const std::vector<PostResult>& posts) {
    Extent extent = ShownExtent(drawing);
    for (const PostResult& post : posts) {
        extent.Include(post.location);
        if (post.outcome == PostOutcome::Raised)
            extent.Include({post.location.x, post.location.y, post.height});
    }
    if (extent.Empty()) extent.Include({0, 0, 0});
    // A little room around, and never a view of no width or height.
    const double span = std::max({extent.high.x - extent.low.x, extent.high.y - extent.low.y,
                                  extent.high.z - extent.low.z, 1.0});
    const double pad = span * 0.03;
    extent.Include({extent.low.x - pad, extent.low.y - pad, extent.low.z - pad});
    extent.Include({extent.high.x + pad, extent.high.y + pad, extent.high.z + pad});
    return extent;
}

void PaintViewFrame(const PictureView& view, std::string_view caption, SvgBuilder& svg) {
    svg.Rect(view.Corner(), view.Width(), view.Height(),
             std::string("fill=\"") + kViewBackground + "\" stroke=\"#3a4250\"");
    svg.Text({view.Corner().x, view.Corner().y - 8}, caption, 13, kTextStyle);
}

void PaintScaleBar(const PictureView& view, SvgBuilder& svg) {
    const double length = ScaleBarLength(view.Scale(), 150.0);
    const double pixels = length * view.Scale();
    const PicturePoint start{view.Corner().x, view.Corner().y + view.Height() + 18};
    const std::string style = "stroke=\"#e8e8e8\" stroke-width=\"2\"";
    svg.BeginGroup("scale");
    svg.Line(start, {start.x + pixels, start.y}, style);
    svg.Line({start.x, start.y - 5}, {start.x, start.y + 5}, style);
    svg.Line({start.x + pixels, start.y - 5}, {start.x + pixels, start.y + 5}, style);
    svg.Text({start.x + pixels + 10, start.y + 4},
             SvgBuilder::Number(length) +
                 " drawing units (1 unit = " + SvgBuilder::Number(view.Scale()) + " px)",
             11, kTextStyle);
    svg.EndGroup();
}

// The shown layers that hold entities, with the colour most of their entities have.
std::map<int, int> ShownLayerColours(const Drawing& drawing) {
    std::map<int, std::map<int, int>> counts;
    drawing.ForEach([&](const Entity& entity) {
        if (LayerShown(drawing, entity.layer)) ++counts[entity.layer][entity.color];
    });
    std::map<int, int> colours;
    for (const auto& [layer, byColour] : counts)
        colours[layer] =
            std::max_element(byColour.begin(), byColour.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
    return colours;
}

void PaintLegend(const Drawing& drawing, const PictureSummary& summary, PicturePoint corner,
                 SvgBuilder& svg) {
    svg.BeginGroup("legend");
    double y = corner.y;
    svg.Text({corner.x, y},
             std::to_string(summary.programmed) + " of " + std::to_string(summary.posts) +
                 " posts programmed",
             16, "fill=\"#ffffff\" font-weight=\"bold\"");
    y += 30;
    svg.Text({corner.x, y}, "Posts", 13, kTextStyle);
    y += 8;
    const std::pair<PostOutcome, std::size_t> outcomes[] = {
        {PostOutcome::Raised, summary.raised},
        {PostOutcome::NoContact, summary.noContact},
        {PostOutcome::OwnZ, summary.ownZ}};
    for (const auto& [outcome, count] : outcomes) {
        y += 20;
        PaintMark(outcome, {corner.x + 8, y - 4}, 10, svg);
        svg.Text({corner.x + 22, y},
                 std::string(OutcomeLegend(outcome)) + " (" + std::to_string(count) + ")", 11,
                 kTextStyle);
    }
    y += 34;
    svg.Text({corner.x, y}, "Layers shown", 13, kTextStyle);
    y += 8;
    for (const auto& [layer, colour] : ShownLayerColours(drawing)) {
        y += 18;
        const auto record = drawing.Layers().find(layer);
        const std::string name = record == drawing.Layers().end() ? "" : record->second.name;
        svg.Rect({corner.x + 3, y - 10}, 11, 11, "fill=\"" + HostColourRgb(colour) + "\"");
        svg.Text({corner.x + 22, y}, std::to_string(layer) + (name.empty() ? "" : " " + name), 11,
                 kTextStyle);
    }
    y += 30;
    svg.Text({corner.x, y}, "Side view: raised posts stand at their height,", 10, kDimStyle);
    svg.Text({corner.x, y + 14}, "the others at their own z.", 10, kDimStyle);
    svg.Text({corner.x, y + 34}, "Heights as computed: heights typed in the review", 10, kDimStyle);
    svg.Text({corner.x, y + 48}, "are in the program file only.", 10, kDimStyle);
    svg.EndGroup();
}

}  // namespace

PictureSummary Summarise(const std::vector<PostResult>& posts) {
    PictureSummary summary;
    summary.posts = posts.size();
    for (const PostResult& post : posts) {
        if (post.Programmed()) ++summary.programmed;
        switch (post.outcome) {
            case PostOutcome::Raised:
                ++summary.raised;
                break;
            case PostOutcome::NoContact:
                ++summary.noContact;
                break;
            case PostOutcome::OwnZ:
                ++summary.ownZ;
                break;
        }
    }
    return summary;
}

std::string DrawingPictureSvg(const Drawing& drawing, const std::vector<PostResult>& posts,
                              std::string_view title) {
    const Extent extent = PictureExtent(drawing, posts);
    const double dx = extent.high.x - extent.low.x;
    const double dy = extent.high.y - extent.low.y;
    const double dz = extent.high.z - extent.low.z;
    const double scale = std::min(kViewsWidth / dx, kMostTopHeight / dy);
    const PicturePoint topCorner{kMargin, kMargin + kTitleHeight};
    const PictureView top(ViewSide::Top, extent, scale, topCorner);
    const PicturePoint sideCorner{kMargin, topCorner.y + top.Height() + kViewGap + 30};
    // A flat drawing still gets a side view one can see marks in.
    Extent sideExtent = extent;
    if (dz * scale < kLeastSideHeight) {
        const double grow = (kLeastSideHeight / scale - dz) / 2;
        sideExtent.Include({extent.low.x, extent.low.y, extent.low.z - grow});
        sideExtent.Include({extent.high.x, extent.high.y, extent.high.z + grow});
    }
    const PictureView side(ViewSide::Front, sideExtent, scale, sideCorner);
    const double width = kMargin * 2 + std::max(top.Width(), 400.0) + kLegendWidth;
    const double height = side.Corner().y + side.Height() + kMargin + 30;

    SvgBuilder svg(width, height, kPage);
    svg.Text({kMargin, kMargin + 12}, title.empty() ? "Drawing" : title, 18,
             "fill=\"#ffffff\" font-weight=\"bold\"");
    PaintViewFrame(top, "Top view (X to the right, Y up)", svg);
    PaintEntities(drawing, top, svg);
    PaintViewFrame(side, "Side view from the front (X to the right, Z up), same scale", svg);
    PaintEntities(drawing, side, svg);
    PaintPostMarks(posts, top, side, svg);
    PaintScaleBar(top, svg);
    PaintLegend(drawing, Summarise(posts),
                {kMargin * 2 + std::max(top.Width(), 400.0), topCorner.y + 10}, svg);
    return svg.Finish();
}

platform::Expected<PictureSummary> WriteDrawingPicture(const Drawing& drawing,
                                                       const PictureOptions& options,
                                                       std::string_view systemPath) {
    std::vector<PostResult> posts = ReadPostResults(drawing);
    if (options.tableDefinition) {
        const platform::Expected<std::string> table =
            platform::ReadInputFile(platform::MapPath(*options.tableDefinition));
        if (!table)
            return platform::Status::Failure("cannot read the table definition " +
                                             *options.tableDefinition + ": " + table.Describe());
        LabelPosts(posts, ReadTablePosts(*table));
    }
    const platform::Status written = platform::ReplaceFileContents(
        platform::MapPath(systemPath), DrawingPictureSvg(drawing, posts, options.title));
    if (!written) return platform::Status::Failure(written.Describe());
    return Summarise(posts);
}

}  // namespace host
