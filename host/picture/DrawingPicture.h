// The picture of a drawing after a job, as an SVG a browser opens: a top view and a side view of
// the shown layers in the host's colours, every post of the job marked by its outcome, a legend,
// the scale and the number of posts programmed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Drawing.h"
#include "host/picture/JobResults.h"
#include "platform/Status.h"

namespace host {

struct PictureOptions {
    // A machine table definition (system path) whose post numbers label the posts.
    std::optional<std::string> tableDefinition;
    // The picture's title (the drawing's name, for example).
    std::string title;
};

struct PictureSummary {
    std::size_t posts = 0;
    std::size_t programmed = 0;
    std::size_t raised = 0;
    std::size_t noContact = 0;
    std::size_t ownZ = 0;
};

// Counts the posts by outcome.
[[nodiscard]] PictureSummary Summarise(const std::vector<PostResult>& posts);

// The SVG text of the picture of `drawing` with `posts` marked.
[[nodiscard]] std::string DrawingPictureSvg(const Drawing& drawing,
                                            const std::vector<PostResult>& posts,
                                            std::string_view title);

// Reads the job's posts from the drawing (numbered from the table definition when given),
// and writes the picture to `systemPath`: completely beside it, then in its place, so a failed
// write leaves an earlier picture as it was.
[[nodiscard]] platform::Expected<PictureSummary> WriteDrawingPicture(const Drawing& drawing,
                                                                     const PictureOptions& options,
                                                                     std::string_view systemPath);

}  // namespace host
