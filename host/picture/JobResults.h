// The posts of a job as the drawing shows them: the construction the add-in draws on the result
// layer 252, read back into one result per post with its outcome.
#pragma once

#include <string>
#include <vector>

#include "host/Drawing.h"

namespace host {

// Layers of a job: the table layout and the results.
inline constexpr int kTableLayoutLayer = 251;
inline constexpr int kResultLayer = 252;

enum class PostOutcome {
    Raised,     // raised to a height: its end deflector meets the holding surface
    NoContact,  // not programmed: no usable contact was found
    OwnZ,       // kept at its own z: nothing lay above it
};

struct PostResult {
    HostVector3 location;  // the post's location
    PostOutcome outcome = PostOutcome::OwnZ;
    double height = 0.0;  // programmed when above 0
    std::string label;    // section, row and column, when known
    [[nodiscard]] bool Programmed() const { return height > 0.0; }
};

// The posts the result layer shows: those with an approach line in drawing order, then those
// kept at their own z in drawing order. Per post the add-in draws:
//   raised      a line (colour 12) from the location to the chosen point, a line (11) from
//               there to the contact, the deflector circle (10) and a point (13) at the top
//   no contact  the line (12) from the location to the chosen point alone
//   own z       a point (13) at the location
// A later job's result for the same location replaces an earlier one.
[[nodiscard]] std::vector<PostResult> ReadPostResults(const Drawing& drawing);

// A post of the machine table: its numbers and location.
struct TablePost {
    int section = 0;
    int row = 0;
    int column = 0;
    HostVector3 location;
};

// The posts of a machine table definition text: its post lines ("P" first, then after five
// characters section, row, column and x y z), others skipped. Used to number the picture's posts.
[[nodiscard]] std::vector<TablePost> ReadTablePosts(std::string_view text);

// Gives each result the label "S<section> R<row> C<column>" of the table post at its location.
void LabelPosts(std::vector<PostResult>& results, const std::vector<TablePost>& posts);

}  // namespace host
